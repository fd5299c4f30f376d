#include "core/classroom/classtable.h"
#include "core/storage/csvfield.h"

#include "core/classroom/result.h"
#include "core/classroom/resultname.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr std::int64_t SecondsPerDay = 86400;

// Tenths of a percent of score over max, at least 0, rounded half up. Exact
// integer arithmetic: 66.65% is not left to a double's guess.
std::int64_t PercentTenths(std::int64_t score, std::int64_t max)
{
    if (score <= 0 || max <= 0)
        return 0;
    return (score * 2000 + max) / (2 * max);
}

double Percent(std::int64_t tenths)
{
    return static_cast<double>(tenths) / 10.0;
}

std::string FileName(const std::string &path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Lowered(std::string_view text)
{
    std::string out(text);
    std::ranges::transform(out, out.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return out;
}

// Whether the result's figures are the assignment's, in its order and exercise.
ClassFileProblem Mismatch(const Assignment &assignment, const AssignmentResult &result)
{
    if (result.figures.size() != assignment.figures.size())
        return {ClassFileError::FigureMismatch, "figures", std::to_string(result.figures.size()), 0};
    for (std::size_t i = 0; i < result.figures.size(); ++i) {
        const FigureResult &f = result.figures[i];
        const ParsedPuzzleCode code = ParsePuzzleCode(f.code);
        if (!code.code || !SameFigure(*code.code, assignment.figures[i]))
            return {ClassFileError::FigureMismatch, "figures[" + std::to_string(i) + "].code", f.code, 0};
        if (f.exercise != assignment.exercise)
            return {ClassFileError::FigureMismatch, "figures[" + std::to_string(i) + "].exercise",
                    std::string(ExerciseName(f.exercise)), 0};
    }
    return {};
}

ClassRow Row(const Assignment &assignment, const LoadedResult &file, std::optional<std::int64_t> &lastChecked)
{
    ClassRow row;
    row.path = file.path;
    if (file.readError) {
        row.status = ClassRowStatus::Unreadable;
        row.problem = {ClassFileError::Unreadable, {}, *file.readError, 0};
        row.name = FileName(file.path);
        return row;
    }
    const ResultRead read = ReadAssignmentResult(file.bytes);
    const AssignmentResult &r = read.result;
    row.name = TrimmedName(r.student).empty() ? FileName(file.path) : std::string(TrimmedName(r.student));
    row.problem = read.problem;
    if (read.status != ResultStatus::Ok) {
        row.status = read.status == ResultStatus::NewerVersion ? ClassRowStatus::NewerVersion : ClassRowStatus::Damaged;
        return row;
    }
    if (r.assignment != assignment.id) {
        row.status = ClassRowStatus::OtherAssignment;
        row.problem = {ClassFileError::OtherAssignment, r.assignment, r.title, 0};
        return row;
    }
    if ((row.problem = Mismatch(assignment, r))) {
        row.status = ClassRowStatus::Damaged;
        return row;
    }
    std::optional<std::int64_t> lateFrom;
    if (assignment.due)
        lateFrom = (std::int64_t{assignment.due->time_since_epoch().count()} + 1) * SecondsPerDay;
    std::int64_t score = 0, max = 0;
    for (const FigureResult &f : r.figures) {
        ClassCell cell{std::nullopt, f.score, f.seconds, f.hints, f.peeks, f.checkedUtc, false};
        if (f.Checked()) {
            cell.percent = Percent(PercentTenths(*f.score, f.max));
            cell.late = lateFrom && *f.checkedUtc >= *lateFrom;
            score += *f.score;
        }
        max += f.max;
        row.late = row.late || cell.late;
        row.cells.push_back(cell);
    }
    row.totalPercent = Percent(PercentTenths(score, max));
    row.complete = r.Complete();
    lastChecked = r.LastChecked();
    return row;
}

} // namespace

std::string_view ClassRowStatusName(ClassRowStatus status)
{
    switch (status) {
    case ClassRowStatus::Ok: return "ok";
    case ClassRowStatus::Damaged: return "damaged";
    case ClassRowStatus::NewerVersion: return "newer-version";
    case ClassRowStatus::OtherAssignment: return "other-assignment";
    case ClassRowStatus::Duplicate: return "duplicate";
    case ClassRowStatus::Unreadable: return "unreadable";
    }
    return "damaged";
}

ClassTable BuildClassTable(const Assignment &assignment, const std::vector<LoadedResult> &files)
{
    ClassTable table;
    for (const PuzzleCode &code : assignment.figures)
        table.codes.push_back(EncodePuzzleCode(code));

    std::vector<std::size_t> order(files.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::ranges::stable_sort(order, {}, [&](std::size_t i) -> const std::string & { return files[i].path; });

    struct Kept {
        std::size_t row;
        std::optional<std::int64_t> lastChecked;
    };
    std::vector<Kept> kept;
    for (std::size_t i : order) {
        std::optional<std::int64_t> last;
        table.rows.push_back(Row(assignment, files[i], last));
        const std::size_t at = table.rows.size() - 1;
        if (table.rows[at].status != ClassRowStatus::Ok)
            continue;
        const auto same = std::ranges::find_if(kept, [&](const Kept &k) {
            return SameStudent(table.rows[k.row].name, table.rows[at].name);
        });
        if (same == kept.end())
            kept.push_back({at, last});
        else if (last > same->lastChecked) {  // an unchecked result is older than any
            table.rows[same->row].status = ClassRowStatus::Duplicate;
            *same = {at, last};
        } else
            table.rows[at].status = ClassRowStatus::Duplicate;
    }
    for (ClassRow &row : table.rows)
        if (row.status == ClassRowStatus::Duplicate)
            for (const Kept &k : kept)
                if (SameStudent(table.rows[k.row].name, row.name))
                    row.keptPath = table.rows[k.row].path;

    std::ranges::stable_sort(table.rows, [](const ClassRow &a, const ClassRow &b) {
        const bool aOk = a.status == ClassRowStatus::Ok, bOk = b.status == ClassRowStatus::Ok;
        if (aOk != bOk)
            return aOk;
        return aOk && Lowered(a.name) != Lowered(b.name) ? Lowered(a.name) < Lowered(b.name) : a.path < b.path;
    });

    for (std::size_t f = 0; f < table.codes.size(); ++f) {
        std::int64_t tenths = 0, count = 0;
        for (const ClassRow &row : table.rows)
            if (row.status == ClassRowStatus::Ok && row.cells[f].percent) {
                tenths += static_cast<std::int64_t>(*row.cells[f].percent * 10 + 0.5);
                ++count;
            }
        table.meanPercent.push_back(count ? std::optional<double>(Percent((2 * tenths + count) / (2 * count)))
                                          : std::nullopt);
    }
    return table;
}

std::string ClassCsv(const ClassTable &table)
{
    std::string csv = "student";
    for (const std::string &code : table.codes) {
        csv += ',';
        AppendCsvField(csv, code);
    }
    csv += ",total_percent,complete,late,status\r\n";
    for (const ClassRow &row : table.rows) {
        const bool ok = row.status == ClassRowStatus::Ok;
        AppendCsvField(csv, row.name);
        for (std::size_t f = 0; f < table.codes.size(); ++f) {
            csv += ',';
            if (ok && f < row.cells.size() && row.cells[f].percent)
                csv += CsvFixed(*row.cells[f].percent, 1);
        }
        csv += ',';
        if (ok)
            csv.append(CsvFixed(row.totalPercent, 1))
                .append(row.complete ? ",yes" : ",no")
                .append(row.late ? ",yes" : ",no");
        else
            csv += ",,";
        csv += ',';
        csv += ClassRowStatusName(row.status);
        csv += "\r\n";
    }
    return csv;
}
