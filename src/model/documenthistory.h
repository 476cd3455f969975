#pragma once

#include "model/document.h"
#include "model/undohistory.h"

#include <QVector>
#include <memory>
#include <vector>

// State beside the document that a step restores too (the layers, the line's feeder lists).
// It is captured when a step begins and when it ends; a step keeps both captures when they
// differ.
class HistoryFacet
{
public:
    struct State
    {
        virtual ~State() = default;
        virtual qint64 bytes() const = 0;
    };
    virtual ~HistoryFacet() = default;
    virtual std::shared_ptr<const State> capture() = 0;
    virtual bool same(const State& a, const State& b) const = 0;
    // Turns `current` (the state now) into `wanted`.
    virtual void restore(const State& current, const State& wanted) = 0;
};

// The placements of one side as a step keeps them: values shared with the neighbouring
// captures wherever an entry did not change, and the entries they were taken from (only
// compared, never read) to find those neighbours.
struct PlacementCapture
{
    QList<PnPEntry*> from;
    QVector<std::shared_ptr<const PnPEntry>> values;
};

// Records the edits of a document as undo steps of an UndoHistory and takes them back.
//
// A step is an edit group (Document::beginGroup) or, outside any group, one edit named by what
// it does. Before the first edit of a part (placements, board, fiducials, origins, generator,
// drawings) of a side in a step, that part is copied; at the end of the step it is copied
// again, and only parts that differ are kept. Selection-only and feeder-row edits are not
// recorded (the feeder lists are a facet's). A step that changes nothing is dropped. Undo and
// redo put the kept copies back through the document's seam without recording them. A step's
// name is its group's (or, when that is empty, the first inner one's); "%n" in it becomes the
// number of placements the step changed ("Move %n placements").
class DocumentHistory
{
public:
    DocumentHistory(Document& doc, UndoHistory& history);
    ~DocumentHistory();
    DocumentHistory(const DocumentHistory&) = delete;
    DocumentHistory& operator=(const DocumentHistory&) = delete;

    void addFacet(std::unique_ptr<HistoryFacet> facet);
    // Called after an undo or redo changed the document.
    void setRestoredHandler(std::function<void()> handler) { m_restored = std::move(handler); }

    // Undo and redo; the document's modified flag follows the history's clean position.
    bool undo();
    bool redo();
    // Forgets every step and what the next capture would share.
    void clear();
    // The document equals its file (after a save or a load): that is the clean position now.
    void markSaved() { m_history.setClean(); }
    // While paused nothing is recorded (a save names the boards).
    void setPaused(bool paused) { m_paused = paused; }

    // Bytes a capture of n placements holds with `fresh` values of its own.
    static qint64 placementBytes(int n, int fresh);

private:
    struct SideParts;
    struct Pending;
    struct Step;

    void heard(const DocumentEdit& edit, bool done);
    void group(const QString& name, bool begin, bool besides);
    void begin(const QString& name, bool besides);
    void end(const QString& name);
    void capture(SideParts& into, bool top, Changes parts, const SideParts* share) const;
    void restore(const Step& step, bool back);

    Document& m_doc;
    UndoHistory& m_history;
    std::vector<std::unique_ptr<HistoryFacet>> m_facets;
    std::unique_ptr<Pending> m_pending;
    // The last placements captured of each side, whose values the next capture shares.
    std::unique_ptr<SideParts[]> m_latest;
    int m_depth = 0;
    bool m_paused = false;
    bool m_restoring = false;
    std::function<void()> m_restored;
};
