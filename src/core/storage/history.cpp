#include "core/storage/history.h"

#include "core/storage/durablefile.h"

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::int64_t SecondsPerDay = 86400;
// Turns kept in memory while the file cannot take them; beyond that the
// oldest are dropped rather than letting a long outage eat memory.
constexpr std::size_t MaxPending = 1000;

// The columns after utc and code, in the order of TurnFields().
constexpr std::array<const char *, 22> NumberColumns{
    "level",       "seconds",     "x_right",     "x_wrong",  "x_score",  "y_right", "y_wrong", "y_score",
    "z_right",     "z_wrong",     "z_score",     "total_right", "total_wrong", "total_score", "hints", "peeks",
    "help_cost",   "final_score", "restart",     "from_code", "daily",   "assessment"};
using NumberRow = std::array<std::int64_t, NumberColumns.size()>;

NumberRow TurnFields(const TurnRecord &t)
{
    const auto &s = t.sheets;
    return {t.level,       t.seconds,     s[0].right,      s[0].wrong,      s[0].score, s[1].right, s[1].wrong, s[1].score,
            s[2].right,    s[2].wrong,    s[2].score,      t.total.right,   t.total.wrong, t.total.score, t.hintsUsed,
            t.peeksUsed,   t.helpCost,    t.finalScore,    t.restart ? 1 : 0, t.fromCode ? 1 : 0, t.daily ? 1 : 0,
            t.assessment};
}

int ToInt(std::int64_t v)
{
    return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

void SetTurnFields(TurnRecord &t, const NumberRow &v)
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
}

std::string ColumnList()
{
    std::string list = "utc, code";
    for (const char *c : NumberColumns)
        list.append(", ").append(c);
    return list;
}

// The turns table. Version 1 had no per-sheet counters, no help columns, no
// final score and no assessment; MigrateFrom1Sql adds them.
std::string CreateTurnsSql()
{
    std::string sql = "CREATE TABLE turns(id INTEGER PRIMARY KEY, utc INTEGER NOT NULL, code TEXT NOT NULL";
    for (const char *c : NumberColumns)
        sql.append(", ").append(c).append(" INTEGER NOT NULL DEFAULT 0");
    sql += ");\nCREATE INDEX turns_by_level ON turns(level, final_score);\n";
    return sql;
}

constexpr const char *MigrateFrom1Sql =
    "ALTER TABLE turns ADD COLUMN x_right INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE turns ADD COLUMN x_wrong INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE turns ADD COLUMN x_score INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE turns ADD COLUMN y_right INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE turns ADD COLUMN y_wrong INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE turns ADD COLUMN y_score INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE turns ADD COLUMN z_right INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE turns ADD COLUMN z_wrong INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE turns ADD COLUMN z_score INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE turns ADD COLUMN hints INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE turns ADD COLUMN peeks INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE turns ADD COLUMN help_cost INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE turns ADD COLUMN final_score INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE turns ADD COLUMN assessment INTEGER NOT NULL DEFAULT 0;"
    // Help did not exist yet, so the score was final.
    "UPDATE turns SET final_score = total_score;"
    "CREATE INDEX IF NOT EXISTS turns_by_level ON turns(level, final_score);";

// The sums of each UTC day and level that the statistics read, so that a
// chart of a year costs about the same after 100 turns or 100,000: they are
// built from the turns already there and kept by a trigger in the transaction
// of every turn inserted, so they never disagree with the turns. A day is
// utc / 86400 as SQLite divides (toward zero), as every query counts days.
// Version 3 adds them and an index of the assessment turns alone (a player's
// sittings are a few hundred turns among many thousands), and drops the index
// of times that versions 1 and 2 kept: no query reads the turns by time any
// more, and every turn would pay for it.
constexpr const char *AddDaySumsSql =
    "CREATE TABLE day_levels(day INTEGER, level INTEGER, turns INTEGER NOT NULL, final_score INTEGER NOT NULL,"
    " best_score INTEGER, seconds INTEGER NOT NULL, x_right INTEGER NOT NULL, x_wrong INTEGER NOT NULL,"
    " y_right INTEGER NOT NULL, y_wrong INTEGER NOT NULL, z_right INTEGER NOT NULL, z_wrong INTEGER NOT NULL,"
    " UNIQUE(day, level));"
    "INSERT INTO day_levels SELECT utc / 86400, level, count(*), coalesce(sum(final_score), 0), max(final_score),"
    " coalesce(sum(seconds), 0), coalesce(sum(x_right), 0), coalesce(sum(x_wrong), 0), coalesce(sum(y_right), 0),"
    " coalesce(sum(y_wrong), 0), coalesce(sum(z_right), 0), coalesce(sum(z_wrong), 0) FROM turns GROUP BY 1, 2;"
    "CREATE TRIGGER turns_into_day_levels AFTER INSERT ON turns BEGIN"
    " INSERT INTO day_levels VALUES(new.utc / 86400, new.level, 1, new.final_score, new.final_score,"
    " coalesce(new.seconds, 0), new.x_right, new.x_wrong, new.y_right, new.y_wrong, new.z_right, new.z_wrong)"
    " ON CONFLICT(day, level) DO UPDATE SET turns = turns + 1, final_score = final_score + excluded.final_score,"
    " best_score = max(best_score, excluded.best_score), seconds = seconds + excluded.seconds,"
    " x_right = x_right + excluded.x_right, x_wrong = x_wrong + excluded.x_wrong,"
    " y_right = y_right + excluded.y_right, y_wrong = y_wrong + excluded.y_wrong,"
    " z_right = z_right + excluded.z_right, z_wrong = z_wrong + excluded.z_wrong;"
    " END;"
    "CREATE INDEX turns_by_assessment ON turns(assessment, utc, final_score) WHERE assessment <> 0;"
    "DROP INDEX IF EXISTS turns_by_time;";

constexpr const char *DaySumColumns =
    "day, level, turns, final_score, best_score, seconds, x_right, x_wrong, y_right, y_wrong, z_right, z_wrong";

constexpr std::int64_t NoBound = std::numeric_limits<std::int64_t>::min();

bool NarrowsLevels(const HistoryFilter &f)
{
    return f.minLevel != std::numeric_limits<int>::min() || f.maxLevel != std::numeric_limits<int>::max();
}

// The conditions of a filter, on parameters ?1 and ?2 (levels) and ?3 (the
// first second of the period). Only those that narrow anything are written:
// an always-true range on an indexed column would lead SQLite to walk that
// index, row by row, instead of reading the table straight through.
std::string FilterSql(const HistoryFilter &f, std::int64_t since, const char *table = "")
{
    std::string sql = " 1 ";
    if (NarrowsLevels(f))
        sql.append("AND ").append(table).append("level BETWEEN ?1 AND ?2 ");
    if (since != NoBound)
        sql.append("AND ").append(table).append("utc >= ?3 ");
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
    } else {
        sql = "(SELECT utc / 86400 AS day, level, count(*) AS turns, sum(final_score) AS final_score,"
              " max(final_score) AS best_score, sum(seconds) AS seconds, sum(x_right) AS x_right, sum(x_wrong) AS x_wrong,"
              " sum(y_right) AS y_right, sum(y_wrong) AS y_wrong, sum(z_right) AS z_right, sum(z_wrong) AS z_wrong"
              " FROM turns WHERE" +
              FilterSql(f, since);
        if (before != NoBound)
            sql += "AND utc < ?4 ";
        sql += "GROUP BY day, level";
    }
    return sql + ") ";
}

// A prepared statement that finalizes itself.
class Statement {
public:
    Statement(sqlite3 *db, const std::string &sql)
    {
        rc = sqlite3_prepare_v2(db, sql.c_str(), -1, &m_stmt, nullptr);
    }
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
}

bool IsDamage(int rc)
{
    const int primary = rc & 0xff;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB || primary == SQLITE_FORMAT;
}

bool IsBusy(int rc)
{
    const int primary = rc & 0xff;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

// SQLite's message for the last failure, with the system's reason where one
// lies behind it ("unable to open database file" alone tells a player nothing).
std::string ErrorText(sqlite3 *db, int rc)
{
    std::string text = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    const int sys = db ? sqlite3_system_errno(db) : 0;
    if (sys != 0 && (rc & 0xff) != SQLITE_CORRUPT && (rc & 0xff) != SQLITE_NOTADB)
        text.append(": ").append(std::strerror(sys));
    return text;
}

bool Exec(sqlite3 *db, const char *sql, int &rc) { return (rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr)) == SQLITE_OK; }

std::string BaseName(const std::string &path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool Exists(const std::string &path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// Renames the file (with the journal files that belong to it, which must never
// meet a new file of the old name) to path.broken-YYYYMMDD-HHMMSS in local time.
bool MoveAside(const std::string &path, std::string &aside, std::string &error)
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = path + ".broken-" + stamp;
    aside = base;
    for (int n = 2; Exists(aside) && n < 1000; ++n)
        aside = base + "-" + std::to_string(n);
    if (std::rename(path.c_str(), aside.c_str()) != 0) {
        error = std::strerror(errno);
        return false;
    }
    for (const char *suffix : {"-wal", "-shm", "-journal"}) {
        const std::string companion = path + suffix;
        if (Exists(companion) && std::rename(companion.c_str(), (aside + suffix).c_str()) != 0)
            ::unlink(companion.c_str());
    }
    SyncFolder(FolderOf(path));
    return true;
}

// The target is the old file or the whole new one, never a part.
std::string ReplaceFile(const std::string &path, std::string_view contents)
{
    const int err = ReplaceDurably(path, contents, 0644, path + ".XXXXXX");
    return err == 0 ? std::string() : std::string(std::strerror(err));
}


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

template <typename T>
bool ParseNumber(std::string_view s, T &value)
{
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    return ec == std::errc() && end == s.data() + s.size() && !s.empty();
}

bool ParseIsoTime(std::string_view s, std::int64_t &utc)
{
    using namespace std::chrono;
    // YYYY-MM-DDTHH:MM:SSZ, the year possibly longer or negative.
    if (s.size() < 20 || s.back() != 'Z')
        return false;
    const std::string_view clock = s.substr(s.size() - 9, 8);  // HH:MM:SS
    const std::string_view date = s.substr(0, s.size() - 9);   // Y-MM-DDT
    if (date.size() < 9 || date.back() != 'T' || clock[2] != ':' || clock[5] != ':')
        return false;
    const std::string_view md = date.substr(date.size() - 7, 6);  // -MM-DD
    int y = 0;
    unsigned mo = 0, d = 0;
    int h = 0, mi = 0, se = 0;
    if (md[0] != '-' || md[3] != '-' || !ParseNumber(date.substr(0, date.size() - 7), y) ||
        !ParseNumber(md.substr(1, 2), mo) || !ParseNumber(md.substr(4, 2), d) || !ParseNumber(clock.substr(0, 2), h) ||
        !ParseNumber(clock.substr(3, 2), mi) || !ParseNumber(clock.substr(6, 2), se))
        return false;
    const year_month_day ymd{year{y}, month{mo}, day{d}};
    if (!ymd.ok() || h > 23 || mi > 59 || se > 59)
        return false;
    utc = static_cast<std::int64_t>(sys_days{ymd}.time_since_epoch().count()) * SecondsPerDay + h * 3600 + mi * 60 + se;
    return true;
}

void AppendCsvField(std::string &out, std::string_view field)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out.append(field);
        return;
    }
    out += '"';
    for (char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

} // namespace

History::~History() { Close(); }

void History::Close()
{
    sqlite3_finalize(m_insert);
    m_insert = nullptr;
    if (m_db)
        sqlite3_close_v2(m_db);
    m_db = nullptr;
}

HistoryStatus History::Failed(std::string_view what, int rc) const
{
    std::string message(what);
    message.append(": ").append(ErrorText(m_db, rc)).append(" (").append(m_path).append(").");
    return {false, message};
}

HistoryStatus History::Open(const std::string &folder, int busyTimeoutMs)
{
    Close();
    m_busyTimeoutMs = std::max(0, busyTimeoutMs);
    const std::string dir = folder.empty() ? std::string(".") : folder;
    m_path = dir + "/" + FileName;
    std::error_code ignored;
    std::filesystem::create_directories(dir, ignored);  // a failure shows in the opening below

    const auto unavailable = [this](const std::string &detail, const std::string &extra = {}) {
        return HistoryStatus{false, "The turn history is unavailable: " + m_path + " cannot be used (" + detail + ")." +
                                        extra + " The game goes on without recording turns."};
    };

    std::string detail;
    bool newer = false;
    OpenOutcome outcome = TryOpen(detail, newer);
    if (outcome == OpenOutcome::Ready)
        return {};
    if (outcome == OpenOutcome::Unavailable)
        return unavailable(detail);

    const std::string why = newer ? "was written by a newer version of Trivisto (" + detail + ")"
                                  : "is damaged (" + detail + ")";
    std::string aside, error;
    if (!MoveAside(m_path, aside, error))
        return unavailable("it " + why + " and could not be set aside: " + error);
    std::string again;
    outcome = TryOpen(again, newer);
    const std::string setAside = " The old file " + why + " and was set aside as " + BaseName(aside) + ".";
    if (outcome != OpenOutcome::Ready)
        return unavailable(again, setAside);
    return {true, "The history file " + m_path + " " + why + ". It was set aside as " + BaseName(aside) +
                      " and a new, empty history was started."};
}

History::OpenOutcome History::TryOpen(std::string &detail, bool &newer)
{
    newer = false;
    int rc = sqlite3_open_v2(m_path.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    const auto fail = [&](int code, bool damage) {
        detail = ErrorText(m_db, code);
        Close();
        return damage ? OpenOutcome::Broken : OpenOutcome::Unavailable;
    };
    if (rc != SQLITE_OK)
        return fail(rc, IsDamage(rc));
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, m_busyTimeoutMs);

    int version = 0;
    {
        Statement s(m_db, "PRAGMA user_version");
        if (!s.Step())
            return fail(s.rc, IsDamage(s.rc));
        version = ToInt(s.Int(0));
    }
    if (version > SchemaVersion || version < 0) {
        newer = version > SchemaVersion;
        detail = "format " + std::to_string(version) + "; this version reads up to " + std::to_string(SchemaVersion);
        Close();
        return OpenOutcome::Broken;
    }
    {
        // A truncated or overwritten file often opens fine and only fails
        // when a page is reached; check them all before trusting it.
        Statement s(m_db, "PRAGMA quick_check(1)");
        if (!s.Step())
            return fail(s.rc, IsDamage(s.rc));
        const std::string verdict = s.Text(0);
        if (verdict != "ok") {
            Close();
            detail = verdict;
            return OpenOutcome::Broken;
        }
    }
    if (version == 0) {
        // A database of another program must be set aside untouched, so this
        // is known before anything is written to it.
        Statement s(m_db, "SELECT count(*) FROM sqlite_schema");
        if (!s.Step())
            return fail(s.rc, IsDamage(s.rc));
        if (s.Int(0) != 0) {
            Close();
            detail = "its tables are not those of a turn history";
            return OpenOutcome::Broken;
        }
    }
    if (sqlite3_db_readonly(m_db, "main") == 1) {
        Close();
        detail = "the file can only be read";
        return OpenOutcome::Unavailable;
    }
    // WAL with a full sync at every commit: a committed turn survives a crash
    // of the game or the machine, and a reader never blocks the writer.
    if (!Exec(m_db, "PRAGMA journal_mode=WAL", rc) || !Exec(m_db, "PRAGMA synchronous=FULL", rc))
        return fail(rc, IsDamage(rc));
    if (version < SchemaVersion && !CreateOrMigrate(version, detail)) {
        const bool damage = detail.empty();
        if (damage)
            detail = "its tables are not those of a turn history";
        Close();
        return damage ? OpenOutcome::Broken : OpenOutcome::Unavailable;
    }
    if (version == 0)
        SyncFolder(FolderOf(m_path));  // the new file's name survives a power cut too
    const std::string insert = "INSERT INTO turns(" + ColumnList() + ") VALUES(?1" + [] {
        std::string marks;
        for (std::size_t i = 2; i <= NumberColumns.size() + 2; ++i)
            marks += ",?" + std::to_string(i);
        return marks;
    }() + ")";
    rc = sqlite3_prepare_v2(m_db, insert.c_str(), -1, &m_insert, nullptr);
    if (rc == SQLITE_OK) {
        Statement check(m_db, "SELECT " + ColumnList() + " FROM turns LIMIT 0");
        rc = check.rc;
    }
    if (rc == SQLITE_OK) {
        Statement check(m_db, std::string("SELECT ") + DaySumColumns + " FROM day_levels LIMIT 0");
        rc = check.rc;
    }
    if (rc != SQLITE_OK) {
        const bool damage = (rc & 0xff) == SQLITE_ERROR || IsDamage(rc);
        detail = damage ? "its tables are not those of a turn history" : ErrorText(m_db, rc);
        Close();
        return damage ? OpenOutcome::Broken : OpenOutcome::Unavailable;
    }
    return OpenOutcome::Ready;
}

// Creates the tables (version 0) or migrates them, all in one transaction.
// False with an empty detail when the tables are not as expected; false with
// a detail when the file could not be written.
bool History::CreateOrMigrate(int version, std::string &detail)
{
    int rc = SQLITE_OK;
    if (!Exec(m_db, "BEGIN IMMEDIATE", rc)) {
        detail = ErrorText(m_db, rc);
        return false;
    }
    // Another copy may have created the tables since they were looked at.
    int now = -1;
    {
        Statement s(m_db, "PRAGMA user_version");
        if (s.Step())
            now = ToInt(s.Int(0));
        else
            rc = s.rc;
    }
    if (now == SchemaVersion && Exec(m_db, "COMMIT", rc))
        return true;
    const std::string steps = (version == 0 ? CreateTurnsSql() : version == 1 ? MigrateFrom1Sql : "") + AddDaySumsSql +
                              "PRAGMA user_version = " + std::to_string(SchemaVersion) + ";";
    if (now == version && Exec(m_db, steps.c_str(), rc) && Exec(m_db, "COMMIT", rc))
        return true;
    const bool damage = rc == SQLITE_OK || (rc & 0xff) == SQLITE_ERROR || IsDamage(rc);
    detail = damage ? std::string() : ErrorText(m_db, rc);
    if (sqlite3_get_autocommit(m_db) == 0)
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    return false;
}

bool History::InsertAll(const std::vector<TurnRecord> &turns, std::string &failure)
{
    int rc = SQLITE_OK;
    if (Exec(m_db, "BEGIN IMMEDIATE", rc)) {
        for (const TurnRecord &t : turns) {
            sqlite3_reset(m_insert);
            sqlite3_clear_bindings(m_insert);
            sqlite3_bind_int64(m_insert, 1, t.utcSeconds);
            sqlite3_bind_text(m_insert, 2, t.puzzleCode.data(), static_cast<int>(t.puzzleCode.size()), SQLITE_TRANSIENT);
            const NumberRow fields = TurnFields(t);
            for (std::size_t i = 0; i < fields.size(); ++i)
                sqlite3_bind_int64(m_insert, static_cast<int>(i) + 3, fields[i]);
            rc = sqlite3_step(m_insert);
            if (rc != SQLITE_DONE)
                break;
        }
        sqlite3_reset(m_insert);
        if (rc == SQLITE_DONE || turns.empty())
            Exec(m_db, "COMMIT", rc);
    }
    if (rc == SQLITE_OK)
        return true;
    // Said before the rollback, which would clear SQLite's message.
    failure = IsBusy(rc) ? "another running copy of Trivisto kept the history file busy for " +
                               std::to_string((m_busyTimeoutMs + 999) / 1000) + " s"
                         : ErrorText(m_db, rc) + " (" + m_path + ")";
    if (sqlite3_get_autocommit(m_db) == 0)
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    return false;
}

HistoryStatus History::Append(const TurnRecord &turn)
{
    if (!m_db)
        return {false, "The turn was not recorded: the turn history is unavailable."};
    m_pending.push_back(turn);
    if (m_pending.size() > MaxPending)
        m_pending.erase(m_pending.begin());
    std::string failure;
    if (InsertAll(m_pending, failure)) {
        m_pending.clear();
        return {};
    }
    const std::string kept = m_pending.size() == 1
        ? "It is kept and recorded with the next turn."
        : "The " + std::to_string(m_pending.size()) + " turns waiting are kept and recorded with the next turn.";
    return {false, "The turn was not recorded yet: " + failure + ". " + kept};
}

HistoryStatus History::AppendAll(const std::vector<TurnRecord> &turns)
{
    if (!m_db)
        return {false, "The turns were not recorded: the turn history is unavailable."};
    std::string failure;
    if (InsertAll(turns, failure))
        return {};
    return {false, "The " + std::to_string(turns.size()) + " turns were not recorded: " + failure + "."};
}

HistoryStatus History::Turns(std::vector<TurnRecord> &turns) const
{
    turns.clear();
    if (!m_db)
        return {false, "The turn history is unavailable."};
    Statement s(m_db, "SELECT " + ColumnList() + " FROM turns ORDER BY id");
    while (s.Step()) {
        TurnRecord t;
        t.utcSeconds = s.Int(0);
        t.puzzleCode = s.Text(1);
        NumberRow v{};
        for (std::size_t i = 0; i < v.size(); ++i)
            v[i] = s.Int(static_cast<int>(i) + 2);
        SetTurnFields(t, v);
        turns.push_back(std::move(t));
    }
    return s.rc == SQLITE_DONE ? HistoryStatus{} : Failed("The history could not be read", s.rc);
}

HistoryStatus History::TurnCount(const HistoryFilter &filter, std::int64_t &count) const
{
    count = 0;
    if (!m_db)
        return {false, "The turn history is unavailable."};
    Statement s(m_db, "SELECT sum(turns) FROM " + DaySumsSql(filter, Since(filter)));
    BindFilter(s, filter, Since(filter));
    if (s.Step())
        count = s.Int(0);
    return s.rc == SQLITE_ROW ? HistoryStatus{} : Failed("The history could not be read", s.rc);
}

HistoryStatus History::ScoreByDay(const HistoryFilter &filter, std::vector<DayScore> &days, int windowDays) const
{
    days.clear();
    if (!m_db)
        return {false, "The turn history is unavailable."};
    const int preceding = std::clamp(windowDays, 1, 36500) - 1;
    Statement s(m_db, "WITH d AS (SELECT day, sum(turns) AS turns, sum(final_score) AS total FROM " +
                          DaySumsSql(filter, Since(filter)) +
                          "GROUP BY day) "
                          "SELECT day, date(day * 86400, 'unixepoch'), turns, CAST(total AS REAL) / turns, "
                          "CAST(sum(total) OVER w AS REAL) / sum(turns) OVER w FROM d "
                          "WINDOW w AS (ORDER BY day RANGE BETWEEN " +
                          std::to_string(preceding) + " PRECEDING AND CURRENT ROW) ORDER BY day");
    BindFilter(s, filter, Since(filter));
    while (s.Step())
        days.push_back({s.Int(0), s.Text(1), ToInt(s.Int(2)), s.Real(3), s.Real(4)});
    return s.rc == SQLITE_DONE ? HistoryStatus{} : Failed("The history could not be read", s.rc);
}

HistoryStatus History::AccuracyBySheet(const HistoryFilter &filter, std::array<SheetAccuracy, 3> &sheets) const
{
    sheets = {};
    if (!m_db)
        return {false, "The turn history is unavailable."};
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
    return s.rc == SQLITE_ROW ? HistoryStatus{} : Failed("The history could not be read", s.rc);
}

HistoryStatus History::SecondsByLevel(const HistoryFilter &filter, std::vector<LevelSeconds> &levels) const
{
    levels.clear();
    if (!m_db)
        return {false, "The turn history is unavailable."};
    // The average as avg() takes it: the exact integer sum over the count.
    Statement s(m_db, "SELECT level + 0 AS lv, sum(turns), CAST(sum(seconds) AS REAL) / sum(turns) FROM " +
                          DaySumsSql(filter, Since(filter)) + "GROUP BY lv ORDER BY lv");
    BindFilter(s, filter, Since(filter));
    while (s.Step())
        levels.push_back({ToInt(s.Int(0)), ToInt(s.Int(1)), s.Real(2)});
    return s.rc == SQLITE_DONE ? HistoryStatus{} : Failed("The history could not be read", s.rc);
}

HistoryStatus History::DailyStreak(const HistoryFilter &filter, int &days) const
{
    days = 0;
    if (!m_db)
        return {false, "The turn history is unavailable."};
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
    return s.rc == SQLITE_ROW ? HistoryStatus{} : Failed("The history could not be read", s.rc);
}

HistoryStatus History::BestTurnByLevel(const HistoryFilter &filter, std::vector<BestTurn> &best) const
{
    best.clear();
    if (!m_db)
        return {false, "The turn history is unavailable."};
    // The top score of each level from the day sums, then its earliest turn
    // through the (level, final_score) index.
    Statement s(m_db, "WITH m AS (SELECT level, max(best_score) AS best FROM " + DaySumsSql(filter, Since(filter)) +
                          "GROUP BY level), "
                          "w AS (SELECT level, best, (SELECT id FROM turns t WHERE t.level = m.level AND "
                          "t.final_score = m.best AND" + FilterSql(filter, Since(filter), "t.") +
                          "ORDER BY t.utc, t.id LIMIT 1) AS id FROM m) "
                          "SELECT w.level, w.best, turns.utc, turns.code FROM w JOIN turns ON turns.id = w.id "
                          "ORDER BY w.level");
    BindFilter(s, filter, Since(filter));
    while (s.Step())
        best.push_back({ToInt(s.Int(0)), ToInt(s.Int(1)), s.Int(2), s.Text(3)});
    return s.rc == SQLITE_DONE ? HistoryStatus{} : Failed("The history could not be read", s.rc);
}

HistoryStatus History::AssessmentResults(const HistoryFilter &filter, std::vector<AssessmentSitting> &results) const
{
    results.clear();
    if (!m_db)
        return {false, "The turn history is unavailable."};
    Statement s(m_db, std::string("SELECT assessment, min(utc), max(utc), count(*), sum(final_score), avg(final_score) "
                                  "FROM turns WHERE assessment <> 0 AND") +
                          FilterSql(filter, Since(filter)) + "GROUP BY assessment ORDER BY min(utc), assessment");
    BindFilter(s, filter, Since(filter));
    while (s.Step())
        results.push_back({s.Int(0), s.Int(1), s.Int(2), ToInt(s.Int(3)), s.Int(4), s.Real(5)});
    return s.rc == SQLITE_DONE ? HistoryStatus{} : Failed("The history could not be read", s.rc);
}

HistoryStatus History::ExportCsv(const std::string &path) const
{
    const std::string failed = "The history could not be exported to " + path + ": ";
    std::vector<TurnRecord> turns;
    if (HistoryStatus read = Turns(turns); !read)
        return {false, failed + read.message};
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
        csv += "\r\n";
    }
    const std::string error = ReplaceFile(path, csv);
    if (!error.empty())
        return {false, failed + error + "."};
    return {true, "Exported " + std::to_string(turns.size()) + " turns to " + path + "."};
}

std::string HistoryCsvHeader()
{
    std::string header = "time_utc,puzzle_code";
    for (const char *c : NumberColumns)
        header.append(",").append(c);
    return header;
}

bool ParseCsv(std::string_view text, std::vector<std::vector<std::string>> &rows, std::string &error)
{
    rows.clear();
    std::vector<std::string> row;
    std::size_t i = 0;
    const std::size_t n = text.size();
    const auto fail = [&](const std::string &what) {
        error = "row " + std::to_string(rows.size() + 1) + ": " + what;
        return false;
    };
    while (i < n) {
        std::string field;
        if (text[i] == '"') {
            for (++i;; ++i) {
                if (i >= n)
                    return fail("a quoted field is not closed");
                if (text[i] == '"') {
                    if (i + 1 < n && text[i + 1] == '"') {
                        field += '"';
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i];
            }
        } else {
            const std::size_t end = std::min(text.find_first_of(",\r\n\"", i), n);
            if (end < n && text[end] == '"')
                return fail("a quote inside a field that is not quoted");
            field.assign(text.substr(i, end - i));
            i = end;
        }
        row.push_back(std::move(field));
        if (i == n) {
            rows.push_back(std::move(row));
            break;
        }
        if (text[i] == ',') {
            ++i;
            if (i == n) {
                row.emplace_back();
                rows.push_back(std::move(row));
            }
        } else if (text[i] == '\n' || (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n')) {
            i += text[i] == '\r' ? 2 : 1;
            rows.push_back(std::move(row));
            row.clear();
        } else {
            return fail(text[i] == '\r' ? "a carriage return without a line feed" : "text after a closing quote");
        }
    }
    error.clear();
    return true;
}

HistoryStatus ReadHistoryCsv(const std::string &path, std::vector<TurnRecord> &turns)
{
    turns.clear();
    const std::string failed = "The CSV file " + path + " could not be read: ";
    std::FILE *f = std::fopen(path.c_str(), "rb");
    if (!f)
        return {false, failed + std::strerror(errno) + "."};
    std::string text;
    char buffer[1 << 16];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, f)) > 0;)
        text.append(buffer, got);
    const bool readError = std::ferror(f) != 0;
    std::fclose(f);
    if (readError)
        return {false, failed + "read error."};

    std::vector<std::vector<std::string>> rows;
    std::string error;
    if (!ParseCsv(text, rows, error))
        return {false, failed + error + "."};
    std::string header;
    if (!rows.empty())
        for (std::size_t i = 0; i < rows[0].size(); ++i)
            header.append(i ? "," : "").append(rows[0][i]);
    if (header != HistoryCsvHeader())
        return {false, failed + "the header is not that of an exported history."};
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const auto &row = rows[r];
        const std::string where = "row " + std::to_string(r + 1) + ": ";
        if (row.size() != NumberColumns.size() + 2)
            return {false, failed + where + std::to_string(row.size()) + " fields instead of " +
                               std::to_string(NumberColumns.size() + 2) + "."};
        TurnRecord t;
        if (!ParseIsoTime(row[0], t.utcSeconds))
            return {false, failed + where + "'" + row[0] + "' is not a UTC time."};
        t.puzzleCode = row[1];
        NumberRow v{};
        for (std::size_t i = 0; i < v.size(); ++i)
            if (!ParseNumber(std::string_view(row[i + 2]), v[i]))
                return {false, failed + where + "'" + row[i + 2] + "' is not a whole number."};
        SetTurnFields(t, v);
        turns.push_back(std::move(t));
    }
    return {};
}

std::string UtcDate(std::int64_t utcSeconds)
{
    std::string iso = IsoTime(utcSeconds);
    return iso.substr(0, iso.size() - 10);
}
