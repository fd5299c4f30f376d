// The history file's tables: made for a new file, and an older file's brought
// up to the current version in one transaction, so a migration killed halfway
// leaves the file as it was.

#include "core/codes/assessment.h"
#include "core/codes/puzzlecode.h"
#include "core/storage/historysql.h"
#include "core/storage/historystore.h"

#include <span>

using namespace historysql;

namespace {

// The turns table as version 2 left it; first_play comes with the step to
// version 4 and exercise with the step to version 5, as for every older file.
// Version 1 had no per-sheet counters, no help columns, no final score and no
// assessment; MigrateFrom1Sql adds them.
std::string CreateTurnsSql()
{
    std::string sql = "CREATE TABLE turns(id INTEGER PRIMARY KEY, utc INTEGER NOT NULL, code TEXT NOT NULL";
    for (const char *c : std::span(NumberColumns).first(NumberColumns.size() - 1))
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

// Version 3 brought the day sums (made in their present form by the step to
// version 5) and dropped the index of times that versions 1 and 2 kept: no
// query reads the turns by time any more, and every turn would pay for it.
constexpr const char *MigrateTo3Sql = "DROP INDEX IF EXISTS turns_by_time;";

// Version 4: whether a turn was the player's first meeting with its figure
// (older turns can only tell a restart), the figures seen (filled from the
// turns' codes by BackfillSeen) and the complete assessment sittings, which
// the statistics read instead of grouping the turns (so the index of the
// assessment turns that version 3 kept goes). A sitting is complete
// when its turns hold all twelve figures; a figure played twice counts with
// its first turn. Best scores now count first plays only, which the day sums
// built anew by the step to version 5 take in.
std::string MigrateTo4Sql()
{
    return std::string(
               "ALTER TABLE turns ADD COLUMN first_play INTEGER NOT NULL DEFAULT 1;"
               "UPDATE turns SET first_play = 0 WHERE restart <> 0;"
               "CREATE TABLE seen(level INTEGER NOT NULL, seed INTEGER NOT NULL, PRIMARY KEY(level, seed)) WITHOUT ROWID;"
               "CREATE TABLE sittings(id INTEGER PRIMARY KEY, utc INTEGER NOT NULL, total_score INTEGER NOT NULL,"
               " total_seconds INTEGER NOT NULL);"
               "INSERT INTO sittings SELECT assessment, max(utc), sum(final_score), coalesce(sum(seconds), 0) FROM"
               " (SELECT assessment, utc, final_score, seconds,"
               " row_number() OVER (PARTITION BY assessment, code ORDER BY utc, id) AS nth FROM turns"
               " WHERE assessment <> 0) WHERE nth = 1 GROUP BY assessment HAVING count(*) = ") +
           std::to_string(AssessmentSize) +
           ";"
           "DROP INDEX IF EXISTS turns_by_assessment;";
}

// Version 5: a turn belongs to an exercise, drawing the views or building the
// figure; every older turn drew the views. A figure is seen per exercise, and
// the figures seen so far count as seen in both: drawing the views shows the
// figure in 3D, so a builder has met it too. The sums of each UTC day and
// level that the statistics read (so that a chart of a year costs about the
// same after 100 turns or 100,000) are kept per exercise as well, so the table
// of any older version (or none, before version 3) is replaced and built anew
// from the turns, and its trigger with it: the sums are then kept in the
// transaction of every turn inserted and never disagree with the turns. A day
// is utc / 86400 as SQLite divides (toward zero), as every query counts days.
// SQLite's max(a, NULL) is NULL, hence the coalesce for a day whose turns so
// far were all replays.
std::string MigrateTo5Sql()
{
    return std::string(
               "DROP TRIGGER IF EXISTS turns_into_day_levels;"
               "ALTER TABLE turns ADD COLUMN exercise TEXT NOT NULL DEFAULT 'views';"
               "ALTER TABLE seen RENAME TO seen_4;"
               "CREATE TABLE seen(level INTEGER NOT NULL, seed INTEGER NOT NULL, exercise TEXT NOT NULL,"
               " PRIMARY KEY(level, seed, exercise)) WITHOUT ROWID;"
               "INSERT INTO seen SELECT level, seed, e.column1 FROM seen_4"
               " CROSS JOIN (VALUES('views'), ('build')) AS e;"
               "DROP TABLE seen_4;"
               "DROP TABLE IF EXISTS day_levels;"
               "CREATE TABLE day_levels(day INTEGER, level INTEGER, exercise TEXT NOT NULL, turns INTEGER NOT NULL,"
               " final_score INTEGER NOT NULL, best_score INTEGER, seconds INTEGER NOT NULL, x_right INTEGER NOT NULL,"
               " x_wrong INTEGER NOT NULL, y_right INTEGER NOT NULL, y_wrong INTEGER NOT NULL, z_right INTEGER NOT NULL,"
               " z_wrong INTEGER NOT NULL, UNIQUE(day, level, exercise));"
               "INSERT INTO day_levels SELECT ") +
           DaySumsOfTurns +
           " FROM turns GROUP BY 1, 2, 3;"
           "CREATE TRIGGER turns_into_day_levels AFTER INSERT ON turns BEGIN"
           " INSERT INTO day_levels VALUES(new.utc / 86400, new.level, new.exercise, 1, new.final_score,"
           " CASE WHEN new.first_play <> 0 THEN new.final_score END, coalesce(new.seconds, 0),"
           " new.x_right, new.x_wrong, new.y_right, new.y_wrong, new.z_right, new.z_wrong)"
           " ON CONFLICT(day, level, exercise) DO UPDATE SET turns = turns + 1,"
           " final_score = final_score + excluded.final_score,"
           " best_score = coalesce(max(best_score, excluded.best_score), best_score, excluded.best_score),"
           " seconds = seconds + excluded.seconds,"
           " x_right = x_right + excluded.x_right, x_wrong = x_wrong + excluded.x_wrong,"
           " y_right = y_right + excluded.y_right, y_wrong = y_wrong + excluded.y_wrong,"
           " z_right = z_right + excluded.z_right, z_wrong = z_wrong + excluded.z_wrong;"
           " END;";
}

// Version 6: the coach. The mistakes a Check named, per turn (NULL for the
// turns before they were named) and one row per named mistake, which the
// statistics count over a period without reading the turns. Each turn's
// accuracy before help, which older turns' counts tell; the predicted
// accuracy and the rating after the turn, which older turns never had; and
// the tries before the first hint or peek, which older turns did not count;
// the teacher's assignment a turn belongs to.
constexpr const char *MigrateTo6Sql =
    "ALTER TABLE turns ADD COLUMN mistakes TEXT;"
    "CREATE TABLE turn_mistakes(day INTEGER NOT NULL, level INTEGER NOT NULL, exercise TEXT NOT NULL,"
    " sheet TEXT NOT NULL, token TEXT NOT NULL);"
    "CREATE INDEX turn_mistakes_by_day ON turn_mistakes(day);"
    "ALTER TABLE turns ADD COLUMN accuracy REAL;"
    "ALTER TABLE turns ADD COLUMN predicted REAL;"
    "ALTER TABLE turns ADD COLUMN rating REAL;"
    "ALTER TABLE turns ADD COLUMN help_seconds INTEGER;"
    "ALTER TABLE turns ADD COLUMN help_strokes INTEGER;"
    "ALTER TABLE turns ADD COLUMN assignment TEXT;"
    "UPDATE turns SET accuracy = CASE WHEN total_right > 0 AND total_right + total_wrong > 0"
    " THEN CAST(total_right AS REAL) / (total_right + total_wrong) ELSE 0.0 END;"
    // The coach's statistics read sums per day, as the others do, kept by a
    // trigger in each turn's transaction: the rating at the day's end (the
    // latest turn's), the rated first plays per tenth of predicted accuracy,
    // and the tries before help. Older turns have none of these to sum.
    "CREATE TABLE day_ratings(day INTEGER NOT NULL, exercise TEXT NOT NULL, id INTEGER NOT NULL, rating REAL NOT NULL,"
    " PRIMARY KEY(day, exercise)) WITHOUT ROWID;"
    "CREATE TABLE day_calibration(day INTEGER NOT NULL, level INTEGER NOT NULL, exercise TEXT NOT NULL,"
    " band INTEGER NOT NULL, turns INTEGER NOT NULL, predicted REAL NOT NULL, accuracy REAL NOT NULL,"
    " PRIMARY KEY(day, level, exercise, band)) WITHOUT ROWID;"
    "CREATE TABLE day_help(day INTEGER NOT NULL, level INTEGER NOT NULL, exercise TEXT NOT NULL, turns INTEGER NOT NULL,"
    " seconds INTEGER NOT NULL, strokes INTEGER NOT NULL, PRIMARY KEY(day, level, exercise)) WITHOUT ROWID;"
    "CREATE TRIGGER turns_into_coach_days AFTER INSERT ON turns BEGIN"
    " INSERT INTO day_ratings SELECT new.utc / 86400, new.exercise, new.id, new.rating WHERE new.rating IS NOT NULL"
    " ON CONFLICT(day, exercise) DO UPDATE SET id = excluded.id, rating = excluded.rating WHERE excluded.id > id;"
    " INSERT INTO day_calibration SELECT new.utc / 86400, new.level, new.exercise,"
    " min(9, max(0, CAST(new.predicted * 10 AS INTEGER))), 1, new.predicted, new.accuracy"
    " WHERE new.first_play <> 0 AND new.predicted IS NOT NULL AND new.accuracy IS NOT NULL"
    " ON CONFLICT(day, level, exercise, band) DO UPDATE SET turns = turns + 1,"
    " predicted = predicted + excluded.predicted, accuracy = accuracy + excluded.accuracy;"
    " INSERT INTO day_help SELECT new.utc / 86400, new.level, new.exercise, 1, new.help_seconds,"
    " coalesce(new.help_strokes, 0) WHERE new.help_seconds IS NOT NULL"
    " ON CONFLICT(day, level, exercise) DO UPDATE SET turns = turns + 1, seconds = seconds + excluded.seconds,"
    " strokes = strokes + excluded.strokes;"
    " END;";

} // namespace

// Creates the tables (version 0) or migrates them, all in one transaction.
// False with reason NotAHistory when the tables are not as expected; false
// with the system's reason when the file could not be written.
bool History::CreateOrMigrate(int version, HistoryCause &cause)
{
    int rc = SQLITE_OK;
    if (!Exec(m_db, "BEGIN IMMEDIATE", rc)) {
        cause = WriteFailure(rc);
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
    std::string steps = version == 0 ? CreateTurnsSql() : version == 1 ? MigrateFrom1Sql : "";
    if (version < 3)
        steps += MigrateTo3Sql;
    if (version < 4)
        steps += MigrateTo4Sql();
    if (version < 5)
        steps += MigrateTo5Sql();
    steps += std::string(MigrateTo6Sql) + "PRAGMA user_version = " + std::to_string(SchemaVersion) + ";";
    if (now == version && Exec(m_db, steps.c_str(), rc)) {
        // Version 4 files already keep the figures their turns showed.
        rc = version < 4 ? BackfillSeen() : SQLITE_OK;
        if (rc == SQLITE_OK && Exec(m_db, "COMMIT", rc))
            return true;
    }
    const bool damage = rc == SQLITE_OK || (rc & 0xff) == SQLITE_ERROR || IsDamage(rc);
    cause = damage ? HistoryCause{HistoryReason::NotAHistory, {}, 0} : WriteFailure(rc);
    RollBack(m_db);
    return false;
}

// The figures of the turns stored before version 4 are seen, in both
// exercises as the seen figures of version 4 are: a code tells its level and
// seed. A code that does not read (typed by hand into an old file) names no
// figure and is passed over. Returns SQLite's result code.
int History::BackfillSeen()
{
    Statement codes(m_db, "SELECT DISTINCT code FROM turns");
    Statement insert(m_db, "INSERT OR IGNORE INTO seen VALUES(?1, ?2, ?3)");
    while (codes.Step()) {
        const ParsedPuzzleCode parsed = ParsePuzzleCode(codes.Text(0));
        if (!parsed.code)
            continue;
        for (Exercise e : AllExercises) {
            insert.Bind(1, parsed.code->level);
            insert.Bind(2, parsed.code->seed);
            insert.Bind(3, ExerciseName(e));
            if (insert.Step() || insert.rc != SQLITE_DONE)
                return insert.rc;
            insert.Reset();
        }
    }
    return codes.rc == SQLITE_DONE ? SQLITE_OK : codes.rc;
}
