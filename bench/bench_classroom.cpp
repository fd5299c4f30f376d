// The teacher's class report as --class-report makes it: 200 students'
// result files of a 20-figure assignment read from a folder, checked, tabled
// and written as CSV. Beside it its floor: reading the same files' bytes and
// nothing else. Run by scripts/bench with bench_rules, whose goal table holds
// the report to one second.

#include "core/classroom/assignmentfigures.h"
#include "core/classroom/classtable.h"
#include "core/classroom/result.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace {

constexpr int Students = 200;
constexpr int Figures = 20;

struct ClassFolder {
    std::filesystem::path dir;
    Assignment assignment;

    ClassFolder()
    {
        dir = std::filesystem::temp_directory_path() / ("trivisto-bench-class-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(dir);
        std::mt19937_64 random(7);
        assignment = MakeAssignment("Week 3", Exercise::Views, RandomFigures(Figures, 0, 84, random).figures, true,
                                    true, std::nullopt)
                         .assignment;
        for (int s = 0; s < Students; ++s) {
            AssignmentResult result = NewResult(assignment, "Student " + std::to_string(s));
            for (std::size_t f = 0; f < assignment.figures.size(); ++f) {
                Game::CheckOutcome check;
                check.counts = {result.figures[f].max - s % 7, s % 5};
                check.finalScore = check.counts.Score();
                check.seconds = 30 + s % 60;
                RecordCheck(result, assignment.figures[f], check, 1796731200 + s * 60 + static_cast<int>(f));
            }
            std::ofstream(dir / ("Week 3 - Student " + std::to_string(s) + ".trivisto-result"), std::ios::binary)
                << WriteAssignmentResult(result);
        }
    }
    ~ClassFolder() { std::filesystem::remove_all(dir); }
};

ClassFolder &Folder()
{
    static ClassFolder folder;
    return folder;
}

std::vector<LoadedResult> ReadAll(const std::filesystem::path &dir)
{
    std::vector<LoadedResult> files;
    for (const auto &entry : std::filesystem::directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        files.push_back({entry.path().string(), std::string(std::istreambuf_iterator<char>(in), {}), std::nullopt});
    }
    return files;
}

void BM_ClassReport(benchmark::State &state)
{
    ClassFolder &folder = Folder();
    std::size_t rows = 0;
    for (auto _ : state) {
        const ClassTable table = BuildClassTable(folder.assignment, ReadAll(folder.dir));
        const std::string csv = ClassCsv(table);
        benchmark::DoNotOptimize(csv.data());
        rows = table.rows.size();
    }
    if (rows != Students)
        state.SkipWithError("the class table lost a student");
    state.counters["students"] = static_cast<double>(rows);
}
BENCHMARK(BM_ClassReport)->Unit(benchmark::kMicrosecond);

void BM_ClassReportFloor(benchmark::State &state)
{
    ClassFolder &folder = Folder();
    for (auto _ : state) {
        const std::vector<LoadedResult> files = ReadAll(folder.dir);
        benchmark::DoNotOptimize(files.data());
    }
}
BENCHMARK(BM_ClassReportFloor)->Unit(benchmark::kMicrosecond);

} // namespace
