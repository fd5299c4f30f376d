#pragma once

#include <QString>

// Writes folder/history.sqlite: four weeks of play up to yesterday with a few
// days off, the level climbing and the scores and the rating with it, help now
// and then, a weekly assessment sitting; the last week every day, for a streak.
void SeedHistory(const QString &folder);
