#pragma once

#include "core/build/builtfigure.h"
#include "core/sheets/sheetinput.h"

#include <cstddef>
#include <vector>

// The undo history of a turn: its sheet edits in order and a position between
// them. Edits before the position are done, those after it undone; a new edit
// drops the undone ones. Plain data, so core tests, the fuzz build and a saved
// turn can hold it; the window only presents it.
class EditHistory {
public:
    // A hint's step in the build exercise is built like a segment, so undo
    // takes it away; what it cost stays paid.
    enum class Kind { Stroke, ClearSheet, Build, BuildHint };
    struct Entry {
        Kind kind = Kind::Stroke;
        SheetEdit edit;   // Stroke and ClearSheet
        BuildEdit build;  // Build and BuildHint
        bool IsBuild() const { return kind == Kind::Build || kind == Kind::BuildHint; }
    };

    void Push(Kind kind, SheetEdit edit);
    void Push(Kind kind, BuildEdit edit);
    // The edit to revert (moving the position back), or null with nothing to undo.
    const Entry *Undo();
    // The edit to apply again (moving the position on), or null.
    const Entry *Redo();
    bool CanUndo() const { return m_position > 0; }
    bool CanRedo() const { return m_position < m_entries.size(); }
    void Clear();
    // The entries and position of a saved turn; a position past the end is
    // taken as the end.
    void Restore(std::vector<Entry> entries, std::size_t position);
    const std::vector<Entry> &Entries() const { return m_entries; }
    std::size_t Position() const { return m_position; }

private:
    std::vector<Entry> m_entries;
    std::size_t m_position = 0;
};
