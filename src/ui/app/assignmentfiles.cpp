#include "ui/app/assignmentfiles.h"

#include "ui/app/classfiles.h"

#include "core/classroom/canonicaljson.h"
#include "core/classroom/resultname.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>


QString ResultsFolder(QString *note)
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString folder = QDir(documents).filePath(QStringLiteral("Trivisto"));
    if (!documents.isEmpty() && QDir().mkpath(folder))
        return folder;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    if (note)
        *note = QCoreApplication::translate("AssignmentFiles", "The folder %1 could not be made: results are kept in %2")
                    .arg(QDir::toNativeSeparators(folder), QDir::toNativeSeparators(data));
    return data;
}

AssignmentOpened OpenAssignmentFile(const QString &path)
{
    AssignmentOpened opened;
    const LoadedResult file = ReadClassFile(path);
    if (file.readError) {
        opened.readError = QString::fromStdString(*file.readError);
        opened.problem.error = ClassFileError::Unreadable;
        opened.problem.detail = *file.readError;
        return opened;
    }
    AssignmentRead read = ReadAssignment(file.bytes);
    opened.assignment = std::move(read.assignment);
    opened.problem = std::move(read.problem);
    return opened;
}

StudentResult FindStudentResult(const QString &folder, const Assignment &assignment, const QString &student)
{
    const std::string name = student.toStdString();
    const QDir dir(folder);
    const QString pattern = QStringLiteral("*") + QString::fromUtf8(ResultExtension.data(), ResultExtension.size());
    // A file is ours when it reads as this assignment's and this student's;
    // any other file under a name keeps that name taken.
    auto ours = [&](const QString &path, ResultRead *out) {
        const LoadedResult file = ReadClassFile(path);
        if (file.readError)
            return false;
        ResultRead read = ReadAssignmentResult(file.bytes);
        const bool match = read.status == ResultStatus::Ok && read.result.assignment == assignment.id &&
                           SameStudent(read.result.student, name);
        if (match && out)
            *out = std::move(read);
        return match;
    };
    for (const QString &file : dir.entryList({pattern}, QDir::Files, QDir::Name)) {
        ResultRead read;
        if (ours(dir.filePath(file), &read))
            return {dir.filePath(file), std::move(read.result), true};
    }
    const std::string free = FreeResultFileName(assignment.title, name, [&](const std::string &candidate) {
        const QString path = dir.filePath(QString::fromStdString(candidate));
        return QFile::exists(path) && !ours(path, nullptr);
    });
    if (free.empty())
        return {};
    return {dir.filePath(QString::fromStdString(free)), NewResult(assignment, name), false};
}
