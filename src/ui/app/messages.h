#pragma once

#include <QString>

struct HistoryStatus;

// What the turn history has to tell, in the player's language: the sentences
// DescribeHistoryStatus gives in English, with the plural forms a count needs.
// Empty when there is nothing to tell.
QString HistoryMessage(const HistoryStatus &status);
