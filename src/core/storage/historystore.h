#pragma once

#include "core/codes/exercise.h"

#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;
namespace historysql {
class Statement;
}

// Right, Wrong and Score of one sheet or of the whole turn.
struct TurnTally {
    int right = 0;
    int wrong = 0;
    int score = 0;
    friend bool operator==(const TurnTally &, const TurnTally &) = default;
};

// One finished turn as the history keeps it.
struct TurnRecord {
    std::int64_t utcSeconds = 0;  // when the turn ended, seconds since 1970-01-01 UTC
    std::string puzzleCode;
    int level = 0;
    int seconds = 0;
    std::array<TurnTally, 3> sheets{};  // X, Y, Z
    TurnTally total;
    int hintsUsed = 0;
    int peeksUsed = 0;
    int helpCost = 0;
    int finalScore = 0;  // total.score less helpCost
    bool restart = false;
    bool fromCode = false;
    bool daily = false;
    std::int64_t assessment = 0;  // the assessment sitting the turn belongs to, 0 for none
    // The player met the figure fresh: a replay or a restart only shows how
    // well a figure was remembered, so it never sets a best turn.
    bool firstPlay = true;
    Exercise exercise = Exercise::Views;
    // The mistakes a Check named, "X:mirror-lr;Z:sheet-Y" (MistakesText);
    // empty when none, none at all for turns stored before mistakes were named.
    std::optional<std::string> mistakes = std::nullopt;
    // The coach's view of the turn. accuracy: Right / (Right + Wrong) before
    // help. predicted: the accuracy the player's rating expected; rating: the
    // player's rating in the turn's exercise after it (unchanged unless a
    // first play); neither for turns stored before the rating. helpSeconds and
    // helpStrokes: seconds and strokes before the first hint or peek, none
    // when no help was used.
    double accuracy = 0;
    std::optional<double> predicted = std::nullopt;
    std::optional<double> rating = std::nullopt;
    std::optional<int> helpSeconds = std::nullopt;
    std::optional<int> helpStrokes = std::nullopt;
    // The id of the teacher's assignment the turn was played in; none for
    // every other turn.
    std::optional<std::string> assignment = std::nullopt;
    friend bool operator==(const TurnRecord &, const TurnRecord &) = default;
};

// A complete assessment sitting: all twelve figures played.
struct SittingRecord {
    std::int64_t id = 0;  // the assessment number its turns carry
    std::int64_t utcSeconds = 0;  // when its last figure was played
    std::int64_t totalScore = 0;
    std::int64_t totalSeconds = 0;
};

// What a history operation has to tell, as a code and its particulars, so that
// the window words it in the player's language (DescribeHistoryStatus gives
// the fields tersely for logs). Each value names the fields of HistoryStatus it fills.
enum class HistoryError {
    None,
    SetAside,                // ok: `path` was broken (`broken`), set aside as `aside`; a new history was started
    Unavailable,             // `path` cannot be used (`cause`); with `aside`, a broken file (`broken`) was set aside first
    UnavailableNotSetAside,  // `path` is broken (`broken`) and could not be set aside (`cause`)
    Closed,                  // no history is open
    NotRecordedKept,         // a turn was not stored (`cause`); `count` turns wait for the next Append
    NotRecordedUnavailable,  // `count` turns were not stored: no history is open
    NotRecorded,             // `count` turns were not stored (`cause`) and are not kept
    SittingNotRecorded,      // an assessment sitting was not stored (`cause`)
    SeenNotRecorded,         // a figure was not marked as seen (`cause`)
    ReadFailed,              // `cause`
    ExportFailed,            // the CSV file `path` was not written (`cause`)
    Exported,                // ok: `count` turns were written to the CSV file `path`
};

// Why something failed, when the history can say it in its own terms;
// otherwise System, with the system's or SQLite's words.
enum class HistoryReason {
    System,             // `text`
    Busy,               // another running copy kept the file busy for `number` seconds
    FolderNotWritable,  // the folder cannot be written; `text` is the system's reason
    ReadOnlyFile,       // the file can only be read
    NotAHistory,        // the file's tables are not those of a turn history
    NewerFormat,        // a newer version wrote the file, in format `number`
};

struct HistoryCause {
    HistoryReason reason = HistoryReason::System;
    std::string text;
    int number = 0;
};

// The outcome of a history operation: ok, and the code of what there is to
// tell (None when nothing: a failure, or a broken file set aside).
struct HistoryStatus {
    bool ok = true;
    HistoryError error = HistoryError::None;
    std::string path;    // the history file, or the CSV file of an export
    HistoryCause cause;  // why it failed
    std::string aside;   // the name a broken file was set aside as, without its folder
    HistoryCause broken; // why that file was taken for broken
    int count = 0;       // turns, as each error says
    explicit operator bool() const { return ok; }
};

// The status's fields in one terse line for logs, tools and test failures;
// the player reads the window's wording (HistoryMessage).
std::string DescribeHistoryStatus(const HistoryStatus &status);

enum class HistoryPeriod { All, Last7Days, Last30Days, Last365Days };

// Which turns a query looks at. A period is counted in whole UTC days ending
// with the day of `now` (today and the days before it).
struct HistoryFilter {
    int minLevel = std::numeric_limits<int>::min();
    int maxLevel = std::numeric_limits<int>::max();
    HistoryPeriod period = HistoryPeriod::All;
    std::int64_t now = 0;  // seconds since 1970 UTC taken as "now"; 0 reads the clock
    std::optional<Exercise> exercise;  // empty: the turns of both exercises
};

struct DayScore {
    std::int64_t day = 0;  // UTC days since 1970-01-01
    std::string date;      // the same day as YYYY-MM-DD
    int turns = 0;
    double averageScore = 0;  // average final score of the day's turns
    double movingAverage = 0; // average final score of all turns in the window of days ending here
    std::optional<double> accuracy;  // the day's points right / all its points; none without points
};

struct SheetAccuracy {
    std::int64_t right = 0;
    std::int64_t wrong = 0;
    // right / (right + wrong); empty when the sheet has no counted points.
    std::optional<double> accuracy;
};

struct LevelSeconds {
    int level = 0;
    int turns = 0;
    double averageSeconds = 0;
};

struct BestTurn {
    int level = 0;
    int finalScore = 0;
    std::int64_t utcSeconds = 0;
    std::string puzzleCode;
    Exercise exercise = Exercise::Views;
};

// How often a mistake was named on a sheet.
struct MistakeTally {
    char sheet = 'X';
    std::string token;
    int count = 0;
    friend bool operator==(const MistakeTally &, const MistakeTally &) = default;
};

// The rated first plays of one exercise, for the coach to carry on.
struct RatedFirstPlay {
    std::string puzzleCode;
    double accuracy = 0;
    double predicted = 0;
    double rating = 0;  // after the turn
};
struct RatingRecord {
    std::optional<double> latest;  // the rating after the exercise's latest turn
    std::int64_t ratedFirstPlays = 0;
    std::vector<RatedFirstPlay> recent;  // the latest ones, oldest first
};

// The rating at the end of each UTC day with rated turns, per exercise.
struct DayRating {
    std::int64_t day = 0;
    std::string date;
    Exercise exercise = Exercise::Views;
    double rating = 0;
};

// Rated first plays whose predicted accuracy fell in one tenth of the range:
// band b holds predictions from b/10 up to (b+1)/10, 1.0 in band 9.
struct CalibrationBand {
    int band = 0;
    int turns = 0;
    double predicted = 0;  // the band's mean prediction
    double actual = 0;     // the band's mean accuracy
};

// How long players tried before their first hint or peek, over the turns
// that used help.
struct HelpTries {
    int turns = 0;
    double seconds = 0;
    double strokes = 0;
};

struct AssessmentSitting {
    std::int64_t assessment = 0;
    std::int64_t firstUtc = 0;
    std::int64_t lastUtc = 0;
    int turns = 0;
    std::int64_t totalFinalScore = 0;
    double averageFinalScore = 0;
    std::int64_t totalSeconds = 0;
};

// The player's turn history in one SQLite file, history.sqlite, in a folder the
// caller chooses. Every turn is committed in a transaction of its own with a
// full sync, so a game killed at any moment loses at most the turn being
// written. A file that is damaged or written by a newer version is set aside
// under a dated name and a new history started; a folder that cannot be
// written leaves the history unavailable and the game goes on. No operation
// throws: each one returns a status telling what the player should know. The
// statistics are read from sums per UTC day, level and exercise that the file
// keeps beside the turns, updated in the transaction of every turn, so a year of
// 100,000 turns is charted about as fast as a year of 100, with the same
// numbers as counting the turns one by one. Beside the turns it keeps the
// figures the player has seen in each exercise and the complete assessment
// sittings.
//
// SQLite sits in the core, not behind Qt SQL, because the history is a store
// of the game's rules that tests drive without Qt, and linking the system
// library means the package needs no Qt SQL driver.
class History {
public:
    static constexpr int SchemaVersion = 6;
    static constexpr int DefaultBusyTimeoutMs = 3000;
    static constexpr const char *FileName = "history.sqlite";

    History() = default;
    ~History();
    History(const History &) = delete;
    History &operator=(const History &) = delete;

    // Opens folder/history.sqlite, creating the folder and the file when
    // missing and bringing an older schema up to date. ok with SetAside: a
    // broken file was set aside and an empty history started. Not ok: the
    // history is unavailable (IsOpen() is false); the status says why.
    HistoryStatus Open(const std::string &folder, int busyTimeoutMs = DefaultBusyTimeoutMs);
    void Close();
    bool IsOpen() const { return m_db != nullptr; }
    const std::string &FilePath() const { return m_path; }

    // Stores the turn in one transaction. A turn that could not be stored
    // (another copy holding the file, a full disk) is kept and stored with the
    // next Append; the status says so.
    HistoryStatus Append(const TurnRecord &turn);
    // Stores many turns in one transaction, all or none (a history brought
    // in whole). Unlike Append, turns that could not be stored are not kept.
    HistoryStatus AppendAll(const std::vector<TurnRecord> &turns);

    // A figure is known by its level and generator seed, and seen in one
    // exercise: having drawn its views says nothing of building it. Marking
    // one seen again changes nothing.
    HistoryStatus MarkSeen(int level, std::uint32_t seed, Exercise exercise);
    HistoryStatus IsSeen(int level, std::uint32_t seed, Exercise exercise, bool &seen) const;
    // Stores a complete sitting; one stored again under the same id replaces it.
    HistoryStatus AppendSitting(const SittingRecord &sitting);

    HistoryStatus Turns(std::vector<TurnRecord> &turns) const;
    HistoryStatus TurnCount(const HistoryFilter &filter, std::int64_t &count) const;
    // One row per UTC day with turns, oldest first; the moving average covers
    // the `windowDays` calendar days ending with the row's day.
    HistoryStatus ScoreByDay(const HistoryFilter &filter, std::vector<DayScore> &days, int windowDays = 7) const;
    HistoryStatus AccuracyBySheet(const HistoryFilter &filter, std::array<SheetAccuracy, 3> &sheets) const;
    HistoryStatus SecondsByLevel(const HistoryFilter &filter, std::vector<LevelSeconds> &levels) const;
    // Consecutive UTC days with at least one turn, ending today or yesterday
    // (0 otherwise). The period of the filter does not apply; its levels do.
    HistoryStatus DailyStreak(const HistoryFilter &filter, int &days) const;
    // The highest final score of each level and exercise among first plays,
    // by level and, within a level, views before build; the earliest turn
    // wins a tie.
    HistoryStatus BestTurnByLevel(const HistoryFilter &filter, std::vector<BestTurn> &best) const;
    // The mistakes named on each sheet, most often first (then by sheet and
    // token).
    HistoryStatus MistakeCounts(const HistoryFilter &filter, std::vector<MistakeTally> &tallies) const;
    // The coach's questions. Ratings: the exercise's latest rating and its
    // `recentCount` latest rated first plays.
    HistoryStatus Ratings(Exercise exercise, std::size_t recentCount, RatingRecord &record) const;
    // The statistics of the filter's rated turns, from sums per day. The
    // rating at each day's end is the player's whatever the level played, so
    // the filter's levels do not narrow it.
    HistoryStatus RatingByDay(const HistoryFilter &filter, std::vector<DayRating> &days) const;
    HistoryStatus Calibration(const HistoryFilter &filter, std::vector<CalibrationBand> &bands) const;
    HistoryStatus TriesBeforeHelp(const HistoryFilter &filter, HelpTries &tries) const;
    // One row per complete sitting, in the order they ended. A sitting spans
    // levels, so only the filter's period applies.
    HistoryStatus AssessmentResults(const HistoryFilter &filter, std::vector<AssessmentSitting> &results) const;

    // The whole history as CSV (RFC 4180: header row, CR LF, quoted fields
    // where needed), replacing `path` atomically.
    HistoryStatus ExportCsv(const std::string &path) const;

private:
    enum class OpenOutcome { Ready, Broken, Unavailable };
    OpenOutcome TryOpen(HistoryCause &cause);
    bool CreateOrMigrate(int version, HistoryCause &cause);
    int BackfillSeen();
    HistoryStatus Failed(HistoryError error, int rc) const;
    HistoryCause WriteFailure(int rc) const;
    // Inserts the turns in one transaction; false with nothing stored and
    // the reason in `failure`.
    bool InsertAll(const std::vector<TurnRecord> &turns, HistoryCause &failure);
    bool InsertMistakes(historysql::Statement &named, const TurnRecord &t, int &rc);

    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_insert = nullptr;
    // The named mistakes' insert, prepared with the turns' at open: an append
    // pays for no parsing.
    struct StatementDeleter {
        void operator()(historysql::Statement *s) const;
    };
    std::unique_ptr<historysql::Statement, StatementDeleter> m_insertMistake;
    std::string m_path;
    int m_busyTimeoutMs = DefaultBusyTimeoutMs;
    std::vector<TurnRecord> m_pending;
};
