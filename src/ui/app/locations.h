#pragma once

#include <QString>

// Where the game finds its data files and keeps what the player keeps.
// Decided by the layout the program runs from, never by whether a folder
// happens to be writable: an installed program (bin/ with share/trivisto
// beside it) reads its data there and keeps results and history in the
// player's data folder; a program with its data beside it (the build tree)
// keeps everything beside itself.
struct GameLocations {
    QString dataDir;     // sounds, pictures, manual; with a trailing separator
    QString recordsDir;  // Stat.txt and the history; with a trailing separator
    bool installed = false;

    QString resultsPath() const { return recordsDir + QStringLiteral("Stat.txt"); }
    QString historyPath() const { return recordsDir + QStringLiteral("history.sqlite"); }
};

// programDir: the folder of the executable. playerDataDir: the player's data
// folder for an installed program (QStandardPaths::AppDataLocation).
GameLocations FindLocations(const QString &programDir, const QString &playerDataDir);
