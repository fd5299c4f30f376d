#pragma once

#include "core/classroom/assignment.h"
#include "core/classroom/fileproblem.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The teacher's class table: the result files handed in for one assignment,
// one row per student, one cell per figure.
//
// A cell's percent is the figure's score over its max points, times 100, at
// least 0, rounded half up to one decimal. A student's total is the sum of the
// scores over the sum of the max points of all the assignment's figures, an
// unchecked figure scoring 0, so that a student who left figures out does not
// look perfect; at least 0, one decimal. A result is late when any figure was
// checked after the end of the due day (UTC).
//
// Files not taken are rows too: damaged ones, those of a newer version, of
// another assignment, unreadable ones, and duplicates: of two files of the
// same student (SameStudent) the one with the latest Check is kept, on a tie
// the first by path.

struct LoadedResult {
    std::string path;
    std::string bytes;
    std::optional<std::string> readError;  // the system's words when the file could not be read
};

enum class ClassRowStatus { Ok, Damaged, NewerVersion, OtherAssignment, Duplicate, Unreadable };

// The status as the CSV writes it: "ok", "damaged", "newer-version",
// "other-assignment", "duplicate", "unreadable".
std::string_view ClassRowStatusName(ClassRowStatus status);

struct ClassCell {
    std::optional<double> percent;  // none while the figure is not checked
    std::optional<int> score, seconds, hints, peeks;
    std::optional<std::int64_t> checkedUtc;
    bool late = false;
    friend bool operator==(const ClassCell &, const ClassCell &) = default;
};

struct ClassRow {
    std::string name;  // the student's, or the file's name when it gives none
    std::string path;
    ClassRowStatus status = ClassRowStatus::Ok;
    // Why the file was not taken, for every status but Ok and Duplicate.
    ClassFileProblem problem;
    std::string keptPath;          // Duplicate: the student's file that was kept
    std::vector<ClassCell> cells;  // Ok: one per figure of the assignment
    double totalPercent = 0;
    bool complete = false;
    bool late = false;
};

struct ClassTable {
    std::vector<std::string> codes;  // the figures, as the game writes their codes
    // The kept results by name (ASCII letters without case), then the other
    // files by path.
    std::vector<ClassRow> rows;
    // Per figure, the mean of the kept results' percents (none where none
    // has one), rounded to one decimal.
    std::vector<std::optional<double>> meanPercent;
};

ClassTable BuildClassTable(const Assignment &assignment, const std::vector<LoadedResult> &files);

// The table as CSV (RFC 4180, UTF-8, CR LF): student, one column per figure
// headed by its code, total_percent, complete and late (yes/no), status.
// Percents have one decimal and a point; a cell without a result is empty, and
// so is every number of a file not taken.
std::string ClassCsv(const ClassTable &table);
