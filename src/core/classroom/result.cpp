#include "core/classroom/result.h"

#include "core/classroom/canonicaljson.h"
#include "core/classroom/isotime.h"
#include "core/classroom/jsonfields.h"
#include "core/classroom/resultname.h"

#include <algorithm>
#include <climits>

using nlohmann::json;

namespace {

constexpr std::string_view Format = "trivisto-result";
constexpr std::string_view ChecksumKey = "checksum";

json Nullable(const std::optional<int> &value)
{
    return value ? json(*value) : json(nullptr);
}

json FigureJson(const FigureResult &f)
{
    return {
        {"code", f.code},
        {"exercise", ExerciseName(f.exercise)},
        {"max", f.max},
        {"right", Nullable(f.right)},
        {"wrong", Nullable(f.wrong)},
        {"score", Nullable(f.score)},
        {"seconds", Nullable(f.seconds)},
        {"hints", Nullable(f.hints)},
        {"peeks", Nullable(f.peeks)},
        {"checked", f.checkedUtc ? json(IsoUtc(*f.checkedUtc)) : json(nullptr)},
    };
}

std::optional<int> Count(JsonFields &f, const json &object, const std::string &path, std::string_view key, int low)
{
    const std::optional<std::int64_t> v = f.Integer(object, path, key, low, INT_MAX, JsonFields::Presence::Nullable);
    return v ? std::optional<int>(static_cast<int>(*v)) : std::nullopt;
}

FigureResult ReadFigure(JsonFields &f, const json &item, const std::string &path)
{
    FigureResult r;
    if (!item.is_object()) {
        f.Fail(ClassFileError::WrongType, path, "object");
        return r;
    }
    if (std::optional<std::string> code = f.String(item, path, "code")) {
        // Only the form the game writes, so that the file is its own canonical form.
        const ParsedPuzzleCode parsed = ParsePuzzleCode(*code);
        if (!parsed.code || EncodePuzzleCode(*parsed.code) != *code)
            f.Fail(ClassFileError::BadValue, JsonFields::Path(path, "code"), JsonFields::Excerpt(*code));
        r.code = std::move(*code);
    }
    if (const std::optional<std::string> name = f.String(item, path, "exercise")) {
        if (const std::optional<Exercise> e = ParseExercise(*name))
            r.exercise = *e;
        else
            f.Fail(ClassFileError::BadValue, JsonFields::Path(path, "exercise"), JsonFields::Excerpt(*name));
    }
    r.max = static_cast<int>(f.Integer(item, path, "max", 0, INT_MAX).value_or(0));
    r.right = Count(f, item, path, "right", 0);
    r.wrong = Count(f, item, path, "wrong", 0);
    r.score = Count(f, item, path, "score", INT_MIN);
    r.seconds = Count(f, item, path, "seconds", 0);
    r.hints = Count(f, item, path, "hints", 0);
    r.peeks = Count(f, item, path, "peeks", 0);
    if (const json *checked = f.Get(item, path, "checked", JsonFields::Type::String, JsonFields::Presence::Nullable)) {
        r.checkedUtc = ParseIsoUtc(checked->get_ref<const std::string &>());
        if (!r.checkedUtc)
            f.Fail(ClassFileError::BadValue, JsonFields::Path(path, "checked"),
                   JsonFields::Excerpt(checked->get_ref<const std::string &>()));
    }
    const int set = r.right.has_value() + r.wrong.has_value() + r.score.has_value() + r.seconds.has_value() +
                    r.hints.has_value() + r.peeks.has_value() + r.checkedUtc.has_value();
    if (f.Ok() && set != 0 && set != 7)
        f.Fail(ClassFileError::Incomplete, path);
    return r;
}

} // namespace

int MaxPoints(const PuzzleCode &code, Exercise)
{
    const Figure figure = FigureFromCode(code);
    std::size_t samples = 0;
    for (Sheet s : AllSheets)
        samples += BuildTrueProjection(figure, s).size();
    return static_cast<int>(samples);
}

bool AssignmentResult::Complete() const
{
    return !figures.empty() && std::ranges::all_of(figures, &FigureResult::Checked);
}

std::optional<std::int64_t> AssignmentResult::LastChecked() const
{
    std::optional<std::int64_t> last;
    for (const FigureResult &f : figures)
        if (f.checkedUtc && (!last || *f.checkedUtc > *last))
            last = f.checkedUtc;
    return last;
}

AssignmentResult NewResult(const Assignment &assignment, std::string_view student)
{
    AssignmentResult result{assignment.id, assignment.title, std::string(TrimmedName(student)), {}};
    for (const PuzzleCode &code : assignment.figures) {
        FigureResult &f = result.figures.emplace_back();
        f.code = EncodePuzzleCode(code);
        f.exercise = assignment.exercise;
        f.max = MaxPoints(code, assignment.exercise);
    }
    return result;
}

bool RecordCheck(AssignmentResult &result, const PuzzleCode &code, const Game::CheckOutcome &check,
                 std::int64_t utcSeconds)
{
    const auto it = std::ranges::find_if(result.figures, [&](const FigureResult &f) {
        const ParsedPuzzleCode listed = ParsePuzzleCode(f.code);
        return listed.code && SameFigure(*listed.code, code);
    });
    if (it == result.figures.end())
        return false;
    it->right = check.counts.RightCount;
    it->wrong = check.counts.WrongCount;
    it->score = check.finalScore;
    it->seconds = check.seconds;
    it->hints = check.help.hints;
    it->peeks = check.help.peeks;
    it->checkedUtc = utcSeconds;
    return true;
}

ResultRead ReadAssignmentResult(std::string_view bytes)
{
    ResultRead read;
    const auto damaged = [&](ClassFileProblem problem) {
        read.status = problem.error == ClassFileError::NewerVersion ? ResultStatus::NewerVersion : ResultStatus::Damaged;
        read.problem = std::move(problem);
        return read;
    };
    StrictJson parsed = ParseStrictJson(bytes);
    if (parsed.problem)
        return damaged(std::move(parsed.problem));
    json &root = parsed.value;
    AssignmentResult &r = read.result;
    if (root.is_object() && root.contains("student") && root["student"].is_string())
        r.student = root["student"].get<std::string>();

    JsonFields f;
    f.Header(root, Format, ResultVersion);
    const std::optional<std::string> checksum = f.String(root, {}, ChecksumKey);
    if (!f.Ok())
        return damaged(std::move(f.problem));
    root.erase(std::string(ChecksumKey));
    if (*checksum != Sha256Hex(CanonicalJson(root)))
        return damaged({ClassFileError::BadChecksum, std::string(ChecksumKey), {}, 0});

    r.assignment = f.String(root, {}, "assignment").value_or(std::string());
    if (f.Ok() && !IsAssignmentId(r.assignment))
        f.Fail(ClassFileError::BadValue, "assignment", JsonFields::Excerpt(r.assignment));
    r.title = f.String(root, {}, "title").value_or(std::string());
    f.String(root, {}, "student");
    if (const json *figures = f.Get(root, {}, "figures", JsonFields::Type::Array)) {
        if (figures->empty() || figures->size() > MaxAssignmentFigures)
            f.Fail(ClassFileError::FigureCount, "figures", {}, static_cast<std::int64_t>(figures->size()));
        for (std::size_t i = 0; f.Ok() && i < figures->size(); ++i)
            r.figures.push_back(ReadFigure(f, (*figures)[i], JsonFields::Path("figures", i)));
    }
    const std::optional<bool> complete = f.Boolean(root, {}, "complete");
    if (f.Ok() && *complete != r.Complete())
        f.Fail(ClassFileError::Incomplete, "complete");
    if (!f.Ok())
        return damaged(std::move(f.problem));
    return read;
}

std::string WriteAssignmentResult(const AssignmentResult &result)
{
    json figures = json::array();
    for (const FigureResult &f : result.figures)
        figures.push_back(FigureJson(f));
    json root = {
        {"format", Format},
        {"version", ResultVersion},
        {"assignment", result.assignment},
        {"title", result.title},
        {"student", result.student},
        {"figures", std::move(figures)},
        {"complete", result.Complete()},
    };
    root[std::string(ChecksumKey)] = Sha256Hex(CanonicalJson(root));
    return CanonicalJson(root) + "\n";
}
