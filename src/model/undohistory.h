#pragma once

#include <QList>
#include <QString>
#include <functional>

// A bounded list of undoable steps with a current position and a clean position (where the
// document equals its file). Steps are kept in order; pushing drops every step after the
// current one, then the oldest steps while more than the limits are held. Knows nothing of
// what a step changes: undo and redo are the step's own functions.
class UndoHistory
{
public:
    struct Step
    {
        QString name;
        std::function<void()> undo;
        std::function<void()> redo;
        qint64 bytes = 0; // what the step holds, as estimated by whoever built it
    };

    static constexpr int defaultMaxSteps = 100;
    static constexpr qint64 defaultMaxBytes = qint64(256) << 20;

    explicit UndoHistory(int maxSteps = defaultMaxSteps, qint64 maxBytes = defaultMaxBytes);

    // Adds a step done just now. The step is kept even when it alone is over the byte limit,
    // so the last edit can always be undone.
    void push(Step step);
    bool canUndo() const { return m_index > 0; }
    bool canRedo() const { return m_index < m_steps.size(); }
    QString undoName() const { return canUndo() ? m_steps.at(m_index - 1).name : QString(); }
    QString redoName() const { return canRedo() ? m_steps.at(m_index).name : QString(); }
    // Runs the step's undo (redo) and moves the position; false when there is none.
    bool undo();
    bool redo();

    // Forgets every step; the empty history is clean.
    void clear();
    // The current position is the saved state.
    void setClean() { m_clean = m_index; }
    bool isClean() const { return m_clean == m_index; }

    int count() const { return m_steps.size(); }
    int index() const { return m_index; }
    qint64 bytes() const { return m_bytes; }

    // Called after every change of the steps or the position.
    void setChangedHandler(std::function<void()> handler) { m_changed = std::move(handler); }

private:
    void changed();

    QList<Step> m_steps;
    int m_index = 0; // steps before it are done
    int m_clean = 0; // -1: the saved state can no longer be reached
    int m_maxSteps;
    qint64 m_maxBytes;
    qint64 m_bytes = 0;
    std::function<void()> m_changed;
};
