#pragma once

// The SQLite pieces the history's store, queries and export share. Private to
// src/core/storage: nothing outside the history includes it.

#include "core/storage/historystore.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

namespace historysql {

constexpr std::int64_t SecondsPerDay = 86400;

// The columns after utc and code, in the order of TurnFields(); the CSV
// export writes them in this order too. The exercise follows them, as its
// name (ExerciseName), the one column that is not a number.
constexpr std::array<const char *, 23> NumberColumns{
    "level",       "seconds",     "x_right",     "x_wrong",  "x_score",  "y_right", "y_wrong", "y_score",
    "z_right",     "z_wrong",     "z_score",     "total_right", "total_wrong", "total_score", "hints", "peeks",
    "help_cost",   "final_score", "restart",     "from_code", "daily",   "assessment", "first_play"};
using NumberRow = std::array<std::int64_t, NumberColumns.size()>;

inline NumberRow TurnFields(const TurnRecord &t)
{
    const auto &s = t.sheets;
    return {t.level,       t.seconds,     s[0].right,      s[0].wrong,      s[0].score, s[1].right, s[1].wrong, s[1].score,
            s[2].right,    s[2].wrong,    s[2].score,      t.total.right,   t.total.wrong, t.total.score, t.hintsUsed,
            t.peeksUsed,   t.helpCost,    t.finalScore,    t.restart ? 1 : 0, t.fromCode ? 1 : 0, t.daily ? 1 : 0,
            t.assessment,  t.firstPlay ? 1 : 0};
}

inline int ToInt(std::int64_t v)
{
    return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

inline void SetTurnFields(TurnRecord &t, const NumberRow &v)
{
    t.level = ToInt(v[0]);
    t.seconds = ToInt(v[1]);
    for (std::size_t s = 0; s < 3; ++s)
        t.sheets[s] = {ToInt(v[2 + 3 * s]), ToInt(v[3 + 3 * s]), ToInt(v[4 + 3 * s])};
    t.total = {ToInt(v[11]), ToInt(v[12]), ToInt(v[13])};
    t.hintsUsed = ToInt(v[14]);
    t.peeksUsed = ToInt(v[15]);
    t.helpCost = ToInt(v[16]);
    t.finalScore = ToInt(v[17]);
    t.restart = v[18] != 0;
    t.fromCode = v[19] != 0;
    t.daily = v[20] != 0;
    t.assessment = v[21];
    t.firstPlay = v[22] != 0;
}

constexpr const char *ExerciseColumn = "exercise";
constexpr const char *MistakesColumn = "mistakes";
// The coach's columns after the mistakes, each NULL where it does not apply:
// accuracy (REAL), predicted (REAL), rating (REAL), help_seconds and
// help_strokes (INTEGER).
constexpr std::array<const char *, 5> CoachColumns{"accuracy", "predicted", "rating", "help_seconds", "help_strokes"};
// The id of the teacher's assignment a turn was played in (TEXT), NULL for
// every other turn.
constexpr const char *AssignmentColumn = "assignment";

// The turns' columns as stored and read back: utc, code, the numbers, the
// exercise, the mistakes, the coach's, the assignment.
inline std::string ColumnList(const char *separator = ", ")
{
    std::string list = std::string("utc") + separator + "code";
    for (const char *c : NumberColumns)
        list.append(separator).append(c);
    list.append(separator).append(ExerciseColumn).append(separator).append(MistakesColumn);
    for (const char *c : CoachColumns)
        list.append(separator).append(c);
    list.append(separator).append(AssignmentColumn);
    return list;
}

// An exercise stored under a name this version does not know (the file edited
// by hand) reads as the drawing of views, the exercise every old turn was.
inline Exercise ExerciseNamed(std::string_view name) { return ParseExercise(name).value_or(Exercise::Views); }

// A prepared statement that finalizes itself.
class Statement {
public:
    Statement(sqlite3 *db, const std::string &sql) { rc = sqlite3_prepare_v2(db, sql.c_str(), -1, &m_stmt, nullptr); }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    // True while there is a row; rc tells a failure from the end.
    bool Step()
    {
        if (!m_stmt)
            return false;
        rc = sqlite3_step(m_stmt);
        return rc == SQLITE_ROW;
    }
    void Bind(int i, std::int64_t v) { sqlite3_bind_int64(m_stmt, i, v); }
    void BindReal(int i, double v) { sqlite3_bind_double(m_stmt, i, v); }
    void Bind(int i, std::string_view v)
    {
        sqlite3_bind_text(m_stmt, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
    }
    void Reset() { sqlite3_reset(m_stmt); }
    std::int64_t Int(int col) const { return sqlite3_column_int64(m_stmt, col); }
    double Real(int col) const { return sqlite3_column_double(m_stmt, col); }
    std::string Text(int col) const
    {
        const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, col));
        return p ? std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(m_stmt, col))) : std::string();
    }
    bool Null(int col) const { return sqlite3_column_type(m_stmt, col) == SQLITE_NULL; }

    int rc = SQLITE_OK;

private:
    sqlite3_stmt *m_stmt = nullptr;
};

inline bool IsDamage(int rc)
{
    const int primary = rc & 0xff;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB || primary == SQLITE_FORMAT;
}

inline bool IsBusy(int rc)
{
    const int primary = rc & 0xff;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

// SQLite's message for the last failure, with the system's reason where one
// lies behind it ("unable to open database file" alone tells a player nothing).
inline std::string ErrorText(sqlite3 *db, int rc)
{
    std::string text = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    const int sys = db ? sqlite3_system_errno(db) : 0;
    if (sys != 0 && (rc & 0xff) != SQLITE_CORRUPT && (rc & 0xff) != SQLITE_NOTADB)
        text.append(": ").append(std::strerror(sys));
    return text;
}

constexpr const char *DaySumColumns =
    "day, level, exercise, turns, final_score, best_score, seconds, x_right, x_wrong, y_right, y_wrong, z_right, z_wrong";

// The columns of DaySumColumns summed from the turns, to follow
// "FROM turns ... GROUP BY day, level, exercise". Best scores are of first plays alone;
// the sums are never NULL (version 1 allowed NULL seconds).
constexpr const char *DaySumsOfTurns =
    "utc / 86400 AS day, level, exercise, count(*) AS turns, coalesce(sum(final_score), 0) AS final_score,"
    " max(CASE WHEN first_play <> 0 THEN final_score END) AS best_score, coalesce(sum(seconds), 0) AS seconds,"
    " coalesce(sum(x_right), 0) AS x_right, coalesce(sum(x_wrong), 0) AS x_wrong, coalesce(sum(y_right), 0) AS y_right,"
    " coalesce(sum(y_wrong), 0) AS y_wrong, coalesce(sum(z_right), 0) AS z_right, coalesce(sum(z_wrong), 0) AS z_wrong";

inline bool Exec(sqlite3 *db, const char *sql, int &rc)
{
    return (rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr)) == SQLITE_OK;
}

inline void RollBack(sqlite3 *db)
{
    if (sqlite3_get_autocommit(db) == 0)
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
}

inline HistoryCause SystemCause(std::string text) { return {HistoryReason::System, std::move(text), 0}; }

// A failed status: the error, the file it concerns, why, and a count of turns.
inline HistoryStatus Problem(HistoryError error, std::string path, HistoryCause cause = {}, int count = 0)
{
    HistoryStatus status;
    status.ok = false;
    status.error = error;
    status.path = std::move(path);
    status.cause = std::move(cause);
    status.count = count;
    return status;
}

} // namespace historysql
