// What the coach reads back from the history: the rating to carry on and the
// first plays to fit its weights on (the latest turns, read backwards from
// the newest), and the statistics of its predictions, from the coach's sums
// per day.

#include "core/storage/historysql.h"
#include "core/storage/historystore.h"

#include <ctime>

using namespace historysql;

namespace {

// The conditions of a filter on a table of day sums, on ?1, ?2 (levels), ?3
// (the period's first day) and ?5 (the exercise). Periods start at a UTC
// midnight, so whole days of the sums fall in or out. The ratings are the
// player's, not a level's: `levels` false leaves the levels out.
std::string Where(const HistoryFilter &f, std::int64_t &firstDay, bool levels = true)
{
    const std::int64_t now = f.now != 0 ? f.now : static_cast<std::int64_t>(std::time(nullptr));
    const std::int64_t today = now / SecondsPerDay;
    const int days = f.period == HistoryPeriod::Last7Days    ? 7
                     : f.period == HistoryPeriod::Last30Days  ? 30
                     : f.period == HistoryPeriod::Last365Days ? 365
                                                               : 0;
    firstDay = days > 0 ? today - days + 1 : std::numeric_limits<std::int64_t>::min();
    std::string sql = levels ? " WHERE level BETWEEN ?1 AND ?2 AND day >= ?3 " : " WHERE day >= ?3 ";
    if (f.exercise)
        sql += "AND exercise = ?5 ";
    return sql;
}

void Bind(Statement &s, const HistoryFilter &f, std::int64_t firstDay)
{
    s.Bind(1, std::int64_t{f.minLevel});
    s.Bind(2, std::int64_t{f.maxLevel});
    s.Bind(3, firstDay);
    if (f.exercise)
        s.Bind(5, ExerciseName(*f.exercise));
}

// Each row a query over a table of day sums gives under the filter, made
// into a Row; the statement's last code, SQLITE_DONE when all went well.
template <class Row, class Make>
int ReadDayRows(sqlite3 *db, const std::string &select, const std::string &tail, const HistoryFilter &filter,
                bool levels, std::vector<Row> &rows, Make make)
{
    std::int64_t firstDay = 0;
    Statement s(db, select + Where(filter, firstDay, levels) + tail);
    Bind(s, filter, firstDay);
    while (s.Step())
        rows.push_back(make(s));
    return s.rc;
}

} // namespace

HistoryStatus History::Ratings(Exercise exercise, std::size_t recentCount, RatingRecord &record) const
{
    record = {};
    if (!m_db)
        return Problem(HistoryError::Closed, m_path);
    // The id orders turns as they were stored; a clock set back cannot
    // reorder them.
    Statement latest(m_db, "SELECT rating FROM turns WHERE exercise = ?1 AND rating IS NOT NULL ORDER BY id DESC LIMIT 1");
    latest.Bind(1, ExerciseName(exercise));
    if (latest.Step())
        record.latest = latest.Real(0);
    if (latest.rc != SQLITE_ROW && latest.rc != SQLITE_DONE)
        return Failed(HistoryError::ReadFailed, latest.rc);
    // Every rated first play has its place in the calibration's sums.
    Statement count(m_db, "SELECT coalesce(sum(turns), 0) FROM day_calibration WHERE exercise = ?1");
    count.Bind(1, ExerciseName(exercise));
    if (!count.Step())
        return Failed(HistoryError::ReadFailed, count.rc);
    record.ratedFirstPlays = count.Int(0);
    Statement recent(m_db, "SELECT * FROM (SELECT id, code, accuracy, predicted, rating FROM turns WHERE exercise = ?1"
                           " AND first_play <> 0 AND rating IS NOT NULL AND predicted IS NOT NULL AND accuracy IS NOT NULL"
                           " ORDER BY id DESC LIMIT ?2) ORDER BY id");
    recent.Bind(1, ExerciseName(exercise));
    recent.Bind(2, static_cast<std::int64_t>(std::min<std::size_t>(recentCount, 1u << 30)));
    while (recent.Step())
        record.recent.push_back({recent.Text(1), recent.Real(2), recent.Real(3), recent.Real(4)});
    return recent.rc == SQLITE_DONE ? HistoryStatus{} : Failed(HistoryError::ReadFailed, recent.rc);
}

HistoryStatus History::RatingByDay(const HistoryFilter &filter, std::vector<DayRating> &days) const
{
    days.clear();
    if (!m_db)
        return Problem(HistoryError::Closed, m_path);
    const int rc = ReadDayRows(m_db, "SELECT day, date(day * 86400, 'unixepoch'), exercise, rating FROM day_ratings",
                               "ORDER BY day, exercise <> 'views'", filter, false, days, [](Statement &s) {
                                   return DayRating{s.Int(0), s.Text(1), ExerciseNamed(s.Text(2)), s.Real(3)};
                               });
    return rc == SQLITE_DONE ? HistoryStatus{} : Failed(HistoryError::ReadFailed, rc);
}

HistoryStatus History::Calibration(const HistoryFilter &filter, std::vector<CalibrationBand> &bands) const
{
    bands.clear();
    if (!m_db)
        return Problem(HistoryError::Closed, m_path);
    const int rc = ReadDayRows(m_db,
                               "SELECT band, sum(turns), sum(predicted) / sum(turns), sum(accuracy) / sum(turns)"
                               " FROM day_calibration",
                               "GROUP BY band ORDER BY band", filter, true, bands, [](Statement &s) {
                                   return CalibrationBand{ToInt(s.Int(0)), ToInt(s.Int(1)), s.Real(2), s.Real(3)};
                               });
    return rc == SQLITE_DONE ? HistoryStatus{} : Failed(HistoryError::ReadFailed, rc);
}

HistoryStatus History::TriesBeforeHelp(const HistoryFilter &filter, HelpTries &tries) const
{
    tries = {};
    if (!m_db)
        return Problem(HistoryError::Closed, m_path);
    std::int64_t firstDay = 0;
    Statement s(m_db, "SELECT coalesce(sum(turns), 0), coalesce(CAST(sum(seconds) AS REAL) / sum(turns), 0),"
                      " coalesce(CAST(sum(strokes) AS REAL) / sum(turns), 0) FROM day_help" +
                          Where(filter, firstDay));
    Bind(s, filter, firstDay);
    if (s.Step())
        tries = {ToInt(s.Int(0)), s.Real(1), s.Real(2)};
    return s.rc == SQLITE_ROW ? HistoryStatus{} : Failed(HistoryError::ReadFailed, s.rc);
}
