#pragma once

#include <QDialog>

class QTextBrowser;

// The manual (or the help text) inside the game: a resizable window that
// stays open beside play. Links within the manual follow inside it; links to
// the web go to the system's browser. A .txt file shows as plain text. A
// link to trivisto:guide asks the game for its guide.
class ManualWindow : public QDialog {
    Q_OBJECT
public:
    explicit ManualWindow(QWidget *parent = nullptr);

    // Shows the file and raises the window; a missing or unreadable file is
    // named in a message instead, and false returned.
    bool showDocument(const QString &path);
    QTextBrowser *browser() const { return m_browser; }

Q_SIGNALS:
    void guideRequested();

private:
    QTextBrowser *m_browser;
};
