#include "core/turn/edithistory.h"

void EditHistory::Push(Kind kind, SheetEdit edit)
{
    m_entries.resize(m_position);
    m_entries.push_back({kind, std::move(edit), {}});
    m_position = m_entries.size();
}

void EditHistory::Push(Kind kind, BuildEdit edit)
{
    m_entries.resize(m_position);
    m_entries.push_back({kind, {}, std::move(edit)});
    m_position = m_entries.size();
}

const EditHistory::Entry *EditHistory::Undo()
{
    if (!CanUndo())
        return nullptr;
    return &m_entries[--m_position];
}

const EditHistory::Entry *EditHistory::Redo()
{
    if (!CanRedo())
        return nullptr;
    return &m_entries[m_position++];
}

void EditHistory::Clear()
{
    m_entries.clear();
    m_position = 0;
}

void EditHistory::Restore(std::vector<Entry> entries, std::size_t position)
{
    m_entries = std::move(entries);
    m_position = position < m_entries.size() ? position : m_entries.size();
}
