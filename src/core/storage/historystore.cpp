#include "core/storage/historystore.h"

#include "core/storage/durablefile.h"
#include "core/storage/historysql.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace historysql;

namespace {

// Turns kept in memory while the file cannot take them; beyond that the
// oldest are dropped rather than letting a long outage eat memory.
constexpr std::size_t MaxPending = 1000;

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

// Why a folder cannot hold the history, or 0. SQLite names the wrong reason
// here: it retries a refused read-write open as read-only and reports that
// retry's errno (ENOENT for a file not made yet), and with the file there the
// refusal comes later, as "attempt to write a readonly database" when the WAL
// files cannot be made. So the folder is asked directly.
int FolderBlocker(const std::string &dir, const std::error_code &made)
{
    if (made)
        return made.value();
    return ::faccessat(AT_FDCWD, dir.c_str(), W_OK | X_OK, AT_EACCESS) == 0 ? 0 : errno;
}

} // namespace

History::~History() { Close(); }

void History::StatementDeleter::operator()(Statement *s) const { delete s; }

void History::Close()
{
    sqlite3_finalize(m_insert);
    m_insert = nullptr;
    m_insertMistake.reset();
    if (m_db)
        sqlite3_close_v2(m_db);
    m_db = nullptr;
}

HistoryStatus History::Failed(HistoryError error, int rc) const
{
    return Problem(error, m_path, SystemCause(ErrorText(m_db, rc)));
}

HistoryCause History::WriteFailure(int rc) const
{
    if (IsBusy(rc))
        return {HistoryReason::Busy, {}, (m_busyTimeoutMs + 999) / 1000};
    return SystemCause(ErrorText(m_db, rc));
}

HistoryStatus History::Open(const std::string &folder, int busyTimeoutMs)
{
    Close();
    m_busyTimeoutMs = std::max(0, busyTimeoutMs);
    const std::string dir = folder.empty() ? std::string(".") : folder;
    m_path = dir + "/" + FileName;
    std::error_code made;
    std::filesystem::create_directories(dir, made);  // if this failed, the opening below fails too: made says why

    HistoryStatus status = Problem(HistoryError::Unavailable, m_path);
    OpenOutcome outcome = TryOpen(status.cause);
    if (outcome == OpenOutcome::Ready)
        return {};
    if (outcome == OpenOutcome::Unavailable) {
        if (const int err = FolderBlocker(dir, made))
            status.cause = {HistoryReason::FolderNotWritable, std::strerror(err), 0};
        return status;
    }

    status.broken = std::move(status.cause);
    status.cause = {};
    std::string aside, error;
    if (!MoveAside(m_path, aside, error)) {
        status.error = HistoryError::UnavailableNotSetAside;
        status.cause = SystemCause(error);
        return status;
    }
    status.aside = BaseName(aside);
    outcome = TryOpen(status.cause);
    if (outcome != OpenOutcome::Ready)
        return status;
    status.ok = true;
    status.error = HistoryError::SetAside;
    return status;
}

History::OpenOutcome History::TryOpen(HistoryCause &cause)
{
    int rc = sqlite3_open_v2(m_path.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    const auto fail = [&](int code, bool damage) {
        cause = SystemCause(ErrorText(m_db, code));
        Close();
        return damage ? OpenOutcome::Broken : OpenOutcome::Unavailable;
    };
    const auto notAHistory = [&] {
        cause = {HistoryReason::NotAHistory, {}, 0};
        Close();
        return OpenOutcome::Broken;
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
        // A negative version is no format of ours: damage.
        cause = version > SchemaVersion ? HistoryCause{HistoryReason::NewerFormat, {}, version}
                                        : SystemCause("format " + std::to_string(version));
        Close();
        return OpenOutcome::Broken;
    }
    {
        // A truncated or overwritten file often opens fine and only fails
        // when a page is reached; check them all before trusting it.
        Statement s(m_db, "PRAGMA quick_check(1)");
        if (!s.Step())
            return fail(s.rc, IsDamage(s.rc));
        if (std::string verdict = s.Text(0); verdict != "ok") {
            Close();
            cause = SystemCause(std::move(verdict));
            return OpenOutcome::Broken;
        }
    }
    if (version == 0) {
        // A database of another program must be set aside untouched, so this
        // is known before anything is written to it.
        Statement s(m_db, "SELECT count(*) FROM sqlite_schema");
        if (!s.Step())
            return fail(s.rc, IsDamage(s.rc));
        if (s.Int(0) != 0)
            return notAHistory();
    }
    if (sqlite3_db_readonly(m_db, "main") == 1) {
        Close();
        cause = {HistoryReason::ReadOnlyFile, {}, 0};
        return OpenOutcome::Unavailable;
    }
    // WAL with a full sync at every commit: a committed turn survives a crash
    // of the game or the machine, and a reader never blocks the writer.
    if (!Exec(m_db, "PRAGMA journal_mode=WAL", rc) || !Exec(m_db, "PRAGMA synchronous=FULL", rc))
        return fail(rc, IsDamage(rc));
    if (version < SchemaVersion && !CreateOrMigrate(version, cause)) {
        if (cause.reason == HistoryReason::NotAHistory)
            return notAHistory();
        Close();
        return OpenOutcome::Unavailable;
    }
    if (version == 0)
        SyncFolder(FolderOf(m_path));  // the new file's name survives a power cut too
    std::string insert = "INSERT INTO turns(" + ColumnList() + ") VALUES(?1";
    for (std::size_t i = 2; i <= NumberColumns.size() + 5 + CoachColumns.size(); ++i)
        insert += ",?" + std::to_string(i);
    insert += ")";
    rc = sqlite3_prepare_v2(m_db, insert.c_str(), -1, &m_insert, nullptr);
    m_insertMistake.reset(new Statement(m_db, "INSERT INTO turn_mistakes VALUES(?1, ?2, ?3, ?4, ?5)"));
    if (rc == SQLITE_OK)
        rc = m_insertMistake->rc;
    const std::string columns[] = {ColumnList() + " FROM turns", std::string(DaySumColumns) + " FROM day_levels",
                                   "level, seed, exercise FROM seen", "id, utc, total_score, total_seconds FROM sittings",
                                   "day, level, exercise, sheet, token FROM turn_mistakes",
                                   "day, exercise, id, rating FROM day_ratings",
                                   "day, level, exercise, band, turns, predicted, accuracy FROM day_calibration",
                                   "day, level, exercise, turns, seconds, strokes FROM day_help"};
    for (const std::string &c : columns)
        if (rc == SQLITE_OK)
            rc = Statement(m_db, "SELECT " + c + " LIMIT 0").rc;
    if (rc != SQLITE_OK) {
        if ((rc & 0xff) == SQLITE_ERROR || IsDamage(rc))
            return notAHistory();
        return fail(rc, false);
    }
    return OpenOutcome::Ready;
}

// One row of turn_mistakes per "SHEET:TOKEN" pair of the turn's mistakes;
// false with SQLite's result in rc when one could not be stored.
bool History::InsertMistakes(Statement &named, const TurnRecord &t, int &rc)
{
    if (!t.mistakes || t.mistakes->empty())
        return true;
    std::string_view rest = *t.mistakes;
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find(';'), rest.size());
        const std::string_view pair = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        if (pair.size() < 3 || pair[1] != ':')
            continue;  // not a pair this version writes: kept in the turn, not counted
        named.Reset();
        named.Bind(1, t.utcSeconds / SecondsPerDay);
        named.Bind(2, t.level);
        named.Bind(3, ExerciseName(t.exercise));
        named.Bind(4, pair.substr(0, 1));
        named.Bind(5, pair.substr(2));
        if (named.Step() || named.rc != SQLITE_DONE) {
            rc = named.rc;
            return false;
        }
    }
    return true;
}

bool History::InsertAll(const std::vector<TurnRecord> &turns, HistoryCause &failure)
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
            const std::string_view exercise = ExerciseName(t.exercise);  // a literal: SQLite need not copy it
            sqlite3_bind_text(m_insert, static_cast<int>(fields.size()) + 3, exercise.data(),
                              static_cast<int>(exercise.size()), SQLITE_STATIC);
            if (t.mistakes)
                sqlite3_bind_text(m_insert, static_cast<int>(fields.size()) + 4, t.mistakes->data(),
                                  static_cast<int>(t.mistakes->size()), SQLITE_TRANSIENT);
            const int coach = static_cast<int>(fields.size()) + 5;
            sqlite3_bind_double(m_insert, coach, t.accuracy);
            if (t.predicted)
                sqlite3_bind_double(m_insert, coach + 1, *t.predicted);
            if (t.rating)
                sqlite3_bind_double(m_insert, coach + 2, *t.rating);
            if (t.helpSeconds)
                sqlite3_bind_int64(m_insert, coach + 3, *t.helpSeconds);
            if (t.helpStrokes)
                sqlite3_bind_int64(m_insert, coach + 4, *t.helpStrokes);
            if (t.assignment)
                sqlite3_bind_text(m_insert, coach + 5, t.assignment->data(), static_cast<int>(t.assignment->size()),
                                  SQLITE_TRANSIENT);
            rc = sqlite3_step(m_insert);
            if (rc != SQLITE_DONE || !InsertMistakes(*m_insertMistake, t, rc))
                break;
        }
        sqlite3_reset(m_insert);
        if (rc == SQLITE_DONE || turns.empty())
            Exec(m_db, "COMMIT", rc);
    }
    if (rc == SQLITE_OK)
        return true;
    failure = WriteFailure(rc);  // before the rollback, which would clear SQLite's message
    RollBack(m_db);
    return false;
}

HistoryStatus History::Append(const TurnRecord &turn)
{
    if (!m_db)
        return Problem(HistoryError::NotRecordedUnavailable, m_path, {}, 1);
    m_pending.push_back(turn);
    if (m_pending.size() > MaxPending)
        m_pending.erase(m_pending.begin());
    HistoryStatus status = Problem(HistoryError::NotRecordedKept, m_path);
    if (InsertAll(m_pending, status.cause)) {
        m_pending.clear();
        return {};
    }
    status.count = static_cast<int>(m_pending.size());
    return status;
}

HistoryStatus History::AppendAll(const std::vector<TurnRecord> &turns)
{
    HistoryStatus status = Problem(HistoryError::NotRecordedUnavailable, m_path, {}, static_cast<int>(turns.size()));
    if (!m_db)
        return status;
    status.error = HistoryError::NotRecorded;
    return InsertAll(turns, status.cause) ? HistoryStatus{} : status;
}

HistoryStatus History::MarkSeen(int level, std::uint32_t seed, Exercise exercise)
{
    if (!m_db)
        return Problem(HistoryError::Closed, m_path);
    Statement s(m_db, "INSERT OR IGNORE INTO seen VALUES(?1, ?2, ?3)");
    s.Bind(1, level);
    s.Bind(2, seed);
    s.Bind(3, ExerciseName(exercise));
    if (!s.Step() && s.rc == SQLITE_DONE)
        return {};
    return Problem(HistoryError::SeenNotRecorded, m_path, WriteFailure(s.rc));
}

HistoryStatus History::IsSeen(int level, std::uint32_t seed, Exercise exercise, bool &seen) const
{
    seen = false;
    if (!m_db)
        return Problem(HistoryError::Closed, m_path);
    Statement s(m_db, "SELECT 1 FROM seen WHERE level = ?1 AND seed = ?2 AND exercise = ?3");
    s.Bind(1, level);
    s.Bind(2, seed);
    s.Bind(3, ExerciseName(exercise));
    seen = s.Step();
    return seen || s.rc == SQLITE_DONE ? HistoryStatus{} : Failed(HistoryError::ReadFailed, s.rc);
}

HistoryStatus History::AppendSitting(const SittingRecord &sitting)
{
    if (!m_db)
        return Problem(HistoryError::Closed, m_path);
    Statement s(m_db, "INSERT OR REPLACE INTO sittings VALUES(?1, ?2, ?3, ?4)");
    s.Bind(1, sitting.id);
    s.Bind(2, sitting.utcSeconds);
    s.Bind(3, sitting.totalScore);
    s.Bind(4, sitting.totalSeconds);
    if (!s.Step() && s.rc == SQLITE_DONE)
        return {};
    return Problem(HistoryError::SittingNotRecorded, m_path, WriteFailure(s.rc));
}

namespace {

std::string Describe(const HistoryCause &c)
{
    static constexpr const char *Reasons[] = {"", "busy ", "folder not writable ", "read-only file ",
                                              "not a turn history ", "newer format "};
    const std::string number = c.number != 0 ? std::to_string(c.number) + " " : std::string();
    return Reasons[static_cast<int>(c.reason)] + number + c.text;
}

} // namespace

std::string DescribeHistoryStatus(const HistoryStatus &s)
{
    // Terse and untranslated: the player reads the window's wording of these
    // fields (HistoryMessage), so this one need not repeat its sentences.
    static constexpr const char *Errors[] = {"",
                                             "set aside",
                                             "unavailable",
                                             "unavailable, not set aside",
                                             "closed",
                                             "not recorded, kept",
                                             "not recorded, unavailable",
                                             "not recorded",
                                             "sitting not recorded",
                                             "seen not recorded",
                                             "read failed",
                                             "export failed",
                                             "exported"};
    if (s.error == HistoryError::None)
        return {};
    std::string out = std::string("history ") + Errors[static_cast<int>(s.error)] + ": " + s.path;
    if (const std::string cause = Describe(s.cause); !cause.empty())
        out += " (" + cause + ")";
    if (!s.aside.empty())
        out += "; broken (" + Describe(s.broken) + "), set aside as " + s.aside;
    if (s.count != 0)
        out += "; " + std::to_string(s.count) + " turns";
    return out;
}
