// What the rules cost when a player triggers them: a new figure, the true
// projections, a Check, finishing a stroke, picking a lattice point in the 3D
// view, checking a built figure, choosing a figure near the coach's target,
// reading and saving the results file, appending a turn to the history and
// the statistics read from it. Run by scripts/bench, whose goal table says
// what each must meet: the rules under 50 µs, a Check with the classification
// the window shows after it and the Check of a built figure under 100 µs, a
// click's pick under 20 µs, choosing a figure within 20 ms (it runs once per
// New); reading a million-line results file within 1.5 times a 9-line one
// (only the first lines count, so the file's length must not); saving a
// record within 1.2 times the least a locked, crash-safe replacement of the
// same bytes costs on this disk (DurableReplace, timed beside it); appending a
// turn with the rating's update within 1.5 times a bare SQLite transaction
// inserting one row of the same columns (BareInsert, timed beside it).

#include "benchhistory.h"

#include "core/coach/choice.h"
#include "core/coach/rating.h"
#include "core/figure/figure.h"
#include "core/figure/randomgenerator.h"
#include "core/turn/game.h"
#include "core/turn/turnsession.h"
#include "core/view3d/viewprojection.h"
#include "core/storage/history.h"
#include "core/storage/resultsfile.h"
#include "core/sheets/classify.h"
#include "core/sheets/mistakes.h"
#include "core/sheets/sampling.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <array>
#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr int TopLevel = MaxLevel;  // 84: the largest figure
constexpr std::uint32_t FixedSeed = 20240917;

// Figures of one level from a fixed seed, so every run measures the same mix.
std::vector<Figure> FiguresOfLevel(int level, int count)
{
    RandomGenerator random(FixedSeed);
    std::vector<Figure> figures(static_cast<std::size_t>(count));
    for (Figure &f : figures)
        InitObjects(f, SegmentCountForLevel(level), random);
    return figures;
}

// Every stroke a player can draw between two different lattice points, in a
// fixed shuffled order (no two are the same line, so none erases another).
std::vector<Stroke> DistinctStrokes()
{
    std::vector<Stroke> all;
    for (int a = 0; a < 25; ++a)
        for (int b = a + 1; b < 25; ++b)
            all.emplace_back(a % 5 + 1, a / 5 + 1, b % 5 + 1, b / 5 + 1);
    RandomGenerator random(FixedSeed);
    for (std::size_t i = all.size() - 1; i > 0; --i)
        std::swap(all[i], all[random.Draw(static_cast<std::uint32_t>(i + 1))]);
    return all;
}

// Draws a stroke the way the sheet widget feeds the mouse to the rules:
// click at the start, click at the end.
SheetInput::ReleaseResult Draw(SheetInput &input, const Stroke &s)
{
    static const SheetLattice cells{40, 40};
    input.MousePress(s.StartCol * 40, s.StartRow * 40, cells);
    input.MouseRelease(s.StartCol * 40, s.StartRow * 40, cells);
    input.MousePress(s.EndCol * 40, s.EndRow * 40, cells);
    return input.MouseRelease(s.EndCol * 40, s.EndRow * 40, cells);
}

// A game at the top level whose three sheets hold `strokes` strokes each.
void FillSheets(Game &game, int strokes)
{
    game.SetLevel(TopLevel);
    game.Seed(FixedSeed);
    game.New();
    const std::vector<Stroke> all = DistinctStrokes();
    for (Sheet s : AllSheets) {
        SheetInput &input = game.Input(s);
        input.SetInputEnabled(true);
        for (int i = 0; i < strokes; ++i)
            Draw(input, all[static_cast<std::size_t>(i + 7 * SheetIndex(s))]);
        if (input.Strokes().LastUsedSlot() != strokes) {
            std::fprintf(stderr, "bench_rules: sheet holds %d strokes, not %d\n", input.Strokes().LastUsedSlot(),
                         strokes);
            std::exit(1);
        }
    }
}

// A folder made for this run in `parent`, removed at exit (the path is never
// destroyed, so the exit handler can still use it).
class RunFolder {
public:
    explicit RunFolder(const std::filesystem::path &parent)
    {
        std::string templ = (parent / "trivisto-bench-XXXXXX").string();
        if (!::mkdtemp(templ.data())) {
            std::perror("bench_rules: mkdtemp");
            std::exit(1);
        }
        m_path = templ;
    }
    ~RunFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    const std::filesystem::path &path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// The results files' scratch folder, in the machine's temporary folder.
const std::filesystem::path &ScratchDir()
{
    static const RunFolder dir(std::filesystem::temp_directory_path());
    return dir.path();
}

// The histories' scratch folder, beside this program: on the file system of
// the build, whatever the temporary folder is.
const std::filesystem::path &BuildScratchDir()
{
    static const RunFolder dir(std::filesystem::read_symlink("/proc/self/exe").parent_path());
    return dir.path();
}

// A results file as the game writes it: best first, CR LF line ends.
std::string ResultLines(int lines)
{
    std::string text;
    text.reserve(static_cast<std::size_t>(lines) * 24);
    for (int i = 0; i < lines; ++i)
        text += "Player" + std::to_string(i % 1000) + "," + std::to_string(2'000'000 - i) + "," +
                std::to_string(30 + i % 500) + ",,\r\n";
    return text;
}

void WriteFile(const std::filesystem::path &path, const std::string &text)
{
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(text.data(), 1, text.size(), f) != text.size() || std::fclose(f) != 0) {
        std::fprintf(stderr, "bench_rules: cannot write %s\n", path.c_str());
        std::exit(1);
    }
}

std::filesystem::path ResultsFileOf(int lines)
{
    const std::filesystem::path path = ScratchDir() / ("Stat" + std::to_string(lines) + ".txt");
    if (!std::filesystem::exists(path))
        WriteFile(path, ResultLines(lines));
    return path;
}

// ---- New: the figure and its projections -----------------------------------

void BM_InitObjects(benchmark::State &state)
{
    const int level = static_cast<int>(state.range(0));
    RandomGenerator random(FixedSeed);
    Figure figure;
    // The sequence runs on across iterations: every iteration is a new figure.
    for (auto _ : state) {
        InitObjects(figure, SegmentCountForLevel(level), random);
        benchmark::DoNotOptimize(figure);
    }
}
BENCHMARK(BM_InitObjects)->Arg(0)->Arg(TopLevel)->Unit(benchmark::kMicrosecond);

void BM_BuildTrueProjection3(benchmark::State &state)
{
    const std::vector<Figure> figures = FiguresOfLevel(TopLevel, 64);
    std::size_t next = 0;
    for (auto _ : state) {
        const Figure &f = figures[next++ % figures.size()];
        for (Sheet s : AllSheets)
            benchmark::DoNotOptimize(BuildTrueProjection(f, s));
    }
}
BENCHMARK(BM_BuildTrueProjection3)->Unit(benchmark::kMicrosecond);

// The whole of what the New button runs in the rules: empty sheets, a new
// figure and its three projections.
void BM_GameNew(benchmark::State &state)
{
    Game game;
    game.SetLevel(static_cast<int>(state.range(0)));
    game.Seed(FixedSeed);
    for (auto _ : state) {
        game.New();
        benchmark::DoNotOptimize(game.TrueProjection(Sheet::X).data());
    }
}
BENCHMARK(BM_GameNew)->Arg(TopLevel)->Unit(benchmark::kMicrosecond);

// ---- Drawing and checking ----------------------------------------------------

// Finishing a stroke on a sheet that already holds 100: the store replaces
// slot 100 and looks for pairs to erase.
void BM_FinishStroke(benchmark::State &state)
{
    Game game;
    FillSheets(game, 99);
    SheetInput &input = game.Input(Sheet::X);
    const std::vector<Stroke> all = DistinctStrokes();
    // Two strokes not among the 99, taking turns in slot 100 (neither erases).
    const std::array<Stroke, 2> extra{all[200], all[201]};
    int k = 0;
    for (auto _ : state) {
        const SheetInput::ReleaseResult r = Draw(input, extra[static_cast<std::size_t>(k++ & 1)]);
        benchmark::DoNotOptimize(r);
    }
    if (input.Strokes().LastUsedSlot() != SlotCount)
        state.SkipWithError("the sheet does not hold 100 strokes");
}
BENCHMARK(BM_FinishStroke)->Unit(benchmark::kMicrosecond);

void BM_Check3x100(benchmark::State &state)
{
    Game game;
    FillSheets(game, static_cast<int>(state.range(0)));
    // Checking the same drawing again gives the same counts, so each
    // iteration is a full Check of the three sheets.
    for (auto _ : state)
        benchmark::DoNotOptimize(game.Check());
}
BENCHMARK(BM_Check3x100)->Arg(100)->Unit(benchmark::kMicrosecond);

// What the window runs when the player presses Check: the rules' Check, then
// each sheet classified piece by piece for the revealed drawing.
void BM_CheckClassify3x100(benchmark::State &state)
{
    Game game;
    FillSheets(game, 100);
    for (auto _ : state) {
        benchmark::DoNotOptimize(game.Check());
        for (Sheet s : AllSheets) {
            SheetClassification c = Classify(game.TrueSegments(s), game.Input(s).Strokes().Slots());
            benchmark::DoNotOptimize(c.parts.data());
        }
    }
}
BENCHMARK(BM_CheckClassify3x100)->Unit(benchmark::kMicrosecond);

// Naming the mistakes of a Check: every transform of all three sheets' truth
// compared with the drawing (a level-84 figure, 100 strokes a sheet), from the
// sampling of the drawings on, as the turn session runs it.
void BM_NameMistakes(benchmark::State &state)
{
    Game game;
    FillSheets(game, 100);
    const std::array<SampleSet, 3> truth{game.TrueProjection(Sheet::X), game.TrueProjection(Sheet::Y),
                                         game.TrueProjection(Sheet::Z)};
    for (auto _ : state) {
        std::array<SampleSet, 3> drawn;
        for (Sheet s : AllSheets)
            drawn[static_cast<std::size_t>(SheetIndex(s))] = SampleSegments(game.Input(s).Strokes().Slots());
        benchmark::DoNotOptimize(NameMistakes(truth, drawn));
    }
}
BENCHMARK(BM_NameMistakes)->Unit(benchmark::kMicrosecond);

// "Choose figures for me": a New at level 84 drawing all 64 candidates (a
// rating no candidate suits, so no round stops early), each figure made and
// its features counted, with the levels' medians the rounds are steered by.
void BM_ChooseFigure(benchmark::State &state)
{
    std::mt19937 random(5);
    const RandomDraw draw = [&random](std::uint32_t n) {
        return std::uniform_int_distribution<std::uint32_t>(0, n - 1)(random);
    };
    int candidates = 0;
    for (auto _ : state) {
        const FigureChoice choice = ChooseFigure(TopLevel, -40.0, DefaultWeights, 0.75, draw);
        candidates = choice.candidates;
        benchmark::DoNotOptimize(choice);
    }
    state.counters["candidates"] = candidates;
}
BENCHMARK(BM_ChooseFigure)->Unit(benchmark::kMicrosecond);

// ---- Building ------------------------------------------------------------------

// What a click in the 3D view costs in the build exercise: the view's
// projection of the lattice for the camera as drawn, then the pick. The camera
// was turned by a drag; the pointer lands near each lattice point in turn,
// every other click the second of a segment (only the axis lines through its
// start count).
void BM_PickLatticePoint(benchmark::State &state)
{
    constexpr float Side = 540;
    Camera camera;
    camera.Press(0, 0);
    camera.Move(150, 60);
    std::vector<ScreenPoint> pointers;
    const ViewProjection at(camera, camera.Zoom, Side, Side);
    for (int i = 0; i < LatticePointCount; ++i) {
        const ScreenPoint p = at.Project(LatticePoint3{i / 25, i / 5 % 5, i % 5});
        pointers.push_back({p.x + 3, p.y - 4, 0});
    }
    const LatticePoint3 begun{2, 2, 2};
    std::size_t next = 0;
    int picked = 0;
    for (auto _ : state) {
        const ScreenPoint &p = pointers[next % pointers.size()];
        const auto through = next % 2 ? std::optional(begun) : std::nullopt;
        ++next;
        const ViewProjection view(camera, camera.Zoom, Side, Side);
        const std::optional<LatticePoint3> hit = PickLatticePoint(view, p.x, p.y, through);
        picked += hit ? 1 : 0;
        benchmark::DoNotOptimize(hit);
    }
    if (picked == 0)
        state.SkipWithError("no click picked a point");
}
BENCHMARK(BM_PickLatticePoint)->Unit(benchmark::kMicrosecond);

// Check of a built figure through the turn session, as the Check button runs
// it in the build exercise: the level-84 walk built segment by segment as a
// player builds it (not timed), then each iteration checks a fresh copy of
// that session, so every Check is the turn's first, recorded one.
void BM_CheckBuilt(benchmark::State &state)
{
    TurnSession built([] { return std::int64_t{1'700'000'000}; });
    built.Board().Seed(FixedSeed);
    built.StartAt(TopLevel);
    built.ChooseExercise(Exercise::Build);
    const Figure &figure = built.Board().CurrentFigure();
    for (int i = Figure::FirstShown + 1; i <= figure.LastShown(); ++i) {
        const FigureSegment &e = figure.entry[static_cast<std::size_t>(i)];
        built.BuildAt(LatticeOf(e.start));
        built.BuildAt(LatticeOf(e.end));
    }
    if (TurnSession probe = built; !probe.Check().outcome.sameAsWalk) {
        state.SkipWithError("the built figure is not the walk");
        return;
    }
    std::optional<TurnSession> session;
    for (auto _ : state) {
        state.PauseTiming();
        session.emplace(built);  // the copy checked before is destroyed here too
        state.ResumeTiming();
        benchmark::DoNotOptimize(session->Check());
    }
    state.counters["segments"] = static_cast<double>(built.Board().Built().Segments().size());
}
BENCHMARK(BM_CheckBuilt)->Unit(benchmark::kMicrosecond);

// ---- The results file ----------------------------------------------------------

void BM_ReadResultFile(benchmark::State &state)
{
    const std::string path = ResultsFileOf(static_cast<int>(state.range(0))).string();
    const ReadResult check = ReadResultFile(path);
    if (!check.error.empty() || check.RecordThreshold != 2'000'000) {
        state.SkipWithError("the results file did not read back");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadResultFile(path));
}
BENCHMARK(BM_ReadResultFile)->Arg(9)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);

// The record saved in the benchmark below: it goes in the middle of the file.
constexpr int SavedScore = 2'000'000 - 4;
constexpr int SavedSeconds = 61;

std::string ReadWhole(const std::filesystem::path &path)
{
    std::string text;
    if (std::FILE *f = std::fopen(path.c_str(), "rb")) {
        char buf[4096];
        for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;)
            text.append(buf, n);
        std::fclose(f);
    }
    return text;
}

// The least a locked, crash-safe replacement of a results file costs on this
// disk: an exclusive flock on a lock file beside it, a temporary file written
// and flushed to the device, renamed over the old one, and the folder flushed
// so that the rename itself survives a crash. Returns the seconds it took,
// or a negative number on failure.
double DurableReplace(const std::filesystem::path &dir, const std::string &bytes)
{
    const std::string path = (dir / "Stat.txt").string();
    const std::string lock = path + ".lock";
    const std::string temp = path + ".tmp";
    const auto t0 = std::chrono::steady_clock::now();
    const int lockFd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    bool ok = lockFd >= 0 && ::flock(lockFd, LOCK_EX) == 0;
    const int fd = ok ? ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644) : -1;
    ok = fd >= 0 && ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) && ::fsync(fd) == 0;
    ok = fd >= 0 && ::close(fd) == 0 && ok && std::rename(temp.c_str(), path.c_str()) == 0;
    const int dirFd = ok ? ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC) : -1;
    ok = dirFd >= 0 && ::fsync(dirFd) == 0 && ::close(dirFd) == 0 && ok;
    if (lockFd >= 0)
        ok = ::flock(lockFd, LOCK_UN) == 0 && ::close(lockFd) == 0 && ok;
    const auto t1 = std::chrono::steady_clock::now();
    return ok ? std::chrono::duration<double>(t1 - t0).count() : -1;
}

// A record saved into a 9-line file, against its floor: DurableReplace of
// the very bytes the save writes. The disk's timings wander with whatever
// else the machine writes, so each iteration times both, in alternating order,
// and the floor is reported beside the save (counter floor_us). Each file is
// laid anew before it is replaced, outside the timing; each has a folder of
// its own, which the save may flush or list.
void BM_SaveRecord(benchmark::State &state)
{
    const std::filesystem::path saveDir = ScratchDir() / "save";
    const std::filesystem::path floorDir = ScratchDir() / "floor";
    std::filesystem::create_directories(saveDir);
    std::filesystem::create_directories(floorDir);
    const std::filesystem::path savePath = saveDir / "Stat.txt";
    const std::filesystem::path floorPath = floorDir / "Stat.txt";
    const std::string nine = ResultLines(9);

    WriteFile(floorPath, nine);
    const std::string saved =
        SaveRecord(floorPath.string(), "Bench", SavedScore, SavedSeconds).empty() ? ReadWhole(floorPath) : "";
    if (saved.size() <= nine.size()) {
        state.SkipWithError("SaveRecord did not store the record");
        return;
    }

    double floorSeconds = 0;
    bool floorFirst = false;
    for (auto _ : state) {
        double floorTime = 0;
        auto replaceFloor = [&] {
            WriteFile(floorPath, nine);
            floorTime = DurableReplace(floorDir, saved);
        };
        if (floorFirst)
            replaceFloor();
        WriteFile(savePath, nine);
        const auto t0 = std::chrono::steady_clock::now();
        const std::string error = SaveRecord(savePath.string(), "Bench", SavedScore, SavedSeconds);
        const auto t1 = std::chrono::steady_clock::now();
        if (!floorFirst)
            replaceFloor();
        floorFirst = !floorFirst;
        if (!error.empty() || floorTime < 0) {
            state.SkipWithError(error.empty() ? "could not replace the scratch file" : error.c_str());
            break;
        }
        floorSeconds += floorTime;
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    }
    state.counters["floor_us"] = benchmark::Counter(floorSeconds * 1e6, benchmark::Counter::kAvgIterations);
}
// More repetitions than the CPU-bound benchmarks: the median is steadier.
BENCHMARK(BM_SaveRecord)->UseManualTime()->Repetitions(9)->Unit(benchmark::kMicrosecond);

// ---- The turn history ------------------------------------------------------------

constexpr int LongHistory = 100'000;

// The columns of the history's turns, as its CSV export names them (the
// same names as in the file): utc, code, the numbers and the exercise.
std::vector<std::string> TurnColumns()
{
    std::vector<std::string> names{"utc", "code"};
    const std::string header = HistoryCsvHeader();
    std::size_t at = 0;
    for (int field = 0; at <= header.size(); ++field) {
        const std::size_t comma = std::min(header.find(',', at), header.size());
        if (field >= 2)
            names.push_back(header.substr(at, comma - at));
        at = comma + 1;
    }
    return names;
}

// A turn's numbers in the order of the CSV export's columns after the code.
std::vector<std::int64_t> TurnNumbers(const TurnRecord &t)
{
    std::vector<std::int64_t> v{t.level, t.seconds};
    for (const TurnTally &s : t.sheets)
        v.insert(v.end(), {s.right, s.wrong, s.score});
    v.insert(v.end(), {t.total.right, t.total.wrong, t.total.score, t.hintsUsed, t.peeksUsed, t.helpCost,
                       t.finalScore, t.restart, t.fromCode, t.daily, t.assessment, t.firstPlay});
    return v;
}

// The floor of an append: a bare SQLite table of the turns' columns, in a
// file of its own with the history's journal mode and sync, one row inserted
// in a transaction of its own, as the history commits a turn.
class BareInsert {
public:
    explicit BareInsert(const std::filesystem::path &file)
    {
        const std::vector<std::string> columns = TurnColumns();
        std::string create = "CREATE TABLE IF NOT EXISTS turns(id INTEGER PRIMARY KEY";
        std::string insert = "INSERT INTO turns(";
        std::string marks;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            // The code and the exercise are text; the named mistakes and the
            // assignment text that may be NULL; the coach's columns numbers that may be NULL.
            const std::string &c = columns[i];
            const char *type = c == "code" || c == "exercise"                        ? " TEXT NOT NULL"
                               : c == "mistakes" || c == "assignment"                ? " TEXT"
                               : c == "accuracy" || c == "predicted" || c == "rating" ? " REAL"
                               : c == "help_seconds" || c == "help_strokes"          ? " INTEGER"
                                                                                     : " INTEGER NOT NULL";
            create.append(", ").append(c).append(type);
            insert.append(i ? ", " : "").append(c);
            marks.append(i ? ",?" : "?").append(std::to_string(i + 1));
        }
        create += ")";
        insert += ") VALUES(" + marks + ")";
        if (columns.size() != 33 || sqlite3_open(file.c_str(), &m_db) != SQLITE_OK ||
            !Exec("PRAGMA journal_mode=WAL") || !Exec("PRAGMA synchronous=FULL") || !Exec(create.c_str()) ||
            sqlite3_prepare_v2(m_db, insert.c_str(), -1, &m_insert, nullptr) != SQLITE_OK) {
            std::fprintf(stderr, "bench_rules: the bare table could not be made in %s\n", file.c_str());
            std::exit(1);
        }
    }
    ~BareInsert()
    {
        sqlite3_finalize(m_insert);
        sqlite3_close(m_db);
    }

    // One transaction per row, as the history commits a turn; false on failure.
    bool Insert(const TurnRecord &t) { return Exec("BEGIN IMMEDIATE") && Step(t) && Exec("COMMIT"); }
    // Many rows in one transaction, to lay a long table quickly.
    bool InsertAll(const std::vector<TurnRecord> &turns)
    {
        if (!Exec("BEGIN"))
            return false;
        for (const TurnRecord &t : turns)
            if (!Step(t))
                return false;
        return Exec("COMMIT");
    }

private:
    bool Exec(const char *sql) { return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }
    bool Step(const TurnRecord &t)
    {
        sqlite3_reset(m_insert);
        sqlite3_bind_int64(m_insert, 1, t.utcSeconds);
        sqlite3_bind_text(m_insert, 2, t.puzzleCode.data(), static_cast<int>(t.puzzleCode.size()), SQLITE_TRANSIENT);
        const std::vector<std::int64_t> v = TurnNumbers(t);
        for (std::size_t i = 0; i < v.size(); ++i)
            sqlite3_bind_int64(m_insert, static_cast<int>(i) + 3, v[i]);
        const std::string_view exercise = ExerciseName(t.exercise);
        sqlite3_bind_text(m_insert, static_cast<int>(v.size()) + 3, exercise.data(), static_cast<int>(exercise.size()),
                          SQLITE_STATIC);
        if (t.mistakes)
            sqlite3_bind_text(m_insert, static_cast<int>(v.size()) + 4, t.mistakes->data(),
                              static_cast<int>(t.mistakes->size()), SQLITE_TRANSIENT);
        else
            sqlite3_bind_null(m_insert, static_cast<int>(v.size()) + 4);
        const int coach = static_cast<int>(v.size()) + 5;
        sqlite3_bind_double(m_insert, coach, t.accuracy);
        for (int k = 0; k < 2; ++k) {
            const std::optional<double> &real = k == 0 ? t.predicted : t.rating;
            if (real)
                sqlite3_bind_double(m_insert, coach + 1 + k, *real);
            else
                sqlite3_bind_null(m_insert, coach + 1 + k);
            const std::optional<int> &count = k == 0 ? t.helpSeconds : t.helpStrokes;
            if (count)
                sqlite3_bind_int64(m_insert, coach + 3 + k, *count);
            else
                sqlite3_bind_null(m_insert, coach + 3 + k);
        }
        if (t.assignment)
            sqlite3_bind_text(m_insert, coach + 5, t.assignment->data(), static_cast<int>(t.assignment->size()),
                              SQLITE_TRANSIENT);
        else
            sqlite3_bind_null(m_insert, coach + 5);
        return sqlite3_step(m_insert) == SQLITE_DONE;
    }
    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_insert = nullptr;
};

// A history of a year's turns, written once per run and kept open.
History &OpenHistoryOf(int turns)
{
    const std::filesystem::path &root = BuildScratchDir();  // made first, so removed after the histories close
    static std::map<int, std::unique_ptr<History>> open;
    std::unique_ptr<History> &h = open[turns];
    if (!h) {
        const std::filesystem::path folder = root / ("year" + std::to_string(turns));
        std::filesystem::create_directories(folder);
        benchhistory::WriteHistory(folder, turns);
        h = std::make_unique<History>();
        if (const HistoryStatus s = h->Open(folder.string()); !s.ok || s.error != HistoryError::None) {
            std::fprintf(stderr, "bench_rules: %s\n", DescribeHistoryStatus(s).c_str());
            std::exit(1);
        }
    }
    return *h;
}

// A turn appended to a history of a year's 100,000 turns, against its floor:
// the same row inserted into a bare table that also holds 100,000 rows, in a
// file beside it. Both wait for the disk, whose timings wander with whatever
// else the machine writes, so each iteration times both, in alternating
// order; the floor is the counter floor_us.
void BM_HistoryAppend(benchmark::State &state)
{
    struct Files {
        History history;
        std::unique_ptr<BareInsert> bare;
        benchhistory::Numbers numbers{7};
        Files()
        {
            const std::filesystem::path historyDir = BuildScratchDir() / "append";
            const std::filesystem::path bareDir = BuildScratchDir() / "bare";
            std::filesystem::create_directories(historyDir);
            std::filesystem::create_directories(bareDir);
            benchhistory::WriteHistory(historyDir, LongHistory);
            bare = std::make_unique<BareInsert>(bareDir / "bare.sqlite");
            if (!history.Open(historyDir.string()).ok || !bare->InsertAll(benchhistory::YearOfTurns(LongHistory))) {
                std::fprintf(stderr, "bench_rules: the append benchmark's files could not be laid\n");
                std::exit(1);
            }
        }
    };
    static Files files;  // laid once: every repetition appends to the same files
    // The figure of the turn the rating is updated for, as the session holds it.
    Game game;
    game.SetLevel(TopLevel);
    game.New();
    double rating = StartRating;

    const std::int64_t now = static_cast<std::int64_t>(std::time(nullptr));
    double floorSeconds = 0;
    bool floorFirst = false;
    int k = 0;
    for (auto _ : state) {
        TurnRecord turn = benchhistory::TurnAt(now + k, benchhistory::Levels[k % 5], files.numbers);
        // As a Check records it: every fourth turn with a mistake named.
        turn.mistakes = k % 4 == 0 ? "X:mirror-lr" : "";
        ++k;
        double floorTime = 0;
        bool floorOk = true;
        auto insertFloor = [&] {
            const auto f0 = std::chrono::steady_clock::now();
            floorOk = files.bare->Insert(turn);
            floorTime = std::chrono::duration<double>(std::chrono::steady_clock::now() - f0).count();
        };
        if (floorFirst)
            insertFloor();
        const auto t0 = std::chrono::steady_clock::now();
        // The rating's update, as a first play's Check makes it, then the append.
        const double expected = ExpectedAccuracy(rating, Difficulty(ComputeFeatures(game.CurrentFigure()), DefaultWeights));
        turn.accuracy = Accuracy(turn.total.right, turn.total.wrong);
        rating = RatedAfter(rating, expected, turn.accuracy);
        turn.predicted = expected;
        turn.rating = rating;
        const HistoryStatus appended = files.history.Append(turn);
        const auto t1 = std::chrono::steady_clock::now();
        if (!floorFirst)
            insertFloor();
        floorFirst = !floorFirst;
        if (!appended.ok || !floorOk) {
            state.SkipWithError(appended.ok ? "the bare insert failed" : DescribeHistoryStatus(appended).c_str());
            break;
        }
        floorSeconds += floorTime;
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    }
    state.counters["floor_us"] = benchmark::Counter(floorSeconds * 1e6, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_HistoryAppend)->UseManualTime()->Repetitions(9)->Unit(benchmark::kMicrosecond);

// What the statistics window reads at each refresh, with its filters as it
// opens (all levels, all time): the levels for its list, the turn count, the
// streak, the score per day, the accuracy per sheet, the seconds per level and
// the assessment sittings.
void BM_StatisticsQueries(benchmark::State &state)
{
    const History &h = OpenHistoryOf(static_cast<int>(state.range(0)));
    const HistoryFilter all;
    std::vector<BestTurn> best;
    std::int64_t count = 0;
    int streak = 0;
    std::vector<DayScore> days;
    std::array<SheetAccuracy, 3> accuracy{};
    std::vector<LevelSeconds> levels;
    std::vector<AssessmentSitting> sittings;
    for (auto _ : state) {
        const bool ok = h.BestTurnByLevel(all, best).ok && h.TurnCount(all, count).ok && h.DailyStreak(all, streak).ok &&
                        h.ScoreByDay(all, days, 7).ok && h.AccuracyBySheet(all, accuracy).ok &&
                        h.SecondsByLevel(all, levels).ok && h.AssessmentResults(all, sittings).ok;
        if (!ok) {
            state.SkipWithError("a statistics query failed");
            break;
        }
        benchmark::DoNotOptimize(days.data());
    }
    if (count != state.range(0) || days.size() != static_cast<std::size_t>(std::min<std::int64_t>(state.range(0), 365)))
        state.SkipWithError("the history does not hold the turns it was given");
}
BENCHMARK(BM_StatisticsQueries)->Arg(100)->Arg(LongHistory)->Unit(benchmark::kMicrosecond);

// The coach's statistics of one refresh: the rating per day, the calibration
// bands and the tries before help, read from the turns themselves.
void BM_CoachQueries(benchmark::State &state)
{
    const History &h = OpenHistoryOf(static_cast<int>(state.range(0)));
    const HistoryFilter all;
    std::vector<DayRating> ratings;
    std::vector<CalibrationBand> bands;
    HelpTries tries;
    for (auto _ : state) {
        if (!h.RatingByDay(all, ratings).ok || !h.Calibration(all, bands).ok || !h.TriesBeforeHelp(all, tries).ok) {
            state.SkipWithError("a coach query failed");
            break;
        }
        benchmark::DoNotOptimize(ratings.data());
    }
}
BENCHMARK(BM_CoachQueries)->Arg(100)->Arg(LongHistory)->Unit(benchmark::kMicrosecond);

// The score per day alone: the query that reads every turn without the
// per-day sums.
void BM_ScoreByDay(benchmark::State &state)
{
    const History &h = OpenHistoryOf(static_cast<int>(state.range(0)));
    std::vector<DayScore> days;
    for (auto _ : state) {
        if (!h.ScoreByDay({}, days, 7).ok) {
            state.SkipWithError("ScoreByDay failed");
            break;
        }
        benchmark::DoNotOptimize(days.data());
    }
}
BENCHMARK(BM_ScoreByDay)->Arg(100)->Arg(LongHistory)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
