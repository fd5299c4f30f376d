#pragma once

#include "core/classroom/assignment.h"
#include "core/classroom/fileproblem.h"
#include "core/classroom/result.h"

#include <QString>

// Where a student's results live, and the student's files found and opened
// (reading and writing them: classfiles.h).

// The folder for result files: Trivisto/ in the Documents folder, made when
// missing; when it cannot be, the game's data folder, with `note` saying so.
QString ResultsFolder(QString *note = nullptr);

struct AssignmentOpened {
    Assignment assignment;
    ClassFileProblem problem;
    QString readError;  // the file could not be read: the system's words
};
AssignmentOpened OpenAssignmentFile(const QString &path);

// The student's result file of the assignment in `folder`: the one this
// student already has (resumed with its results), or a free name for a new
// one (" (2)" ... when a file of another assignment or student has the name).
// An empty path when no name is free.
struct StudentResult {
    QString path;
    AssignmentResult result;
    bool resumed = false;
};
StudentResult FindStudentResult(const QString &folder, const Assignment &assignment, const QString &student);
