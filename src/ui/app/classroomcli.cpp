#include "ui/app/classroomcli.h"

#include "core/classroom/assignmentfigures.h"
#include "core/classroom/classtable.h"
#include "ui/app/assignmentfiles.h"
#include "ui/app/classfiles.h"
#include "ui/app/classroomtext.h"
#include "ui/print/worksheet.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <random>

namespace {

int Fail(const QString &message)
{
    std::fputs((message + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
    return 1;
}

QString Translate(const char *text)
{
    return QCoreApplication::translate("ClassroomCommands", text);
}

} // namespace

int RunMakeAssignment(const CommandLine::NewAssignment &request, Exercise exercise)
{
    std::mt19937_64 random{std::random_device{}()};
    DrawnFigures drawn = RandomFigures(request.count, request.lowLevel, request.highLevel, random);
    std::optional<std::chrono::sys_days> due;
    if (request.due)
        due = std::chrono::sys_days{std::chrono::year_month_day{std::chrono::year{request.due->year()},
                                                                std::chrono::month{unsigned(request.due->month())},
                                                                std::chrono::day{unsigned(request.due->day())}}};
    const AssignmentMade made = drawn.problem ? AssignmentMade{{}, drawn.problem}
                                              : MakeAssignment(request.title.toStdString(), exercise,
                                                               std::move(drawn.figures), request.hints, request.peeks, due);
    const QString name = QFileInfo(request.path).fileName();
    if (made.problem)
        return Fail(ClassFileProblemText(made.problem, name));
    if (const QString error = WriteFileDurably(request.path, WriteAssignment(made.assignment)); !error.isEmpty())
        return Fail(Translate("%1 could not be written: %2").arg(QDir::toNativeSeparators(request.path), error));
    return 0;
}

int RunClassReport(const QString &assignmentPath, const QStringList &inputs, const QString &csvPath)
{
    const AssignmentOpened opened = OpenAssignmentFile(assignmentPath);
    if (opened.problem)
        return Fail(ClassFileProblemText(opened.problem, assignmentPath));
    // Folders are read one level deep, for result files.
    const QString pattern = QStringLiteral("*") + QString::fromUtf8(ResultExtension.data(), ResultExtension.size());
    std::vector<LoadedResult> files;
    for (const QString &input : inputs) {
        QStringList paths{input};
        if (QFileInfo(input).isDir()) {
            const QDir dir(input);
            paths.clear();
            for (const QString &f : dir.entryList({pattern}, QDir::Files, QDir::Name))
                paths.append(dir.filePath(f));
        } else if (!QFileInfo::exists(input)) {
            return Fail(Translate("%1 does not exist").arg(QDir::toNativeSeparators(input)));
        }
        for (const QString &path : paths)
            files.push_back(ReadClassFile(path));
    }
    if (const QString error = WriteFileDurably(csvPath, ClassCsv(BuildClassTable(opened.assignment, files)));
        !error.isEmpty())
        return Fail(Translate("%1 could not be written: %2").arg(QDir::toNativeSeparators(csvPath), error));
    return 0;
}

int RunPrintAssignment(const QString &assignmentPath, const QString &pdfPath)
{
    const AssignmentOpened opened = OpenAssignmentFile(assignmentPath);
    if (opened.problem)
        return Fail(ClassFileProblemText(opened.problem, assignmentPath));
    const Assignment &a = opened.assignment;
    QString error;
    if (!ExportWorksheetPdf(pdfPath, {QString::fromStdString(a.title), a.exercise, a.figures, true}, &error))
        return Fail(error);
    return 0;
}
