// Result files are handed in by students and read together into the class
// table: damaged, edited or made by another program. Reading must never
// crash; a refusal always says why; a result read as sound must be what the
// game writes: when the file holds no key the format lacks, writing the
// result gives the file's own canonical form byte for byte (so its checksum
// is the one the writer computes), and in any case the written file reads back
// equal and writes again the same. The class table over the file and a sound
// one never crashes and shows one row per file.
//
// Input: the bytes of the file. It is also read with its checksum made afresh,
// so that the fuzzer gets past the checksum to every rule behind it.

#include "fuzzsupport.h"
#include "core/classroom/canonicaljson.h"
#include "core/classroom/classtable.h"
#include "core/classroom/result.h"

#include <cstdint>
#include <set>

namespace {

const std::set<std::string> TopKeys{"format",  "version", "assignment", "title",
                                    "student", "figures", "complete",   "checksum"};
const std::set<std::string> FigureKeys{"code",  "exercise", "max",   "right", "wrong",
                                       "score", "seconds",  "hints", "peeks", "checked"};

bool OnlyKnownKeys(const nlohmann::json &value)
{
    for (const auto &[key, item] : value.items())
        if (!TopKeys.contains(key))
            return false;
    for (const nlohmann::json &figure : value.at("figures"))
        for (const auto &[key, item] : figure.items())
            if (!FigureKeys.contains(key))
                return false;
    return true;
}

void Check(std::string_view bytes)
{
    const ResultRead read = ReadAssignmentResult(bytes);
    FUZZ_CHECK((read.status == ResultStatus::Ok) == !read.problem, fuzz::Quoted(bytes));
    if (read.status != ResultStatus::Ok) {
        FUZZ_CHECK(!DescribeClassFileProblem(read.problem).empty(), fuzz::Quoted(bytes));
        return;
    }
    const std::string written = WriteAssignmentResult(read.result);
    const StrictJson json = ParseStrictJson(bytes);
    FUZZ_CHECK(!json.problem, fuzz::Quoted(bytes));
    if (OnlyKnownKeys(json.value))
        FUZZ_CHECK(written == CanonicalJson(json.value) + "\n",
                   fuzz::Quoted(bytes) + " written as " + fuzz::Quoted(written));
    const ResultRead back = ReadAssignmentResult(written);
    FUZZ_CHECK(back.status == ResultStatus::Ok && back.result == read.result,
               fuzz::Quoted(written) + ": " + DescribeClassFileProblem(back.problem));
    FUZZ_CHECK(WriteAssignmentResult(back.result) == written, fuzz::Quoted(written));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    Check(bytes);

    std::string resigned;
    StrictJson json = ParseStrictJson(bytes);
    if (!json.problem && json.value.is_object()) {
        json.value.erase("checksum");
        json.value["checksum"] = Sha256Hex(CanonicalJson(json.value));
        resigned = CanonicalJson(json.value);
        Check(resigned);
    }

    static const Assignment assignment{std::string(32, 'a'), "Fuzz", Exercise::Views, {{3, 77u, false}, {20, 1u, false}},
                                       true, true, std::nullopt};
    static const std::string sound = WriteAssignmentResult(NewResult(assignment, "C"));
    const std::vector<LoadedResult> files{{"a", std::string(bytes), {}}, {"b", resigned, {}}, {"c", sound, {}}};
    const ClassTable table = BuildClassTable(assignment, files);
    FUZZ_CHECK(table.rows.size() == files.size(), fuzz::Quoted(bytes));
    ClassCsv(table);
    return 0;
}
