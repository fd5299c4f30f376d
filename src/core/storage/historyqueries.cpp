// The statistics the window charts, read from the history's day sums and
// sittings; the turns themselves are read only where the sums cannot answer.

#include "core/codes/assessment.h"
#include "core/storage/historysql.h"
#include "core/storage/historystore.h"

#include <ctime>

using namespace historysql;

namespace {

constexpr std::int64_t NoBound = std::numeric_limits<std::int64_t>::min();

bool NarrowsLevels(const HistoryFilter &f)
{
    return f.minLevel != std::numeric_limits<int>::min() || f.maxLevel != std::numeric_limits<int>::max();
}

// The conditions of a filter, on parameters ?1 and ?2 (levels), ?3 (the
// first second of the period) and ?5 (the exercise's name). Only those that
// narrow anything are written: an always-true range on an indexed column
// would lead SQLite to walk that index, row by row, instead of reading the
// table straight through.
std::string FilterSql(const HistoryFilter &f, std::int64_t since, const char *table = "")
{
    std::string sql = " 1 ";
    if (NarrowsLevels(f))
        sql.append("AND ").append(table).append("level BETWEEN ?1 AND ?2 ");
    if (since != NoBound)
        sql.append("AND ").append(table).append("utc >= ?3 ");
    if (f.exercise)
        sql.append("AND ").append(table).append("exercise = ?5 ");
    return sql;
}

// The day sums of the turns a filter takes, as a table of the columns of
// day_levels: turns from `since` (?3) on and before `before` (?4), each a UTC
// midnight or NoBound. A bound after 1970-01-01 falls between two days of the
// sums, whose turns it takes whole or not at all; utc / 86400 rounds toward
// zero, so a day of the sums before that straddles midnights and such a
// period is summed from the turns themselves.
std::string DaySumsSql(const HistoryFilter &f, std::int64_t since, std::int64_t before = NoBound)
{
    const auto clean = [](std::int64_t bound) { return bound == NoBound || bound >= SecondsPerDay; };
    std::string sql;
    if (clean(since) && clean(before)) {
        sql = std::string("(SELECT ") + DaySumColumns + " FROM day_levels WHERE 1 ";
        if (NarrowsLevels(f))
            sql += "AND level BETWEEN ?1 AND ?2 ";
        if (since != NoBound)
            sql += "AND day >= ?3 / 86400 ";
        if (before != NoBound)
            sql += "AND day < ?4 / 86400 ";
        if (f.exercise)
            sql += "AND exercise = ?5 ";
    } else {
        sql = std::string("(SELECT ") + DaySumsOfTurns + " FROM turns WHERE" + FilterSql(f, since);
        if (before != NoBound)
            sql += "AND utc < ?4 ";
        sql += "GROUP BY day, level, exercise";
    }
    return sql + ") ";
}

std::int64_t Now(const HistoryFilter &f) { return f.now != 0 ? f.now : static_cast<std::int64_t>(std::time(nullptr)); }

std::int64_t Since(const HistoryFilter &f)
{
    const std::int64_t today = Now(f) / SecondsPerDay;
    switch (f.period) {
    case HistoryPeriod::Last7Days: return (today - 6) * SecondsPerDay;
    case HistoryPeriod::Last30Days: return (today - 29) * SecondsPerDay;
    case HistoryPeriod::Last365Days: return (today - 364) * SecondsPerDay;
    case HistoryPeriod::All: break;
    }
    return NoBound;
}

void BindFilter(Statement &s, const HistoryFilter &f, std::int64_t since)
{
    s.Bind(1, f.minLevel);
    s.Bind(2, f.maxLevel);
    s.Bind(3, since);
    if (f.exercise)
        s.Bind(5, ExerciseName(*f.exercise));
}

} // namespace

HistoryStatus History::Turns(std::vector<TurnRecord> &turns) const
{
    turns.clear();
    if (!m_db)
        return Problem(HistoryError::Closed, m_path);
    Statement s(m_db, "SELECT " + ColumnList() + " FROM turns ORDER BY id");
    while (s.Step()) {
        TurnRecord t;
        t.utcSeconds = s.Int(0);
        t.puzzleCode = s.Text(1);
        NumberRow v{};
        for (std::size_t i = 0; i < v.size(); ++i)
            v[i] = s.Int(static_cast<int>(i) + 2);
        SetTurnFields(t, v);
        t.exercise = ExerciseNamed(s.Text(static_cast<int>(v.size()) + 2));
        if (!s.Null(static_cast<int>(v.size()) + 3))
            t.mistakes = s.Text(static_cast<int>(v.size()) + 3);
        const int coach = static_cast<int>(v.size()) + 4;
        t.accuracy = s.Real(coach);
        if (!s.Null(coach + 1))
            t.predicted = s.Real(coach + 1);
        if (!s.Null(coach + 2))
            t.rating = s.Real(coach + 2);
        if (!s.Null(coach + 3))
            t.helpSeconds = ToInt(s.Int(coach + 3));
        if (!s.Null(coach + 4))
            t.helpStrokes = ToInt(s.Int(coach + 4));
        if (!s.Null(coach + 5))
            t.assignment = s.Text(coach + 5);
        turns.push_back(std::move(t));
    }
    return s.rc == SQLITE_DONE ? HistoryStatus{} : Failed(HistoryError::ReadFailed, s.rc);
}

HistoryStatus History::TurnCount(const HistoryFilter &filter, std::int64_t &count) const
{
    count = 0;
    if (!m_db)
        return Problem(HistoryError::Closed, m_path);
    Statement s(m_db, "SELECT sum(turns) FROM " + DaySumsSql(filter, Since(filter)));
    BindFilter(s, filter, Since(filter));
    if (s.Step())
        count = s.Int(0);
    return s.rc == SQLITE_ROW ? HistoryStatus{} : Failed(HistoryError::ReadFailed, s.rc);
}

HistoryStatus History::ScoreByDay(const HistoryFilter &filter, std::vector<DayScore> &days, int windowDays) const
{
    days.clear();
    if (!m_db)
        return Problem(HistoryError::Closed, m_path);
    const int preceding = std::clamp(windowDays, 1, 36500) - 1;
    Statement s(m_db, "WITH d AS (SELECT day, sum(turns) AS turns, sum(final_score) AS total, "
                      "sum(x_right + y_right + z_right) AS r, sum(x_wrong + y_wrong + z_wrong) AS w FROM " +
                          DaySumsSql(filter, Since(filter)) +
                          "GROUP BY day) "
                          "SELECT day, date(day * 86400, 'unixepoch'), turns, CAST(total AS REAL) / turns, "
                          "CAST(sum(total) OVER w AS REAL) / sum(turns) OVER w, "
                          "CASE WHEN r + w > 0 THEN CAST(r AS REAL) / (r + w) END FROM d "
                          "WINDOW w AS (ORDER BY day RANGE BETWEEN " +
                          std::to_string(preceding) + " PRECEDING AND CURRENT ROW) ORDER BY day");
    BindFilter(s, filter, Since(filter));
    while (s.Step())
    {
        DayScore d{s.Int(0), s.Text(1), ToInt(s.Int(2)), s.Real(3), s.Real(4), std::nullopt};
        if (!s.Null(5))
            d.accuracy = s.Real(5);
        days.push_back(std::move(d));
    }
    return s.rc == SQLITE_DONE ? HistoryStatus{} : Failed(HistoryError::ReadFailed, s.rc);
}

HistoryStatus History::AccuracyBySheet(const HistoryFilter &filter, std::array<SheetAccuracy, 3> &sheets) const
{
    sheets = {};
    if (!m_db)
        return Problem(HistoryError::Closed, m_path);
    Statement s(m_db, "SELECT sum(x_right), sum(x_wrong), sum(y_right), sum(y_wrong), sum(z_right), sum(z_wrong) "
                      "FROM " + DaySumsSql(filter, Since(filter)));
    BindFilter(s, filter, Since(filter));
    if (s.Step()) {
        for (std::size_t i = 0; i < 3; ++i) {
            SheetAccuracy &a = sheets[i];
            a.right = s.Int(static_cast<int>(2 * i));
            a.wrong = s.Int(static_cast<int>(2 * i + 1));
            if (a.right + a.wrong > 0)
                a.accuracy = static_cast<double>(a.right) / static_cast<double>(a.right + a.wrong);
        }
    }
    return s.rc == SQLITE_ROW ? HistoryStatus{} : Failed(HistoryError::ReadFailed, s.rc);
}

HistoryStatus History::SecondsByLevel(const HistoryFilter &filter, std::vector<LevelSeconds> &levels) const
{
    levels.clear();
    if (!m_db)
        return Problem(HistoryError::Closed, m_path);
    // The average as avg() takes it: the exact integer sum over the count.
    Statement s(m_db, "SELECT level + 0 AS lv, sum(turns), CAST(sum(seconds) AS REAL) / sum(turns) FROM " +
                          DaySumsSql(filter, Since(filter)) + "GROUP BY lv ORDER BY lv");
    BindFilter(s, filter, Since(filter));
    while (s.Step())
        levels.push_back({ToInt(s.Int(0)), ToInt(s.Int(1)), s.Real(2)});
    return s.rc == SQLITE_DONE ? HistoryStatus{} : Failed(HistoryError::ReadFailed, s.rc);
}

HistoryStatus History::DailyStreak(const HistoryFilter &filter, int &days) const
{
    days = 0;
    if (!m_db)
        return Problem(HistoryError::Closed, m_path);
    const std::int64_t today = Now(filter) / SecondsPerDay;
    // Days in a run of consecutive days share day - row_number; the run of
    // the latest day is the streak if that day is today or yesterday. Turns
    // dated after today (a clock set back) do not count.
    Statement s(m_db, "WITH d AS (SELECT DISTINCT day FROM " + DaySumsSql(filter, NoBound, (today + 1) * SecondsPerDay) +
                          "), "
                          "g AS (SELECT day, day - row_number() OVER (ORDER BY day) AS run FROM d) "
                          "SELECT max(day), count(*) FROM g WHERE run = (SELECT run FROM g ORDER BY day DESC LIMIT 1)");
    BindFilter(s, filter, NoBound);
    s.Bind(4, (today + 1) * SecondsPerDay);
    if (s.Step() && !s.Null(0) && s.Int(0) >= today - 1)
        days = ToInt(s.Int(1));
    return s.rc == SQLITE_ROW ? HistoryStatus{} : Failed(HistoryError::ReadFailed, s.rc);
}

HistoryStatus History::BestTurnByLevel(const HistoryFilter &filter, std::vector<BestTurn> &best) const
{
    best.clear();
    if (!m_db)
        return Problem(HistoryError::Closed, m_path);
    // The top score of each level and exercise from the day sums (of first
    // plays; a level played only again has none), then its earliest first
    // play through the (level, final_score) index. Views sort before build.
    Statement s(m_db, "WITH m AS (SELECT level, exercise, max(best_score) AS best FROM " +
                          DaySumsSql(filter, Since(filter)) +
                          "GROUP BY level, exercise), "
                          "w AS (SELECT level, exercise, best, (SELECT id FROM turns t WHERE t.level = m.level AND "
                          "t.final_score = m.best AND t.exercise = m.exercise AND t.first_play <> 0 AND" +
                          FilterSql(filter, Since(filter), "t.") +
                          "ORDER BY t.utc, t.id LIMIT 1) AS id FROM m) "
                          "SELECT w.level, w.best, turns.utc, turns.code, w.exercise FROM w "
                          "JOIN turns ON turns.id = w.id ORDER BY w.level, w.exercise <> 'views'");
    BindFilter(s, filter, Since(filter));
    while (s.Step())
        best.push_back({ToInt(s.Int(0)), ToInt(s.Int(1)), s.Int(2), s.Text(3), ExerciseNamed(s.Text(4))});
    return s.rc == SQLITE_DONE ? HistoryStatus{} : Failed(HistoryError::ReadFailed, s.rc);
}

HistoryStatus History::MistakeCounts(const HistoryFilter &filter, std::vector<MistakeTally> &tallies) const
{
    tallies.clear();
    if (!m_db)
        return Problem(HistoryError::Closed, m_path);
    const std::int64_t since = Since(filter);
    std::string sql = "SELECT sheet, token, count(*) FROM turn_mistakes WHERE 1 ";
    if (NarrowsLevels(filter))
        sql += "AND level BETWEEN ?1 AND ?2 ";
    if (since != NoBound)
        sql += "AND day >= ?3 / 86400 ";
    if (filter.exercise)
        sql += "AND exercise = ?5 ";
    Statement s(m_db, sql + "GROUP BY sheet, token ORDER BY count(*) DESC, sheet, token");
    BindFilter(s, filter, since);
    while (s.Step()) {
        const std::string sheet = s.Text(0);
        tallies.push_back({sheet.empty() ? '?' : sheet[0], s.Text(1), ToInt(s.Int(2))});
    }
    return s.rc == SQLITE_DONE ? HistoryStatus{} : Failed(HistoryError::ReadFailed, s.rc);
}

HistoryStatus History::AssessmentResults(const HistoryFilter &filter, std::vector<AssessmentSitting> &results) const
{
    results.clear();
    if (!m_db)
        return Problem(HistoryError::Closed, m_path);
    const std::int64_t since = Since(filter);
    Statement s(m_db, std::string("SELECT id, utc, total_score, total_seconds FROM sittings ") +
                          (since != NoBound ? "WHERE utc >= ?1 " : "") + "ORDER BY utc, id");
    s.Bind(1, since);
    constexpr int Figures = static_cast<int>(AssessmentSize);
    while (s.Step())
        results.push_back({s.Int(0), s.Int(1), s.Int(1), Figures, s.Int(2), static_cast<double>(s.Int(2)) / Figures,
                           s.Int(3)});
    return s.rc == SQLITE_DONE ? HistoryStatus{} : Failed(HistoryError::ReadFailed, s.rc);
}
