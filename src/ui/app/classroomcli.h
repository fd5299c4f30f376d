#pragma once

#include "ui/app/commandline.h"

// The teacher's commands without a window, for scripts and grade books. Each
// returns the exit status: 0 done, 1 an input or output that could not be
// read or written (said on standard error, naming the file).
int RunMakeAssignment(const CommandLine::NewAssignment &request, Exercise exercise);
int RunClassReport(const QString &assignmentPath, const QStringList &inputs, const QString &csvPath);
int RunPrintAssignment(const QString &assignmentPath, const QString &pdfPath);
