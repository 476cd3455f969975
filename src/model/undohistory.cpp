#include "model/undohistory.h"

UndoHistory::UndoHistory(int maxSteps, qint64 maxBytes)
    : m_maxSteps(qMax(1, maxSteps))
    , m_maxBytes(maxBytes)
{ }

void UndoHistory::push(Step step)
{
    while (m_steps.size() > m_index)
        m_bytes -= m_steps.takeLast().bytes;
    if (m_clean > m_index)
        m_clean = -1;
    m_bytes += step.bytes;
    m_steps.append(std::move(step));
    ++m_index;
    while (m_steps.size() > 1 && (m_steps.size() > m_maxSteps || m_bytes > m_maxBytes)) {
        m_bytes -= m_steps.takeFirst().bytes;
        --m_index;
        // The saved state was the one before the dropped step: out of reach now.
        m_clean = m_clean > 0 ? m_clean - 1 : -1;
    }
    changed();
}

bool UndoHistory::undo()
{
    if (!canUndo())
        return false;
    --m_index;
    if (m_steps.at(m_index).undo)
        m_steps.at(m_index).undo();
    changed();
    return true;
}

bool UndoHistory::redo()
{
    if (!canRedo())
        return false;
    if (m_steps.at(m_index).redo)
        m_steps.at(m_index).redo();
    ++m_index;
    changed();
    return true;
}

void UndoHistory::clear()
{
    m_steps.clear();
    m_index = 0;
    m_clean = 0;
    m_bytes = 0;
    changed();
}

void UndoHistory::changed()
{
    if (m_changed)
        m_changed();
}
