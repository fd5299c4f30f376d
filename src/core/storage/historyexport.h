#pragma once

#include "core/storage/historystore.h"

#include <cstdint>
#include <string>
#include <vector>

// The history as a spreadsheet reads it (History::ExportCsv writes it to a
// file): RFC 4180 with a header row, CR LF line ends, times in ISO 8601 UTC
// and fields quoted only where they hold a comma, a quote or a line break.

// The header row, field names joined by commas.
std::string HistoryCsvHeader();
// The whole CSV text of the turns, header included.
std::string HistoryCsv(const std::vector<TurnRecord> &turns);
// The UTC date of a time as YYYY-MM-DD.
std::string UtcDate(std::int64_t utcSeconds);
