#include "core/classroom/fileproblem.h"

#include <array>

namespace {

constexpr std::array<const char *, 19> Names{
    "none", "too-large", "not-utf8", "not-json", "too-deep", "duplicate-key", "not-an-integer", "wrong-format",
    "newer-version", "missing-key", "wrong-type", "bad-value", "figure-count", "duplicate-figure", "incomplete",
    "bad-checksum", "figure-mismatch", "other-assignment", "unreadable",
};
static_assert(Names.size() == static_cast<std::size_t>(ClassFileError::Unreadable) + 1);

} // namespace

std::string DescribeClassFileProblem(const ClassFileProblem &problem)
{
    if (!problem)
        return {};
    std::string text = Names[static_cast<std::size_t>(problem.error)];
    if (!problem.where.empty())
        text += " at " + problem.where;
    if (!problem.detail.empty())
        text += ": " + problem.detail;
    if (problem.number != 0)
        text += " (" + std::to_string(problem.number) + ")";
    return text;
}
