#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

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
    friend bool operator==(const TurnRecord &, const TurnRecord &) = default;
};

// The outcome of a history operation: ok, and a message for the player when
// there is something to say (a failure, or a broken file set aside).
struct HistoryStatus {
    bool ok = true;
    std::string message;
    explicit operator bool() const { return ok; }
};

enum class HistoryPeriod { All, Last7Days, Last30Days, Last365Days };

// Which turns a query looks at. A period is counted in whole UTC days ending
// with the day of `now` (today and the days before it).
struct HistoryFilter {
    int minLevel = std::numeric_limits<int>::min();
    int maxLevel = std::numeric_limits<int>::max();
    HistoryPeriod period = HistoryPeriod::All;
    std::int64_t now = 0;  // seconds since 1970 UTC taken as "now"; 0 reads the clock
};

struct DayScore {
    std::int64_t day = 0;  // UTC days since 1970-01-01
    std::string date;      // the same day as YYYY-MM-DD
    int turns = 0;
    double averageScore = 0;  // average final score of the day's turns
    double movingAverage = 0; // average final score of all turns in the window of days ending here
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
};

struct AssessmentSitting {
    std::int64_t assessment = 0;
    std::int64_t firstUtc = 0;
    std::int64_t lastUtc = 0;
    int turns = 0;
    std::int64_t totalFinalScore = 0;
    double averageFinalScore = 0;
};

// The player's turn history in one SQLite file, history.sqlite, in a folder the
// caller chooses. Every turn is committed in a transaction of its own with a
// full sync, so a game killed at any moment loses at most the turn being
// written. A file that is damaged or written by a newer version is set aside
// under a dated name and a new history started; a folder that cannot be
// written leaves the history unavailable and the game goes on. No operation
// throws: each one returns a status with a message for the player. The
// statistics are read from sums per UTC day and level that the file keeps
// beside the turns, updated in the transaction of every turn, so a year of
// 100,000 turns is charted about as fast as a year of 100, with the same
// numbers as counting the turns one by one.
//
// SQLite sits in the core, not behind Qt SQL, because the history is a store
// of the game's rules that tests drive without Qt, and linking the system
// library means the package needs no Qt SQL driver.
class History {
public:
    static constexpr int SchemaVersion = 3;
    static constexpr int DefaultBusyTimeoutMs = 3000;
    static constexpr const char *FileName = "history.sqlite";

    History() = default;
    ~History();
    History(const History &) = delete;
    History &operator=(const History &) = delete;

    // Opens folder/history.sqlite, creating the folder and the file when
    // missing and bringing an older schema up to date. ok with a message: a
    // broken file was set aside and an empty history started. Not ok: the
    // history is unavailable (IsOpen() is false); the message says why.
    HistoryStatus Open(const std::string &folder, int busyTimeoutMs = DefaultBusyTimeoutMs);
    void Close();
    bool IsOpen() const { return m_db != nullptr; }
    const std::string &FilePath() const { return m_path; }

    // Stores the turn in one transaction. A turn that could not be stored
    // (another copy holding the file, a full disk) is kept and stored with the
    // next Append; the message says so.
    HistoryStatus Append(const TurnRecord &turn);
    // Stores many turns in one transaction, all or none (a history brought
    // in whole). Unlike Append, turns that could not be stored are not kept.
    HistoryStatus AppendAll(const std::vector<TurnRecord> &turns);

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
    // The highest final score of each level; the earliest turn wins a tie.
    HistoryStatus BestTurnByLevel(const HistoryFilter &filter, std::vector<BestTurn> &best) const;
    // One row per assessment sitting, in the order they were taken.
    HistoryStatus AssessmentResults(const HistoryFilter &filter, std::vector<AssessmentSitting> &results) const;

    // The whole history as CSV (RFC 4180: header row, CR LF, quoted fields
    // where needed), replacing `path` atomically.
    HistoryStatus ExportCsv(const std::string &path) const;

private:
    enum class OpenOutcome { Ready, Broken, Unavailable };
    OpenOutcome TryOpen(std::string &detail, bool &newer);
    bool CreateOrMigrate(int version, std::string &detail);
    HistoryStatus Failed(std::string_view what, int rc) const;
    // Inserts the turns in one transaction; false with nothing stored and
    // the reason in `failure`.
    bool InsertAll(const std::vector<TurnRecord> &turns, std::string &failure);

    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_insert = nullptr;
    std::string m_path;
    int m_busyTimeoutMs = DefaultBusyTimeoutMs;
    std::vector<TurnRecord> m_pending;
};

// The CSV header of ExportCsv, field names joined by commas.
std::string HistoryCsvHeader();
// Splits RFC 4180 text into rows of fields (CR LF or LF line ends, quoted
// fields with doubled quotes and line breaks). False with a message on text
// that is not valid CSV.
bool ParseCsv(std::string_view text, std::vector<std::vector<std::string>> &rows, std::string &error);
// Reads a file written by ExportCsv back into turns.
HistoryStatus ReadHistoryCsv(const std::string &path, std::vector<TurnRecord> &turns);
// The UTC date of a time as YYYY-MM-DD.
std::string UtcDate(std::int64_t utcSeconds);
