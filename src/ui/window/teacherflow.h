#pragma once

#include <QObject>
#include <QString>

#include <optional>

class ClassResultsWindow;
class Commands;
class DialogFlows;
class QWidget;
struct Assignment;

// The teacher's side of the classroom from the window: a new assignment, the
// class's results, and the worksheets printed or exported as PDF. Each asks
// for the assignment file it works on; nothing here touches the turn.
class TeacherFlow : public QObject {
    Q_OBJECT
public:
    TeacherFlow(QWidget *window, DialogFlows *dialogs, const Commands &commands);

Q_SIGNALS:
    void notice(const QString &text);

private:
    // The assignment in a file the teacher picks; none when cancelled or
    // refused (the reason shown).
    std::optional<std::pair<QString, Assignment>> chooseAssignment(const QString &title);
    void newAssignment();
    void classResults();
    void printAssignment();
    void exportWorksheet();

    QWidget *m_window;
    DialogFlows *m_dialogs;
    QString m_lastFolder;
    ClassResultsWindow *m_classResults = nullptr;
};
