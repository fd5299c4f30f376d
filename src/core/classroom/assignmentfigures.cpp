#include "core/classroom/assignmentfigures.h"

#include "core/classroom/resultname.h"
#include "core/codes/assessment.h"

#include <algorithm>

namespace {

bool Listed(const std::vector<PuzzleCode> &figures, const PuzzleCode &code)
{
    return std::ranges::any_of(figures, [&](const PuzzleCode &c) { return SameFigure(c, code); });
}

} // namespace

DrawnFigures RandomFigures(int count, int lowLevel, int highLevel, std::mt19937_64 &random)
{
    DrawnFigures choice;
    if (count < 1 || count > static_cast<int>(MaxAssignmentFigures)) {
        choice.problem = {ClassFileError::FigureCount, "figures", {}, count};
        return choice;
    }
    if (lowLevel < 0 || highLevel > MaxLevel || lowLevel > highLevel) {
        choice.problem = {ClassFileError::BadValue, "levels",
                          std::to_string(lowLevel) + ".." + std::to_string(highLevel), 0};
        return choice;
    }
    std::uniform_int_distribution<int> level(lowLevel, highLevel);
    std::uniform_int_distribution<std::uint32_t> seed;
    // With 2^32 seeds to each level a repeat is rare: the loop ends after a few
    // more draws at most.
    while (choice.figures.size() < static_cast<std::size_t>(count)) {
        const PuzzleCode code{level(random), seed(random), false};
        if (!Listed(choice.figures, code))
            choice.figures.push_back(code);
    }
    std::ranges::stable_sort(choice.figures, {}, &PuzzleCode::level);
    return choice;
}

std::vector<PuzzleCode> AssessmentFigures()
{
    return {AssessmentSet().begin(), AssessmentSet().end()};
}

PastedFigures FiguresFromText(std::string_view text)
{
    PastedFigures pasted;
    int position = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::string_view separators = " \t\r\n\f\v,;";
        const std::size_t start = text.find_first_not_of(separators, at);
        if (start == std::string_view::npos)
            break;
        const std::size_t end = std::min(text.find_first_of(separators, start), text.size());
        const std::string_view piece = text.substr(start, end - start);
        at = end;
        ++position;
        const ParsedPuzzleCode code = ParsePuzzleCode(piece);
        if (!code.code)
            pasted.refused.push_back({std::string(piece), position, code.error});
        else if (Listed(pasted.figures, *code.code))
            pasted.refused.push_back({std::string(piece), position, PuzzleCodeError::None});
        else
            pasted.figures.push_back(*code.code);
    }
    return pasted;
}

AssignmentMade MakeAssignment(std::string_view title, Exercise exercise, std::vector<PuzzleCode> figures, bool hints,
                              bool peeks, std::optional<std::chrono::sys_days> due)
{
    AssignmentMade made;
    made.assignment = {RandomAssignmentId(), std::string(TrimmedName(title)), exercise, std::move(figures),
                       hints, peeks, due};
    made.problem = CheckAssignment(made.assignment);
    return made;
}
