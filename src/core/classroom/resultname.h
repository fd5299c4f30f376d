#pragma once

#include <functional>
#include <string>
#include <string_view>

// Students' names and the names of result files.
//
// Names compare as people type them: surrounding white space is ignored, runs
// of it inside count as one space, and ASCII letters compare without case.
// Other characters compare byte for byte: "É" and "é" differ, since folding
// case beyond ASCII needs Unicode's tables, which the core does not carry. A
// blank name is nobody's and matches no other.

// The name without white space around it.
std::string_view TrimmedName(std::string_view name);
bool SameStudent(std::string_view a, std::string_view b);

// "<title> - <student>.trivisto-result", each part trimmed and made safe on
// every common file system: / \ : * ? " < > |, control characters and bytes
// that are not UTF-8 become "_", and so do dots at a part's start and dots
// and spaces at its end; each part is cut to MaxNamePartBytes at a character's
// start; an empty part becomes "_".
constexpr std::size_t MaxNamePartBytes = 100;
std::string ResultFileName(std::string_view title, std::string_view student);

// The name to save a result as: ResultFileName, or when a file of another
// assignment or student already has it (as `takenByOther` tells), the first
// free one of "... (2).trivisto-result", "... (3)..." up to 999; empty when
// all of those are taken too.
std::string FreeResultFileName(std::string_view title, std::string_view student,
                               const std::function<bool(const std::string &name)> &takenByOther);
