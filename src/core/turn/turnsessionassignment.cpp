// A teacher's assignment played in a turn session: its figures in order, and
// each one's first Check entered in the student's result.

#include "core/turn/turnsession.h"

namespace {

std::optional<std::size_t> FirstUnchecked(const AssignmentResult &result, std::size_t from)
{
    const std::size_t n = result.figures.size();
    for (std::size_t k = 0; k < n; ++k)
        if (!result.figures[(from + k) % n].Checked())
            return (from + k) % n;
    return std::nullopt;
}

} // namespace

void TurnSession::StartAssignment(const Assignment &assignment, AssignmentResult result)
{
    m_sitting.reset();
    // A result of other figures (read from a file that lost its match) starts
    // afresh rather than entering Checks under the wrong figures.
    bool matches = result.assignment == assignment.id && result.figures.size() == assignment.figures.size();
    for (std::size_t i = 0; matches && i < assignment.figures.size(); ++i)
        matches = result.figures[i].code == EncodePuzzleCode(assignment.figures[i]);
    if (!matches)
        result = NewResult(assignment, result.student);
    const std::size_t figure = FirstUnchecked(result, 0).value_or(0);
    m_assignment = AssignmentPlay{assignment, std::move(result), figure};
    OpenFigure(assignment.figures[figure], Origin::Assignment);
}

void TurnSession::LeaveAssignment()
{
    if (!m_assignment)
        return;
    m_assignment.reset();
    if (m_origin == Origin::Assignment)
        m_origin = Origin::Code;  // the figure on the sheets stays, as a code's
}

std::optional<std::size_t> TurnSession::AssignmentFigure() const
{
    return m_assignment ? std::optional<std::size_t>(m_assignment->figure) : std::nullopt;
}

bool TurnSession::NextAssignmentFigure()
{
    const std::optional<std::size_t> next = FirstUnchecked(m_assignment->result, m_assignment->figure + 1);
    if (!next) {
        m_assignment.reset();  // every figure has its result
        return false;
    }
    m_assignment->figure = *next;
    OpenFigure(m_assignment->assignment.figures[*next], Origin::Assignment);
    return true;
}

void TurnSession::RecordAssignmentCheck(CheckReport &report, std::int64_t utcSeconds)
{
    if (!m_assignment || m_origin != Origin::Assignment)
        return;
    FigureResult &entry = m_assignment->result.figures[m_assignment->figure];
    if (entry.Checked())
        return;  // its first Check within the assignment stands
    report.assignmentChanged = RecordCheck(m_assignment->result, CurrentCode(), report.outcome, utcSeconds);
}
