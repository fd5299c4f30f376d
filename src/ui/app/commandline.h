#pragma once

#include "core/codes/exercise.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

// What the command line asks for. It is read before the application object
// exists, so --help and --version work without a display.
struct CommandLine {
    // The teacher's commands run without a window and exit: 0 done, 1 an
    // input or output that could not be read or written, 2 bad arguments.
    enum class Action { Play, Print, Fail, MakeAssignment, ClassReport, PrintAssignment };
    Action action = Action::Play;
    // For Print: the text for standard output; for Fail: the message for
    // standard error. The program exits with 0 after Print and 2 after Fail.
    QString text;
    std::optional<int> level;
    std::optional<QString> puzzle;
    // Play: the last game's unfinished turn at once.
    bool continueTurn = false;
    std::optional<Exercise> exercise;
    // Play: an assignment file to open (the desktop's %f).
    std::optional<QString> assignmentFile;
    // MakeAssignment: the file to write and what goes in it.
    struct NewAssignment {
        QString path, title;
        int lowLevel = 0, highLevel = 0, count = 0;
        bool hints = true, peeks = true;
        std::optional<QDate> due;
    } make;
    // ClassReport: the assignment, the result files or folders, the CSV.
    // PrintAssignment: the assignment and the PDF (`output`).
    QString assignment;
    QStringList inputs;
    QString output;
};

// Options: --help, --version, --level N (0..84), --puzzle CODE, --continue, --exercise
// views|build, an assignment FILE; the teacher's --make-assignment FILE
// --title T [--exercise E] --levels LOW-HIGH --count N [--no-hints]
// [--no-peeks] [--due YYYY-MM-DD], --class-report ASSIGNMENT RESULT_OR_FOLDER...
// --csv OUT, --print-assignment FILE --pdf OUT. Qt's own
// options (-platform, -display, -style, -session ...) are left out of the
// reading: QApplication takes them from the same command line.
CommandLine ParseCommandLine(const QStringList &arguments);
