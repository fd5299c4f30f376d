#pragma once

#include "core/classroom/classtable.h"
#include "core/classroom/fileproblem.h"
#include "core/codes/exercise.h"

#include <QString>

// What a teacher or a student is told about an assignment or a result file,
// in the player's language: every refusal the core can give, worded in plain
// sentences that name the file, and the statuses of the class table's rows.

// One sentence or two naming fileName and saying what is wrong with it, e.g.
// "Week 3.trivisto-result is damaged or was edited: its checksum does not
// match."; empty for no problem.
QString ClassFileProblemText(const ClassFileProblem &problem, const QString &fileName);

// A row's status in a few words for the table's Status column ("damaged or
// edited", "duplicate: kept Anna.trivisto-result"), "ok" for a result counted.
QString ClassRowStatusText(const ClassRow &row);

// Why a row's file was not taken, in full sentences; empty for Ok.
QString ClassRowReason(const ClassRow &row);

// The exercise as the game's menu names it: "Draw the views", "Build the figure".
QString ExerciseTitle(Exercise exercise);

// The last part of a path as the core keeps it (UTF-8, any separator).
QString FileNameOf(const std::string &path);
