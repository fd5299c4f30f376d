#pragma once

#include "core/classroom/assignment.h"
#include "core/classroom/result.h"
#include "core/storage/instancelock.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class Commands;
class DialogFlows;
class TurnController;
class QWidget;

// The student's side of a teacher's assignment: opening its file (from the
// menu, the command line or a double-click), the student's name, the result
// file written after every Check that enters a figure's result, Save Result
// As, and leaving. One copy of the game at a time plays an assignment; the
// turn's rules are the session's. It sets up the teacher's tools beside it
// (TeacherFlow).
class AssignmentFlow : public QObject {
    Q_OBJECT
public:
    // Asks the student's name, given the last one used; none when cancelled.
    using NameAsker = std::function<std::optional<QString>(const QString &last)>;

    AssignmentFlow(QWidget *window, TurnController *turn, DialogFlows *dialogs, const Commands &commands);

    // Opens the assignment in the file after asking the student's name;
    // false, with the reason shown, when it cannot be played.
    bool openFile(const QString &path);
    // How the assignment's turn begins once it is open: a new turn on its
    // first figure not yet checked, or a saved turn continued.
    using Start = std::function<void(const Assignment &assignment, AssignmentResult result)>;
    // Opens it again for a saved turn of the student, without questions.
    bool continueIn(const QString &path, const QString &student, const Start &start);
    // The assignment's file while one is played.
    QString assignmentPath() const { return m_active ? m_assignmentPath : QString(); }
    bool inAssignment() const { return m_active; }
    // Whether the student leaves the assignment for another figure (asked
    // when one is open; the result file keeps what was checked).
    bool mayLeave();
    // "Week 3: figure 2 of 10" while one is played, else empty.
    QString place() const;
    QString resultPath() const { return m_resultPath; }
    void setNameAsker(NameAsker asker) { m_askName = std::move(asker); }

Q_SIGNALS:
    void notice(const QString &text);
    void changed();

private:
    bool open(const QString &path, std::optional<QString> student, const Start &start);
    void openChosenFile();
    void writeResult();
    void saveResultAs();
    void turnStarted();
    void warn(const QString &message);

    QWidget *m_window;
    TurnController *m_turn;
    DialogFlows *m_dialogs;
    NameAsker m_askName;
    std::unique_ptr<InstanceLock> m_lock;
    bool m_active = false;
    QString m_resultPath;
    QString m_assignmentPath;
    QString m_folderNote;
};
