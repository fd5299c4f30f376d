#include "core/storage/historyexport.h"
#include "core/storage/csvfield.h"

#include "core/storage/durablefile.h"
#include "core/storage/historysql.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <string_view>

#include <sys/stat.h>

using namespace historysql;

namespace {

std::string IsoTime(std::int64_t utc)
{
    using namespace std::chrono;
    const std::int64_t day = utc >= 0 ? utc / SecondsPerDay : -((-utc + SecondsPerDay - 1) / SecondsPerDay);
    const std::int64_t rest = utc - day * SecondsPerDay;
    const year_month_day ymd{sys_days{days{day}}};
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", static_cast<int>(ymd.year()),
                  static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()), static_cast<int>(rest / 3600),
                  static_cast<int>(rest / 60 % 60), static_cast<int>(rest % 60));
    return text;
}

} // namespace

std::string HistoryCsvHeader()
{
    std::string header = "time_utc,puzzle_code";
    for (const char *c : NumberColumns)
        header.append(",").append(c);
    // Last, so that a reader of the older columns finds them where they were.
    header.append(",").append(ExerciseColumn).append(",").append(MistakesColumn);
    for (const char *c : CoachColumns)
        header.append(",").append(c);
    header.append(",").append(AssignmentColumn);
    return header;
}

std::string HistoryCsv(const std::vector<TurnRecord> &turns)
{
    std::string csv = HistoryCsvHeader() + "\r\n";
    csv.reserve(turns.size() * 100 + csv.size());
    for (const TurnRecord &t : turns) {
        csv += IsoTime(t.utcSeconds);
        csv += ',';
        AppendCsvField(csv, t.puzzleCode);
        for (std::int64_t v : TurnFields(t)) {
            csv += ',';
            csv += std::to_string(v);
        }
        csv += ',';
        csv += ExerciseName(t.exercise);
        csv += ',';
        AppendCsvField(csv, t.mistakes.value_or(std::string()));
        csv += ',';
        csv += CsvFixed(t.accuracy, 4);
        for (const std::optional<double> &v : {t.predicted, t.rating}) {
            csv += ',';
            if (v)
                csv += CsvFixed(*v, 4);
        }
        for (const std::optional<int> &v : {t.helpSeconds, t.helpStrokes}) {
            csv += ',';
            if (v)
                csv += std::to_string(*v);
        }
        csv += ',';
        AppendCsvField(csv, t.assignment.value_or(std::string()));
        csv += "\r\n";
    }
    return csv;
}

std::string UtcDate(std::int64_t utcSeconds)
{
    std::string iso = IsoTime(utcSeconds);
    return iso.substr(0, iso.size() - 10);
}

// The target is the old file or the whole new one, never a part. A file
// replaced keeps its permissions; a new one gets those the player's umask
// gives any new file, as other programs save theirs.
HistoryStatus History::ExportCsv(const std::string &path) const
{
    std::vector<TurnRecord> turns;
    HistoryStatus status = Turns(turns);
    if (status.error == HistoryError::Closed)
        return status;
    status.path = path;
    if (!status)
        return Problem(HistoryError::ExportFailed, path, status.cause);
    struct stat st {};
    const mode_t mode = ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) ? st.st_mode & 07777 : NewFileMode();
    if (const int err = ReplaceDurably(path, HistoryCsv(turns), mode))
        return Problem(HistoryError::ExportFailed, path, SystemCause(std::strerror(err)));
    status.error = HistoryError::Exported;
    status.count = static_cast<int>(turns.size());
    return status;
}
