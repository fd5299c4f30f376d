#include "ui/window/teacherflow.h"

#include "ui/app/assignmentfiles.h"
#include "ui/app/classroomtext.h"
#include "ui/dialogs/classresultswindow.h"
#include "ui/dialogs/newassignmentdialog.h"
#include "ui/print/worksheet.h"
#include "ui/window/commands.h"
#include "ui/window/dialogflows.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

namespace {

WorksheetRequest RequestFor(const Assignment &a)
{
    return {QString::fromStdString(a.title), a.exercise, a.figures, true};
}

} // namespace

TeacherFlow::TeacherFlow(QWidget *window, DialogFlows *dialogs, const Commands &commands)
    : QObject(window), m_window(window), m_dialogs(dialogs),
      m_lastFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
{
    connect(commands.newAssignment, &QAction::triggered, this, &TeacherFlow::newAssignment);
    connect(commands.classResults, &QAction::triggered, this, &TeacherFlow::classResults);
    connect(commands.printAssignment, &QAction::triggered, this, &TeacherFlow::printAssignment);
    connect(commands.exportWorksheet, &QAction::triggered, this, &TeacherFlow::exportWorksheet);
}

std::optional<std::pair<QString, Assignment>> TeacherFlow::chooseAssignment(const QString &title)
{
    const QString path = QFileDialog::getOpenFileName(
        m_window, title, m_lastFolder,
        tr("Trivisto assignments (*%1)").arg(QString::fromUtf8(AssignmentExtension.data(), AssignmentExtension.size())));
    if (path.isEmpty())
        return std::nullopt;
    m_lastFolder = QFileInfo(path).absolutePath();
    AssignmentOpened opened = OpenAssignmentFile(path);
    if (opened.problem) {
        m_dialogs->warn(ClassFileProblemText(opened.problem, QFileInfo(path).fileName()));
        return std::nullopt;
    }
    return std::make_pair(path, std::move(opened.assignment));
}

void TeacherFlow::newAssignment()
{
    NewAssignmentDialog dialog(m_window);
    if (dialog.exec() == QDialog::Accepted && !dialog.savedPath().isEmpty()) {
        m_lastFolder = QFileInfo(dialog.savedPath()).absolutePath();
        Q_EMIT notice(tr("Assignment saved as %1").arg(QFileInfo(dialog.savedPath()).fileName()));
    }
    m_window->activateWindow();
}

void TeacherFlow::classResults()
{
    const auto chosen = chooseAssignment(tr("Class Results"));
    if (!chosen)
        return;
    // One window, kept while the game runs: a teacher adds files over time.
    if (!m_classResults)
        m_classResults = new ClassResultsWindow(m_window);
    m_classResults->setAssignment(chosen->second, chosen->first);
    m_classResults->show();
    m_classResults->raise();
    m_classResults->activateWindow();
}

void TeacherFlow::printAssignment()
{
    const auto chosen = chooseAssignment(tr("Print Assignment"));
    if (!chosen)
        return;
    QPrinter printer;
    printer.setDocName(QString::fromStdString(chosen->second.title));
    QPrintDialog dialog(&printer, m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!PaintWorksheet(printer, RequestFor(chosen->second)))
        m_dialogs->warn(tr("The worksheet could not be printed on %1.").arg(printer.printerName()));
}

void TeacherFlow::exportWorksheet()
{
    const auto chosen = chooseAssignment(tr("Export Worksheet"));
    if (!chosen)
        return;
    const QFileInfo source(chosen->first);
    QString path = QFileDialog::getSaveFileName(m_window, tr("Export Worksheet"),
                                                source.absolutePath() + QLatin1Char('/') + source.completeBaseName() +
                                                    QStringLiteral(".pdf"),
                                                tr("PDF documents (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    QString error;
    if (ExportWorksheetPdf(path, RequestFor(chosen->second), &error))
        Q_EMIT notice(tr("Worksheet saved as %1").arg(QFileInfo(path).fileName()));
    else
        m_dialogs->warn(error);
}
