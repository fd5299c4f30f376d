#pragma once

#include "core/storage/resultsfile.h"

#include <QString>

// What the player is told about the results file, in the player's language;
// empty when nothing is wrong. A bonus that is no number is named as earlier
// versions named it, with a second line saying the file and the line.
QString ResultsMessage(const ResultsError &error);
