#pragma once

#include "core/codes/exercise.h"

#include <QString>
#include <QStringList>

#include <optional>

// What the command line asks for. It is read before the application object
// exists, so --help and --version work without a display.
struct CommandLine {
    enum class Action { Play, Print, Fail };
    Action action = Action::Play;
    // For Print: the text for standard output; for Fail: the message for
    // standard error. The program exits with 0 after Print and 2 after Fail.
    QString text;
    std::optional<int> level;
    std::optional<QString> puzzle;
    std::optional<Exercise> exercise;
};

// Options: --help, --version, --level N (0..84), --puzzle CODE, --exercise
// views|build. Qt's own
// options (-platform, -display, -style, -session ...) are left out of the
// reading: QApplication takes them from the same command line.
CommandLine ParseCommandLine(const QStringList &arguments);
