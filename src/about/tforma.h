#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The About window: the title, our emblem, a link to the program's own manual
// page, "Help" for the help text and "OK". Files that are missing or cannot be
// opened are named in a message instead of failing silently.
class TFormA : public QDialog {
    Q_OBJECT
public:
    TFormA(const QString &programDir, QWidget *parent = nullptr);

    // Sets the title and shows "Help" (done at every activation of the main window).
    void english();

    QString HelpPath() const;
    QString ManualPath() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void OpenFile(const QString &path, const QString &what);

    QString m_programDir;
    QLabel *m_title;
    QPushButton *m_help;
};
