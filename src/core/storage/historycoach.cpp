// What the coach reads back from the history: the rating to carry on, the
// first plays to fit its weights on, and the statistics of its predictions.
// These read the turns, not the day sums: only rated turns carry them, and the
// coach asks once per run.

#include "core/storage/historysql.h"
#include "core/storage/historystore.h"

#include <ctime>

using namespace historysql;

namespace {

// The turns of a filter, on ?1, ?2 (levels), ?3 (the period's first second)
// and ?5 (the exercise), as the day sums are filtered.
std::string Where(const HistoryFilter &f, std::int64_t &since)
{
    const std::int64_t now = f.now != 0 ? f.now : static_cast<std::int64_t>(std::time(nullptr));
    const std::int64_t today = now / SecondsPerDay;
    const int days = f.period == HistoryPeriod::Last7Days    ? 7
                     : f.period == HistoryPeriod::Last30Days  ? 30
                     : f.period == HistoryPeriod::Last365Days ? 365
                                                               : 0;
    since = days > 0 ? (today - days + 1) * SecondsPerDay : std::numeric_limits<std::int64_t>::min();
    std::string sql = " WHERE level BETWEEN ?1 AND ?2 AND utc >= ?3 ";
    if (f.exercise)
        sql += "AND exercise = ?5 ";
    return sql;
}

void Bind(Statement &s, const HistoryFilter &f, std::int64_t since)
{
    s.Bind(1, std::int64_t{f.minLevel});
    s.Bind(2, std::int64_t{f.maxLevel});
    s.Bind(3, since);
    if (f.exercise)
        s.Bind(5, ExerciseName(*f.exercise));
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
    constexpr const char *Rated = " FROM turns WHERE exercise = ?1 AND first_play <> 0 AND rating IS NOT NULL"
                                  " AND predicted IS NOT NULL AND accuracy IS NOT NULL";
    Statement count(m_db, std::string("SELECT count(*)") + Rated);
    count.Bind(1, ExerciseName(exercise));
    if (!count.Step())
        return Failed(HistoryError::ReadFailed, count.rc);
    record.ratedFirstPlays = count.Int(0);
    Statement recent(m_db, std::string("SELECT * FROM (SELECT id, code, accuracy, predicted, rating") + Rated +
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
    std::int64_t since = 0;
    // The last rating of each day: the turn with the day's highest id.
    Statement s(m_db, "SELECT day, date(day * 86400, 'unixepoch'), exercise, rating FROM (SELECT utc / 86400 AS day,"
                      " exercise, rating, row_number() OVER (PARTITION BY utc / 86400, exercise ORDER BY id DESC) AS nth"
                      " FROM turns" + Where(filter, since) + "AND rating IS NOT NULL) WHERE nth = 1 ORDER BY day, exercise <> 'views'");
    Bind(s, filter, since);
    while (s.Step())
        days.push_back({s.Int(0), s.Text(1), ExerciseNamed(s.Text(2)), s.Real(3)});
    return s.rc == SQLITE_DONE ? HistoryStatus{} : Failed(HistoryError::ReadFailed, s.rc);
}

HistoryStatus History::Calibration(const HistoryFilter &filter, std::vector<CalibrationBand> &bands) const
{
    bands.clear();
    if (!m_db)
        return Problem(HistoryError::Closed, m_path);
    std::int64_t since = 0;
    Statement s(m_db, "SELECT min(9, max(0, CAST(predicted * 10 AS INTEGER))) AS band, count(*), avg(predicted),"
                      " avg(accuracy) FROM turns" + Where(filter, since) +
                          "AND first_play <> 0 AND predicted IS NOT NULL AND accuracy IS NOT NULL GROUP BY band ORDER BY band");
    Bind(s, filter, since);
    while (s.Step())
        bands.push_back({ToInt(s.Int(0)), ToInt(s.Int(1)), s.Real(2), s.Real(3)});
    return s.rc == SQLITE_DONE ? HistoryStatus{} : Failed(HistoryError::ReadFailed, s.rc);
}

HistoryStatus History::TriesBeforeHelp(const HistoryFilter &filter, HelpTries &tries) const
{
    tries = {};
    if (!m_db)
        return Problem(HistoryError::Closed, m_path);
    std::int64_t since = 0;
    Statement s(m_db, "SELECT count(*), coalesce(avg(help_seconds), 0), coalesce(avg(help_strokes), 0) FROM turns" +
                          Where(filter, since) + "AND help_seconds IS NOT NULL");
    Bind(s, filter, since);
    if (s.Step())
        tries = {ToInt(s.Int(0)), s.Real(1), s.Real(2)};
    return s.rc == SQLITE_ROW ? HistoryStatus{} : Failed(HistoryError::ReadFailed, s.rc);
}
