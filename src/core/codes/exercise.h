#pragma once

#include <array>
#include <optional>
#include <string_view>

// The two exercises on one figure: drawing its three views from the 3D figure,
// or building the figure in 3D from its three views. The names are what the
// command line, the settings and the history's `exercise` column hold.
enum class Exercise { Views, Build };
constexpr std::array<Exercise, 2> AllExercises{Exercise::Views, Exercise::Build};

constexpr std::string_view ExerciseName(Exercise e)
{
    return e == Exercise::Build ? "build" : "views";
}

constexpr std::optional<Exercise> ParseExercise(std::string_view name)
{
    for (Exercise e : AllExercises)
        if (ExerciseName(e) == name)
            return e;
    return std::nullopt;
}

constexpr int ExerciseIndex(Exercise e) { return e == Exercise::Build ? 1 : 0; }
