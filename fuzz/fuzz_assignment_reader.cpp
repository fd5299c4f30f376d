// An assignment file comes from a teacher's disk, a mail or a chat, and any
// program may have touched it. Reading must never crash, a refusal must
// always say why (the student is told), and an assignment accepted must be
// one the game itself could have written: writing it reads back equal, byte
// for byte on a second write, so two students' games agree on every figure.
// The strict JSON layer below it is held to the same: what it accepts has one
// canonical form, which reads back to the same value.
//
// Input: the bytes of the file.

#include "fuzzsupport.h"
#include "core/classroom/assignment.h"
#include "core/classroom/canonicaljson.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);

    const StrictJson json = ParseStrictJson(bytes);
    if (json.problem)
        FUZZ_CHECK(!DescribeClassFileProblem(json.problem).empty(), fuzz::Quoted(bytes));
    else {
        const std::string canonical = CanonicalJson(json.value);
        const StrictJson again = ParseStrictJson(canonical);
        FUZZ_CHECK(!again.problem && again.value == json.value,
                   fuzz::Quoted(bytes) + " canonical " + fuzz::Quoted(canonical) + ": " +
                       DescribeClassFileProblem(again.problem));
        FUZZ_CHECK(CanonicalJson(again.value) == canonical, fuzz::Quoted(canonical));
    }

    const AssignmentRead read = ReadAssignment(bytes);
    if (read.problem) {
        FUZZ_CHECK(!DescribeClassFileProblem(read.problem).empty(), fuzz::Quoted(bytes));
        return 0;
    }
    FUZZ_CHECK(!json.problem, fuzz::Quoted(bytes) + " accepted though not strict JSON");
    FUZZ_CHECK(!CheckAssignment(read.assignment), fuzz::Quoted(bytes));
    const std::string written = WriteAssignment(read.assignment);
    const AssignmentRead back = ReadAssignment(written);
    FUZZ_CHECK(!back.problem && back.assignment == read.assignment,
               fuzz::Quoted(bytes) + " written as " + fuzz::Quoted(written) + ": " +
                   DescribeClassFileProblem(back.problem));
    FUZZ_CHECK(WriteAssignment(back.assignment) == written, fuzz::Quoted(written));
    return 0;
}
