#include "ui/window/assignmentflow.h"

#include "ui/app/assignmentfiles.h"
#include "ui/app/classfiles.h"
#include "ui/app/classroomtext.h"
#include "ui/window/commands.h"
#include "ui/window/dialogflows.h"
#include "ui/window/teacherflow.h"
#include "ui/window/turncontroller.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>

namespace {

const QString LastStudentKey = QStringLiteral("assignment/student");

QString FileFilter(const char *what, std::string_view extension)
{
    return QStringLiteral("%1 (*%2)").arg(QString::fromUtf8(what), QString::fromUtf8(extension.data(), extension.size()));
}

} // namespace

AssignmentFlow::AssignmentFlow(QWidget *window, TurnController *turn, DialogFlows *dialogs, const Commands &commands)
    : QObject(window), m_window(window), m_turn(turn), m_dialogs(dialogs)
{
    m_askName = [this](const QString &last) -> std::optional<QString> {
        QInputDialog dialog(m_window);
        dialog.setObjectName(QStringLiteral("studentNameDialog"));
        dialog.setWindowTitle(tr("Assignment"));
        dialog.setLabelText(tr("Your name, as your teacher should see it on your results:"));
        dialog.setTextValue(last);
        while (dialog.exec() == QDialog::Accepted) {
            const QString name = dialog.textValue().simplified();
            if (!name.isEmpty())
                return name;
        }
        return std::nullopt;
    };
    // The teacher's tools share the menu group and the status line.
    connect(new TeacherFlow(window, dialogs, commands), &TeacherFlow::notice, this, &AssignmentFlow::notice);
    connect(commands.openAssignment, &QAction::triggered, this, &AssignmentFlow::openChosenFile);
    connect(commands.saveResultAs, &QAction::triggered, this, &AssignmentFlow::saveResultAs);
    connect(m_turn, &TurnController::assignmentResultChanged, this, &AssignmentFlow::writeResult);
    connect(m_turn, &TurnController::turnStarted, this, &AssignmentFlow::turnStarted);
    connect(m_turn, &TurnController::exerciseChosen, this, &AssignmentFlow::turnStarted);
}

void AssignmentFlow::openChosenFile()
{
    const QString path = QFileDialog::getOpenFileName(
        m_window, tr("Open Assignment"), QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
        FileFilter(QT_TR_NOOP("Trivisto assignments"), AssignmentExtension));
    if (!path.isEmpty() && mayLeave())
        openFile(path);
}

bool AssignmentFlow::openFile(const QString &path)
{
    return open(path, std::nullopt, [this](const Assignment &assignment, AssignmentResult result) {
        m_turn->startAssignment(assignment, std::move(result));
    });
}

bool AssignmentFlow::continueIn(const QString &path, const QString &student, const Start &start)
{
    return open(path, student, start);
}

bool AssignmentFlow::open(const QString &path, std::optional<QString> student, const Start &start)
{
    const AssignmentOpened opened = OpenAssignmentFile(path);
    const QString fileName = QFileInfo(path).fileName();
    if (opened.problem) {
        warn(ClassFileProblemText(opened.problem, fileName));
        return false;
    }
    const Assignment &assignment = opened.assignment;
    if (m_active && m_turn->session().CurrentAssignment()->id == assignment.id) {
        if (student)
            start(assignment, *m_turn->session().CurrentAssignmentResult());
        Q_EMIT notice(place());
        return true;  // already played here
    }
    if (!student) {
        // An assessment sitting and an assignment exclude each other.
        if (m_turn->inAssessment() && !m_dialogs->askLeaveAssessment())
            return false;
        QSettings settings;
        student = m_askName(settings.value(LastStudentKey).toString());
        if (!student)
            return false;
        settings.setValue(LastStudentKey, *student);
    }

    // One copy plays an assignment: two would write one result file.
    auto lock = std::make_unique<InstanceLock>();
    const QString lockFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(lockFolder);
    if (!lock->TryAcquire(QFile::encodeName(lockFolder).toStdString(), "assignment-" + assignment.id + ".lock")) {
        warn(lock->Error().empty() ? tr("The assignment %1 is open in another copy of Trivisto.")
                                        .arg(QString::fromStdString(assignment.title))
                                  : tr("The assignment could not be locked for this copy: %1")
                                        .arg(QString::fromStdString(lock->Error())));
        return false;
    }
    m_folderNote.clear();
    const StudentResult found = FindStudentResult(ResultsFolder(&m_folderNote), assignment, *student);
    if (found.path.isEmpty()) {
        warn(tr("No free name is left for a result file of %1 in %2.")
                 .arg(QString::fromStdString(assignment.title), QDir::toNativeSeparators(ResultsFolder())));
        return false;
    }
    m_lock = std::move(lock);
    m_resultPath = found.path;
    m_assignmentPath = QFileInfo(path).absoluteFilePath();
    m_active = true;
    start(assignment, found.result);
    if (!found.resumed)
        writeResult();  // the file is there from the start, for the student to find
    Q_EMIT notice(m_folderNote.isEmpty() ? tr("Results go to %1").arg(QFileInfo(m_resultPath).fileName())
                                         : m_folderNote);
    Q_EMIT changed();
    return true;
}

bool AssignmentFlow::mayLeave()
{
    if (!m_active)
        return true;
    const bool leave = QMessageBox::question(m_window, tr("Assignment"),
                                             tr("Leave the assignment? What you checked stays in %1, and opening "
                                                "the assignment again goes on where you stopped.")
                                                 .arg(QFileInfo(m_resultPath).fileName())) == QMessageBox::Yes;
    m_window->activateWindow();
    if (leave) {
        m_turn->session().LeaveAssignment();
        turnStarted();
    }
    return leave;
}

QString AssignmentFlow::place() const
{
    const TurnSession &s = m_turn->session();
    if (!m_active || !s.InAssignment())
        return {};
    return tr("%1: figure %2 of %3")
        .arg(QString::fromStdString(s.CurrentAssignment()->title))
        .arg(*s.AssignmentFigure() + 1)
        .arg(s.CurrentAssignment()->figures.size());
}

void AssignmentFlow::writeResult()
{
    const AssignmentResult *result = m_turn->session().CurrentAssignmentResult();
    if (!result)
        return;
    const QString error = WriteFileDurably(m_resultPath, WriteAssignmentResult(*result));
    if (error.isEmpty())
        Q_EMIT notice(tr("Result saved in %1").arg(QFileInfo(m_resultPath).fileName()));
    else
        warn(tr("The result could not be saved in %1: %2. It is kept while the game runs; Save Result As... "
                "can save it elsewhere.")
                 .arg(QDir::toNativeSeparators(m_resultPath), error));
}

void AssignmentFlow::saveResultAs()
{
    const AssignmentResult *result = m_turn->session().CurrentAssignmentResult();
    if (!result) {
        warn(tr("Open an assignment first: its result is saved as you check each figure."));
        return;
    }
    QString path = QFileDialog::getSaveFileName(m_window, tr("Save Result As"), m_resultPath,
                                                FileFilter(QT_TR_NOOP("Trivisto results"), ResultExtension));
    if (path.isEmpty())
        return;
    path = WithExtension(path, QString::fromUtf8(ResultExtension.data(), ResultExtension.size()));
    const QString error = WriteFileDurably(path, WriteAssignmentResult(*result));
    if (error.isEmpty())
        Q_EMIT notice(tr("Result saved in %1").arg(QFileInfo(path).fileName()));
    else
        warn(tr("The result could not be saved in %1: %2").arg(QDir::toNativeSeparators(path), error));
}

void AssignmentFlow::turnStarted()
{
    if (!m_active || m_turn->session().InAssignment())
        return;
    // Every figure checked, or the assignment left: the file has it all.
    m_active = false;
    m_lock.reset();
    Q_EMIT notice(tr("The assignment is over: your results are in %1").arg(QFileInfo(m_resultPath).fileName()));
    Q_EMIT changed();
}

void AssignmentFlow::warn(const QString &message)
{
    m_dialogs->warn(message);
    m_window->activateWindow();
}
