#pragma once

#include "core/turn/savedturn.h"

#include <optional>
#include <string>
#include <string_view>

// The turn to continue, kept in the data folder in two files: turn.json, the
// turn in play, saved through the run, and turn-kept.json, the unfinished
// turn of an earlier run that the player may swap in. Each is replaced
// durably, so a kill at any moment leaves the old file or the new one whole.
// Only the copy of the game holding the instance lock uses them.
//
// A file that cannot be read (damaged, edited, from a newer game) is set
// aside under its name with ".unreadable" appended, replacing an older one
// of that name, so it is reported once and never read again.
class TurnFile {
public:
    static constexpr const char *CurrentName = "turn.json";
    static constexpr const char *KeptName = "turn-kept.json";
    static constexpr const char *UnreadableSuffix = ".unreadable";

    explicit TurnFile(std::string folder);

    enum class Status { Missing, Read, Unreadable };
    struct Loaded {
        Status status = Status::Missing;
        SavedTurn turn;
        std::string setAside;  // Unreadable: where the file went; empty if it could not move
    };

    // At start: an unfinished turn left in turn.json becomes the kept one
    // (replacing an older kept turn); any other is removed. What it found.
    Loaded KeepLastTurn();
    Loaded ReadKept();
    bool HasKept() const;

    // 0 or the errno of the failed step; the old file stays whole then.
    int SaveCurrent(const SavedTurn &turn);
    int SaveKept(const SavedTurn &turn);
    void RemoveCurrent();
    void DropKept();

    std::string CurrentPath() const { return m_folder + "/" + CurrentName; }
    std::string KeptPath() const { return m_folder + "/" + KeptName; }

private:
    Loaded Read(const std::string &path);

    std::string m_folder;
};

// The file's bytes: JSON, one object.
std::string SavedTurnJson(const SavedTurn &turn);
// None for anything but a whole, consistent saved turn of this version or an
// older one.
std::optional<SavedTurn> ParseSavedTurn(std::string_view text);
