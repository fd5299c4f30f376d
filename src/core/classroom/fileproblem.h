#pragma once

#include <cstdint>
#include <string>

// Why an assignment or a result file was refused, as a code and its
// particulars, so that the window words it in the player's language
// (DescribeClassFileProblem gives the fields tersely for logs and tools).
// `where` names the value as a path from the file's top ("figures[2].score").
enum class ClassFileError {
    None,
    TooLarge,          // more than `number` bytes (MaxClassFileBytes)
    NotUtf8,           // the byte at offset `number` starts no UTF-8 character
    NotJson,           // not JSON at byte `number`; `detail`: the parser's words
    TooDeep,           // `where` nests deeper than `number` levels
    DuplicateKey,      // `where` is given twice
    NotAnInteger,      // `where` holds `detail`, a fraction, an exponent or beyond ±2^53
    WrongFormat,       // the file names format `detail` (empty when it names none), not this kind of file
    NewerVersion,      // the file is of version `number`; this game reads version `detail`
    MissingKey,        // `where` is missing
    WrongType,         // `where` is not a `detail` ("string", "integer", "boolean", "array", "object")
    BadValue,          // `where` holds `detail`, which the format does not allow
    FigureCount,       // `number` figures; an assignment holds 1 to MaxAssignmentFigures
    DuplicateFigure,   // `where` repeats the figure `detail`
    Incomplete,        // `where`: a figure with some of its counts missing, or a `complete` its figures contradict
    BadChecksum,       // the checksum does not match the contents
    FigureMismatch,    // `where` holds `detail`, not the assignment's figure or exercise there
    OtherAssignment,   // the result belongs to assignment `where`, titled `detail`
    Unreadable,        // the file could not be read; `detail`: the system's words
};

struct ClassFileProblem {
    ClassFileError error = ClassFileError::None;
    std::string where;
    std::string detail;
    std::int64_t number = 0;
    explicit operator bool() const { return error != ClassFileError::None; }
    friend bool operator==(const ClassFileProblem &, const ClassFileProblem &) = default;
};

// The problem's code and fields in one terse line; empty for None.
std::string DescribeClassFileProblem(const ClassFileProblem &problem);
