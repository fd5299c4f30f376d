#pragma once

#include "core/classroom/assignment.h"

#include <random>
#include <string>
#include <string_view>
#include <vector>

// Where a teacher's assignment gets its figures and how one is made: figures
// drawn at random within levels, the assessment's twelve, or codes pasted
// from anywhere.

struct DrawnFigures {
    std::vector<PuzzleCode> figures;
    // FigureCount: `number` is not 1..MaxAssignmentFigures; BadValue at
    // "levels": `detail` "low..high" is not a range within 0..MaxLevel.
    ClassFileProblem problem;
};

// `count` figures of levels low..high, each level equally likely and each
// seed drawn from `random`, never the same figure twice, easiest first.
DrawnFigures RandomFigures(int count, int lowLevel, int highLevel, std::mt19937_64 &random);

// The assessment's figures (AssessmentSet), in its order.
std::vector<PuzzleCode> AssessmentFigures();

// Codes pasted as text, separated by white space, commas or semicolons. A
// code with spaces inside must be written with hyphens instead, as the game
// shows codes.
struct PastedFigures {
    struct Refused {
        std::string text;  // as pasted
        int position = 0;  // which piece of the text, from 1
        // Why ParsePuzzleCode refused it; None for a figure listed before.
        PuzzleCodeError error = PuzzleCodeError::None;
        friend bool operator==(const Refused &, const Refused &) = default;
    };
    std::vector<PuzzleCode> figures;  // the codes read, each figure once, in the order pasted
    std::vector<Refused> refused;
};
PastedFigures FiguresFromText(std::string_view text);

struct AssignmentMade {
    Assignment assignment;
    ClassFileProblem problem;  // the rule the assignment would break (CheckAssignment)
};

// An assignment with a new random id, its title trimmed of surrounding spaces.
AssignmentMade MakeAssignment(std::string_view title, Exercise exercise, std::vector<PuzzleCode> figures, bool hints,
                              bool peeks, std::optional<std::chrono::sys_days> due);
