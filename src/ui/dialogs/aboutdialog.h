#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The About window: the title, our emblem, a link to the manual, "Help" for
// the help text and "OK". Its title bar shows no text. "Help" hands the help
// text to the system's viewer; a missing file is named in a message. A
// document shown inside the game (the manual, or the help text where no viewer
// took it) closes About first: a window beside play must not wait behind it.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog(const QString &dataDir, QWidget *parent = nullptr);

    // The help text and the manual in the interface's language, where they
    // are translated.
    QString helpPath() const;
    QString manualPath() const;

Q_SIGNALS:
    // The link asks for the manual (About has closed); the main window shows it.
    void manualRequested();
    // The help text exists but no program of the system could show it: the
    // main window shows it in the game instead.
    void documentRequested(const QString &path);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void onHelpClicked();

    QString m_dataDir;
    QLabel *m_link;
};
