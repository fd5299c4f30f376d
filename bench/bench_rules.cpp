// What the rules cost when a player triggers them: a new figure, the true
// projections, a Check, finishing a stroke, reading and saving the results
// file. Run by scripts/bench, whose goal table says what each must meet: the
// rules under 50 µs; reading a million-line results file within 1.5 times a
// 9-line one (only the first lines count, so the file's length must not);
// saving a record within 1.2 times the least a locked, crash-safe replacement
// of the same bytes costs on this disk (DurableReplace, timed beside it).

#include "figure/figure.h"
#include "figure/randomgenerator.h"
#include "game/game.h"
#include "results/resultsfile.h"
#include "sheets/sampling.h"

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
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
        SheetInput &input = game.sheet(s);
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

void RemoveScratchDir();

// A scratch folder for the results files, removed at exit (the path is never
// destroyed, so the exit handler can still use it).
const std::filesystem::path &ScratchDir()
{
    static const std::filesystem::path *dir = [] {
        std::string templ = (std::filesystem::temp_directory_path() / "trivisto-bench-XXXXXX").string();
        if (!::mkdtemp(templ.data())) {
            std::perror("bench_rules: mkdtemp");
            std::exit(1);
        }
        std::atexit(RemoveScratchDir);
        return new std::filesystem::path(templ);
    }();
    return *dir;
}

void RemoveScratchDir()
{
    std::error_code ec;
    std::filesystem::remove_all(ScratchDir(), ec);
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
        benchmark::DoNotOptimize(game.trueProjection(Sheet::X).data());
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
    SheetInput &input = game.sheet(Sheet::X);
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

} // namespace

BENCHMARK_MAIN();
