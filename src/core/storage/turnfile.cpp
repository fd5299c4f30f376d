#include "core/storage/turnfile.h"

#include "core/figure/figure.h"
#include "core/storage/durablefile.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <cstdio>
#include <limits>
#include <stdexcept>
#include <utility>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using nlohmann::json;

constexpr const char *Format = "trivisto-turn";
constexpr int Version = 1;
// Far beyond any turn a player makes (a turn holds at most a few thousand
// edits), so that a damaged file cannot make the game build huge states.
constexpr std::size_t MaxFileBytes = std::size_t{64} << 20;
constexpr std::size_t MaxEdits = 100000;
constexpr std::int64_t MaxCount = 1000000000;

constexpr std::array<std::pair<OriginOfTurn, const char *>, 5> Origins{{
    {OriginOfTurn::New, "new"},
    {OriginOfTurn::Code, "code"},
    {OriginOfTurn::Daily, "daily"},
    {OriginOfTurn::Assessment, "assessment"},
    {OriginOfTurn::Assignment, "assignment"},
}};
constexpr std::array<std::pair<EditHistory::Kind, const char *>, 4> Kinds{{
    {EditHistory::Kind::Stroke, "stroke"},
    {EditHistory::Kind::ClearSheet, "clear"},
    {EditHistory::Kind::Build, "build"},
    {EditHistory::Kind::BuildHint, "buildHint"},
}};

template <typename T, std::size_t N>
const char *NameOf(const std::array<std::pair<T, const char *>, N> &names, T value)
{
    for (const auto &[v, name] : names)
        if (v == value)
            return name;
    return names[0].second;
}

// Any fault in a file ends its reading: the reader throws this, and
// ParseSavedTurn turns it into "unreadable".
struct Bad : std::runtime_error {
    Bad() : std::runtime_error("bad saved turn") {}
};

void Require(bool ok)
{
    if (!ok)
        throw Bad();
}

template <typename T, std::size_t N>
T ValueOf(const std::array<std::pair<T, const char *>, N> &names, const json &j)
{
    Require(j.is_string());
    for (const auto &[v, name] : names)
        if (j.get<std::string>() == name)
            return v;
    throw Bad();
}

std::int64_t Integer(const json &j, std::int64_t low, std::int64_t high)
{
    Require(j.is_number_integer());
    const auto v = j.get<std::int64_t>();
    Require(v >= low && v <= high);
    return v;
}

int Int(const json &object, const char *key, std::int64_t low, std::int64_t high)
{
    return static_cast<int>(Integer(object.at(key), low, high));
}

std::optional<int> OptionalInt(const json &object, const char *key)
{
    const json &j = object.at(key);
    if (j.is_null())
        return std::nullopt;
    return static_cast<int>(Integer(j, 0, MaxCount));
}

bool Boolean(const json &j)
{
    Require(j.is_boolean());
    return j.get<bool>();
}

Exercise ExerciseOf(const json &j)
{
    Require(j.is_string());
    const std::optional<Exercise> e = ParseExercise(j.get<std::string>());
    Require(e.has_value());
    return *e;
}

json StrokeJson(const Stroke &s)
{
    return json::array({s.StartCol, s.StartRow, s.EndCol, s.EndRow});
}

Stroke StrokeOf(const json &j, std::size_t at = 0)
{
    Require(j.is_array() && j.size() == at + 4);
    const Stroke s(static_cast<int>(Integer(j[at], 0, 9)), static_cast<int>(Integer(j[at + 1], 0, 9)),
                   static_cast<int>(Integer(j[at + 2], 0, 9)), static_cast<int>(Integer(j[at + 3], 0, 9)));
    Require(s.IsOnLattice());
    return s;
}

// Only the slots that hold a stroke, each as [slot, col, row, col, row].
json StrokesJson(const SheetStrokes &strokes)
{
    json slots = json::array();
    for (int slot = 1; slot <= SlotCount; ++slot)
        if (const Stroke &s = strokes[slot]; !s.IsEmpty())
            slots.push_back(json::array({slot, s.StartCol, s.StartRow, s.EndCol, s.EndRow}));
    return json{{"next", strokes.NextSlot()}, {"slots", std::move(slots)}};
}

SheetStrokes StrokesOf(const json &j)
{
    Require(j.is_object());
    const int next = Int(j, "next", 1, SlotCount + 1);
    const json &list = j.at("slots");
    Require(list.is_array() && list.size() <= SlotCount);
    SegmentList slots{};
    for (const json &entry : list) {
        Require(entry.is_array() && entry.size() == 5);
        const auto slot = static_cast<std::size_t>(Integer(entry[0], 1, next - 1));
        Require(slots[slot].IsEmpty());
        slots[slot] = StrokeOf(entry, 1);
    }
    SheetStrokes strokes;
    strokes.Assign(slots, next - 1);
    return strokes;
}

json BuiltJson(const BuiltFigure &figure)
{
    json segments = json::array();
    for (const BuiltSegment &s : figure.Segments())
        segments.push_back(json::array({s.from.x, s.from.y, s.from.z, s.to.x, s.to.y, s.to.z, s.hint}));
    return segments;
}

BuiltFigure BuiltOf(const json &j)
{
    Require(j.is_array() && j.size() <= BuiltFigure::MaxSegments);
    BuiltFigure figure;
    for (const json &s : j) {
        Require(s.is_array() && s.size() == 7);
        auto at = [&s](std::size_t i) { return static_cast<int>(Integer(s[i], 0, LatticeSteps)); };
        const BuiltSegment segment{{at(0), at(1), at(2)}, {at(3), at(4), at(5)}, Boolean(s[6])};
        Require(figure.Add(segment) == BuiltFigure::AddOutcome::Added);
    }
    return figure;
}

json EditJson(const EditHistory::Entry &e)
{
    json j{{"kind", NameOf(Kinds, e.kind)}};
    if (e.IsBuild()) {
        j["before"] = BuiltJson(e.build.before);
        j["after"] = BuiltJson(e.build.after);
    } else {
        j["sheet"] = SheetIndex(e.edit.sheet);
        j["before"] = StrokesJson(e.edit.before);
        j["after"] = StrokesJson(e.edit.after);
    }
    return j;
}

EditHistory::Entry EditOf(const json &j, Exercise exercise)
{
    Require(j.is_object());
    EditHistory::Entry e;
    e.kind = ValueOf(Kinds, j.at("kind"));
    Require(e.IsBuild() == (exercise == Exercise::Build));
    if (e.IsBuild()) {
        e.build = {BuiltOf(j.at("before")), BuiltOf(j.at("after"))};
    } else {
        e.edit.sheet = AllSheets[static_cast<std::size_t>(Int(j, "sheet", 0, 2))];
        e.edit.before = StrokesOf(j.at("before"));
        e.edit.after = StrokesOf(j.at("after"));
    }
    return e;
}

template <typename T>
json OptionalJson(const std::optional<T> &v)
{
    return v ? json(*v) : json(nullptr);
}

json SittingJson(const SavedTurn::Sitting &s)
{
    json done = json::array();
    for (bool d : s.result.done)
        done.push_back(d);
    return json{{"id", s.id}, {"figure", s.figure}, {"scores", s.result.scores}, {"seconds", s.result.seconds},
                {"done", std::move(done)}};
}

SavedTurn::Sitting SittingOf(const json &j)
{
    Require(j.is_object());
    SavedTurn::Sitting s;
    s.id = Integer(j.at("id"), 1, std::numeric_limits<std::int64_t>::max());
    s.figure = static_cast<std::size_t>(Int(j, "figure", 0, AssessmentSize - 1));
    const json &scores = j.at("scores");
    const json &seconds = j.at("seconds");
    const json &done = j.at("done");
    for (const json *list : {&scores, &seconds, &done})
        Require(list->is_array() && list->size() == AssessmentSize);
    for (std::size_t i = 0; i < AssessmentSize; ++i) {
        s.result.scores[i] = static_cast<int>(Integer(scores[i], -MaxCount, MaxCount));
        s.result.seconds[i] = static_cast<int>(Integer(seconds[i], 0, MaxCount));
        s.result.done[i] = Boolean(done[i]);
    }
    return s;
}

std::string Text(const json &j)
{
    Require(j.is_string());
    return j.get<std::string>();
}

SavedTurn TurnOf(const json &root)
{
    Require(root.is_object() && root.at("format") == Format);
    Integer(root.at("version"), 1, Version);
    SavedTurn t;
    t.chosenExercise = ExerciseOf(root.at("chosenExercise"));
    t.exercise = ExerciseOf(root.at("exercise"));
    t.level = Int(root, "level", 0, MaxLevel);
    t.seed = static_cast<std::uint32_t>(Integer(root.at("seed"), 0, 0xffffffffLL));
    t.daily = Boolean(root.at("daily"));
    t.origin = ValueOf(Origins, root.at("origin"));
    t.replayed = Boolean(root.at("replayed"));
    if (const json &first = root.at("firstPlay"); !first.is_null())
        t.firstPlay = Boolean(first);
    t.shownLevel = Int(root, "shownLevel", 0, MaxLevel);
    t.seconds = Int(root, "seconds", 0, MaxCount);
    t.help = {Int(root, "hints", 0, MaxCount), Int(root, "peeks", 0, MaxCount)};
    t.strokesMade = Int(root, "strokesMade", 0, MaxCount);
    t.helpSeconds = OptionalInt(root, "helpSeconds");
    t.helpStrokes = OptionalInt(root, "helpStrokes");

    const json &sheets = root.at("sheets");
    const json &hints = root.at("hintSteps");
    Require(sheets.is_array() && sheets.size() == 3 && hints.is_array() && hints.size() == 3);
    for (std::size_t i = 0; i < 3; ++i) {
        t.strokes[i] = StrokesOf(sheets[i]);
        Require(hints[i].is_array() && hints[i].size() <= SlotCount);
        for (const json &h : hints[i])
            t.hints[i].push_back(StrokeOf(h));
    }
    t.built = BuiltOf(root.at("built"));
    // Each exercise keeps its own kind of drawing.
    Require(t.exercise == Exercise::Build ? !std::any_of(t.strokes.begin(), t.strokes.end(),
                                                         [](const SheetStrokes &s) { return s.Any(); })
                                          : t.built.Empty());

    const json &edits = root.at("edits");
    Require(edits.is_array() && edits.size() <= MaxEdits);
    for (const json &e : edits)
        t.edits.push_back(EditOf(e, t.exercise));
    t.editPosition = static_cast<std::size_t>(Integer(root.at("editPosition"), 0, static_cast<std::int64_t>(t.edits.size())));

    if (const json &s = root.at("sitting"); !s.is_null())
        t.sitting = SittingOf(s);
    Require(t.sitting.has_value() == (t.origin == OriginOfTurn::Assessment));
    if (const json &a = root.at("assignment"); !a.is_null()) {
        Require(a.is_object());
        t.assignment = SavedTurn::AssignmentPlace{Text(a.at("file")), Text(a.at("id")), Text(a.at("student")),
                                                  static_cast<std::size_t>(Int(a, "figure", 0, MaxCount))};
    }
    Require(t.assignment.has_value() == (t.origin == OriginOfTurn::Assignment));
    return t;
}

bool ReadWhole(const std::string &path, std::string &text, bool &missing)
{
    std::FILE *f = std::fopen(path.c_str(), "rb");
    missing = f == nullptr && errno == ENOENT;
    if (!f)
        return false;
    char buffer[65536];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0 && text.size() <= MaxFileBytes)
        text.append(buffer, n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

} // namespace

std::string SavedTurnJson(const SavedTurn &t)
{
    json sheets = json::array();
    json hints = json::array();
    for (std::size_t i = 0; i < 3; ++i) {
        sheets.push_back(StrokesJson(t.strokes[i]));
        json steps = json::array();
        for (const Stroke &h : t.hints[i])
            steps.push_back(StrokeJson(h));
        hints.push_back(std::move(steps));
    }
    json edits = json::array();
    for (const EditHistory::Entry &e : t.edits)
        edits.push_back(EditJson(e));
    json root{
        {"format", Format},
        {"version", Version},
        {"chosenExercise", ExerciseName(t.chosenExercise)},
        {"exercise", ExerciseName(t.exercise)},
        {"level", t.level},
        {"seed", t.seed},
        {"daily", t.daily},
        {"origin", NameOf(Origins, t.origin)},
        {"replayed", t.replayed},
        {"firstPlay", OptionalJson(t.firstPlay)},
        {"shownLevel", t.shownLevel},
        {"seconds", t.seconds},
        {"hints", t.help.hints},
        {"peeks", t.help.peeks},
        {"strokesMade", t.strokesMade},
        {"helpSeconds", OptionalJson(t.helpSeconds)},
        {"helpStrokes", OptionalJson(t.helpStrokes)},
        {"sheets", std::move(sheets)},
        {"hintSteps", std::move(hints)},
        {"built", BuiltJson(t.built)},
        {"edits", std::move(edits)},
        {"editPosition", t.editPosition},
        {"sitting", t.sitting ? SittingJson(*t.sitting) : json(nullptr)},
        {"assignment", t.assignment ? json{{"file", t.assignment->file},
                                           {"id", t.assignment->id},
                                           {"student", t.assignment->student},
                                           {"figure", t.assignment->figure}}
                                    : json(nullptr)},
    };
    // Names and paths are the player's text: bytes that are not UTF-8 are
    // replaced rather than failing the save.
    return root.dump(-1, ' ', false, json::error_handler_t::replace) + "\n";
}

std::optional<SavedTurn> ParseSavedTurn(std::string_view text)
{
    if (text.size() > MaxFileBytes)
        return std::nullopt;
    const json root = json::parse(text.begin(), text.end(), nullptr, false);
    if (root.is_discarded())
        return std::nullopt;
    try {
        return TurnOf(root);
    } catch (const std::exception &) {
        return std::nullopt;  // a member missing or of the wrong kind, a value out of range
    }
}

TurnFile::TurnFile(std::string folder) : m_folder(std::move(folder)) {}

TurnFile::Loaded TurnFile::Read(const std::string &path)
{
    Loaded loaded;
    std::string text;
    bool missing = false;
    if (!ReadWhole(path, text, missing) && missing)
        return loaded;
    if (std::optional<SavedTurn> turn = ParseSavedTurn(text)) {
        loaded.status = Status::Read;
        loaded.turn = std::move(*turn);
        return loaded;
    }
    loaded.status = Status::Unreadable;
    const std::string aside = path + UnreadableSuffix;
    if (std::rename(path.c_str(), aside.c_str()) == 0)
        loaded.setAside = aside;
    else
        std::remove(path.c_str());  // never read again, whatever happens
    return loaded;
}

TurnFile::Loaded TurnFile::KeepLastTurn()
{
    RemoveLeftovers(CurrentPath());
    RemoveLeftovers(KeptPath());
    Loaded last = Read(CurrentPath());
    if (last.status != Status::Read)
        return last;
    if (last.turn.Unfinished()) {
        if (std::rename(CurrentPath().c_str(), KeptPath().c_str()) == 0)
            SyncFolder(m_folder);
    } else {
        RemoveCurrent();
    }
    return last;
}

TurnFile::Loaded TurnFile::ReadKept()
{
    return Read(KeptPath());
}

bool TurnFile::HasKept() const
{
    struct stat st {};
    return ::stat(KeptPath().c_str(), &st) == 0;
}

int TurnFile::SaveCurrent(const SavedTurn &turn)
{
    return ReplaceDurably(CurrentPath(), SavedTurnJson(turn), NewFileMode());
}

int TurnFile::SaveKept(const SavedTurn &turn)
{
    return ReplaceDurably(KeptPath(), SavedTurnJson(turn), NewFileMode());
}

void TurnFile::RemoveCurrent()
{
    if (::unlink(CurrentPath().c_str()) == 0)
        SyncFolder(m_folder);
}

void TurnFile::DropKept()
{
    if (::unlink(KeptPath().c_str()) == 0)
        SyncFolder(m_folder);
}
