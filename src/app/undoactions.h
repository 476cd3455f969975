#pragma once

#include "model/documenthistory.h"
#include "model/undohistory.h"
#include "view/viewstate.h"

#include <QObject>
#include <functional>
#include <memory>

class Darstellg;
class FeederPanel;
class QAction;
class QMenu;
class QToolBar;

// Undo and redo of the window: the history of the view's document with its layers and the
// line's feeder lists, the Edit menu's "Undo" and "Redo" entries and their toolbar buttons.
class UndoActions : public QObject
{
    Q_OBJECT
public:
    struct Hooks
    {
        std::function<void()> restored; // the window shows the document anew (tables, view, fields)
        std::function<bool()> blocked; // interaction is blocked (loading, rendering)
    };

    UndoActions(Darstellg& view, FeederPanel& feeders, QMenu& editMenu, QToolBar& toolBar, QAction* before,
        Hooks hooks, QObject* parent);
    ~UndoActions() override;

    void undo();
    void redo();
    // A new or opened document: no steps.
    void clear();
    // Saving: what it changes is no step; afterwards the document equals its file.
    void setSaving(bool on);
    // A drag of a tool is one step from press to release; the name may hold "%n" (placements).
    void toolPressed();
    void toolReleased(const QString& name);
    static QString toolStepName(ToolMode tool);
    // Timer: a document that is not modified (saved or loaded) sits at the clean position.
    void tick();

    const UndoHistory& history() const { return m_history; }

private:
    void refreshActions();

    Darstellg& m_view;
    Hooks m_hooks;
    UndoHistory m_history;
    std::unique_ptr<DocumentHistory> m_recorder;
    QAction* m_undo;
    QAction* m_redo;
    bool m_toolGroupOpen = false;
};
