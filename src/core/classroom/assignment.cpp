#include "core/classroom/assignment.h"

#include "core/classroom/canonicaljson.h"
#include "core/classroom/isotime.h"
#include "core/classroom/jsonfields.h"

#include <algorithm>
#include <cstdio>
#include <random>

using nlohmann::json;

namespace {

constexpr std::string_view Format = "trivisto-assignment";

bool IsBlank(std::string_view text)
{
    return text.find_first_not_of(" \t\r\n\f\v") == std::string_view::npos;
}

} // namespace

ClassFileProblem CheckAssignment(const Assignment &a)
{
    if (!IsAssignmentId(a.id))
        return {ClassFileError::BadValue, "id", JsonFields::Excerpt(a.id), 0};
    if (IsBlank(a.title))
        return {ClassFileError::BadValue, "title", a.title, 0};
    if (a.figures.empty() || a.figures.size() > MaxAssignmentFigures)
        return {ClassFileError::FigureCount, "figures", {}, static_cast<std::int64_t>(a.figures.size())};
    for (std::size_t i = 0; i < a.figures.size(); ++i) {
        const PuzzleCode &code = a.figures[i];
        if (code.level < 0 || code.level > MaxLevel)
            return {ClassFileError::BadValue, JsonFields::Path("figures", i), std::to_string(code.level), 0};
        const auto earlier = a.figures.begin() + static_cast<std::ptrdiff_t>(i);
        if (std::any_of(a.figures.begin(), earlier, [&](const PuzzleCode &c) { return SameFigure(c, code); }))
            return {ClassFileError::DuplicateFigure, JsonFields::Path("figures", i), EncodePuzzleCode(code), 0};
    }
    return {};
}

AssignmentRead ReadAssignment(std::string_view bytes)
{
    AssignmentRead read;
    StrictJson parsed = ParseStrictJson(bytes);
    if (parsed.problem) {
        read.problem = std::move(parsed.problem);
        return read;
    }
    const json &root = parsed.value;
    JsonFields f;
    f.Header(root, Format, AssignmentVersion);
    Assignment &a = read.assignment;
    if (std::optional<std::string> id = f.String(root, {}, "id")) {
        std::ranges::transform(*id, id->begin(), [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
        a.id = std::move(*id);
    }
    a.title = f.String(root, {}, "title").value_or(std::string());
    if (const std::optional<std::string> name = f.String(root, {}, "exercise")) {
        if (const std::optional<Exercise> e = ParseExercise(*name))
            a.exercise = *e;
        else
            f.Fail(ClassFileError::BadValue, "exercise", JsonFields::Excerpt(*name));
    }
    if (const json *figures = f.Get(root, {}, "figures", JsonFields::Type::Array)) {
        // A count out of range is told before the codes are read one by one.
        if (figures->empty() || figures->size() > MaxAssignmentFigures)
            f.Fail(ClassFileError::FigureCount, "figures", {}, static_cast<std::int64_t>(figures->size()));
        for (std::size_t i = 0; f.Ok() && i < figures->size(); ++i) {
            const json &item = (*figures)[i];
            if (!item.is_string()) {
                f.Fail(ClassFileError::WrongType, JsonFields::Path("figures", i), "string");
                break;
            }
            const ParsedPuzzleCode code = ParsePuzzleCode(item.get_ref<const std::string &>());
            if (!code.code)
                f.Fail(ClassFileError::BadValue, JsonFields::Path("figures", i),
                       JsonFields::Excerpt(item.get_ref<const std::string &>()));
            else
                a.figures.push_back(*code.code);
        }
    }
    a.hints = f.Boolean(root, {}, "hints").value_or(true);
    a.peeks = f.Boolean(root, {}, "peeks").value_or(true);
    if (const json *due = f.Get(root, {}, "due", JsonFields::Type::String, JsonFields::Presence::Optional)) {
        a.due = ParseIsoDay(due->get_ref<const std::string &>());
        if (!a.due)
            f.Fail(ClassFileError::BadValue, "due", JsonFields::Excerpt(due->get_ref<const std::string &>()));
    }
    read.problem = f.Ok() ? CheckAssignment(a) : std::move(f.problem);
    return read;
}

std::string WriteAssignment(const Assignment &a)
{
    json figures = json::array();
    for (const PuzzleCode &code : a.figures)
        figures.push_back(EncodePuzzleCode(code));
    json root = {
        {"format", Format},
        {"version", AssignmentVersion},
        {"id", a.id},
        {"title", a.title},
        {"exercise", ExerciseName(a.exercise)},
        {"figures", std::move(figures)},
        {"hints", a.hints},
        {"peeks", a.peeks},
    };
    if (a.due)
        root["due"] = IsoDay(*a.due);
    return CanonicalJson(root) + "\n";
}

bool IsAssignmentId(std::string_view id)
{
    return id.size() == 32 &&
           std::ranges::all_of(id, [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

std::string AssignmentId(std::uint64_t high, std::uint64_t low)
{
    char text[40];
    std::snprintf(text, sizeof text, "%016llx%016llx", static_cast<unsigned long long>(high),
                  static_cast<unsigned long long>(low));
    return text;
}

std::string RandomAssignmentId()
{
    std::random_device device;
    const auto draw64 = [&] { return std::uint64_t{device()} << 32 | device(); };
    const std::uint64_t high = draw64();
    return AssignmentId(high, draw64());
}
