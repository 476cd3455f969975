#pragma once

#include "model/boardinfo.h"
#include "model/drawing.h"
#include "model/feederdata.h"
#include "model/fiducials.h"
#include "model/origin.h"
#include "model/origingen.h"
#include "model/pnpentry.h"

#include <QList>
#include <QString>
#include <functional>

// Filter toggles of the view that decide which placements the part list shows.
struct PartListFilter
{
    bool showHand = true; // exec "2"
    bool showMachine = true; // exec "1"
    bool showTht = true; // exec "3"
    bool showPlaced = false; // placed entries are shown only with this on

    // True when the part list shows the entry: its execute kind is switched on and it is not
    // a placed entry while placed ones are hidden.
    bool shows(const PnPEntry& e) const;
};

// One row of the part list: the shown placements of one value and name.
struct PartListRow
{
    int qty = 0;
    QString value;
    QString name;

    bool operator==(const PartListRow& o) const { return qty == o.qty && value == o.value && name == o.name; }
};

// Counters of the information labels, by execute kind of the working list.
struct ExecCounts
{
    int notPlaced = 0; // exec "0" or not a number
    int machine = 0; // "1"
    int other = 0; // "2"
    int tht = 0; // "3"
    int total() const { return notPlaced + machine + other + tht; }
};

// The board-information fields of the main window.
enum class BoardField
{
    Name,
    Width,
    Height,
    Depth,
    OriginX,
    OriginY,
    Comment
};

// Outcome of a board field edit. When not accepted the caller shows
// Document::invalidInputTitle() / invalidInputText() as a warning. In both cases the
// field is rewritten with text (the stored value; numbers with six significant digits).
struct BoardFieldEdit
{
    bool accepted = false;
    QString text;
};

// The document: both board sides with their placements, board records, origins,
// origin-generator values, fiducials and drawings, plus the working copy of the
// active side.
//
// Placement lists hold PnPEntry pointers. Every entry that enters one of the lists
// (working, top, bottom) is owned by the document from then on, and is deleted when it
// is no longer held by any of the three lists (after a list setter, a write-back or a
// clear). The working list is the authority for the active side: additions and removals
// are made there and reach the side's stored list on writeBackWorkingList() or setSide().
// Origins and drawings follow the same rule as values: the working copy belongs to the
// active side and is swapped on setSide(). BoardInfo and Fiducials are per side records
// that live as long as the document; the current pointers follow the active side.
//
// Functions documented "marks modified" set the modified flag; setters used by the
// loaders do not.
class Document
{
public:
    Document();
    ~Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    // Deletes every entry, resets the records, origins, drawings and generator values of
    // both sides, shows the top side and clears modified. Gerber mode is kept. The
    // BoardInfo and Fiducials pointers stay valid (their values are reset).
    void clear();

    // ---- sides and modes
    bool activeSideIsTop() const { return m_activeSideIsTop; }
    // Stores the working copies into the active side and loads the other side's lists
    // into the working copies. Switching to the side already shown changes nothing.
    void setSide(bool top);
    // Layer editing instead of placement editing; while on, placements are not written
    // back and not moved between sides.
    bool gerberMode() const { return m_gerberMode; }
    void setGerberMode(bool on) { m_gerberMode = on; }
    bool isModified() const { return m_modified; }
    void setModified(bool on) { m_modified = on; }

    // ---- placement lists (shared copies)
    QList<PnPEntry*> currentList() const { return m_working; }
    QList<PnPEntry*> topList() const { return m_top; }
    QList<PnPEntry*> bottomList() const { return m_bottom; }
    // The up-to-date list of a side: the working list for the active side.
    QList<PnPEntry*> sideList(bool top) const
    {
        return top == m_activeSideIsTop ? m_working : (top ? m_top : m_bottom);
    }
    // Replace a list. New pointers become owned; entries held by no list afterwards are
    // deleted. Setting the stored list of the active side sets the working list too (what
    // a loader wants: the side's placements), so the next write-back keeps it.
    void setCurrentList(const QList<PnPEntry*>& list);
    void setTopList(const QList<PnPEntry*>& list);
    void setBottomList(const QList<PnPEntry*>& list);

    // Appends an entry (taking ownership) to the working list.
    void appendEntry(PnPEntry* entry);
    // Removes the entries from the working list. They are deleted once no stored list
    // holds them any more, at the latest on the next write-back.
    void removeEntries(const QList<PnPEntry*>& entries);
    // Applies change to each entry (null pointers skipped) and marks modified: the one
    // path for field edits of placements, so they can be recorded in one place.
    void editEntries(const QList<PnPEntry*>& entries, const std::function<void(PnPEntry&)>& change);
    void editEntry(PnPEntry& entry, const std::function<void(PnPEntry&)>& change);
    // Entries of the working list with the selected flag, in list order.
    QList<PnPEntry*> selectedEntries() const;
    // Clears the selected flag of every entry of the working list.
    void clearSelection();

    // Assigns the working list to the stored list of the active side. Does nothing and
    // returns false while Gerber mode is on.
    bool writeBackWorkingList();

    // Moves every selected entry (and every selected drawing) of the active side to the
    // other side: selected flag cleared, side text set to the other side, appended at the
    // end of the other side's list in list order. Nothing moves in Gerber mode. Marks
    // modified. (The caller logs "switchSide".)
    void switchPnPside();
    // Moves the given entries of the working list (only those) to the other side, like
    // switchPnPside() does for the selected ones; entries not in the working list are
    // skipped. Marks modified.
    void moveEntriesToOtherSide(const QList<PnPEntry*>& entries);

    // Import frame. prepareImport: the working list goes back into the active side's
    // stored list, the working list is emptied, then the stored top and/or bottom lists
    // are emptied as asked. The reader then appends its entries to the working list and
    // distributeWorkingList() hands each to the top list when its side is "top", else to
    // the bottom list, makes the working list a copy of the active side's list and marks
    // modified.
    void prepareImport(bool clearTop, bool clearBottom);
    void distributeWorkingList();

    // ---- derived lists
    // Shown placements of the working list grouped by value and name, in order of first
    // appearance. Entries with exec "0" never appear.
    QList<PartListRow> partList(const PartListFilter& filter) const;
    // One pass over the working list.
    ExecCounts execCounts() const;

    // ---- board records
    // Loaders fill the records through the non-const getters; everyone else edits through the
    // functions below, which mark the document modified.
    const BoardInfo* boardInfo() const { return sideBoardInfo(m_activeSideIsTop); }
    BoardInfo* boardInfo() { return sideBoardInfo(m_activeSideIsTop); }
    const BoardInfo* sideBoardInfo(bool top) const { return top ? m_topBoard : m_bottomBoard; }
    BoardInfo* sideBoardInfo(bool top) { return top ? m_topBoard : m_bottomBoard; }

    // Edit of a board field of the active side, as typed by the user. The text must match
    // the field's pattern exactly; then it is stored (numbers accept "," as decimal
    // separator, an empty name becomes "unbenannt") and the document is marked modified.
    // Moving the origin keeps every entry of the working list at its absolute position.
    BoardFieldEdit editBoardField(BoardField field, const QString& text);
    // True when text is acceptable for the field (pattern and, for numbers, a finite value).
    static bool boardFieldAccepts(BoardField field, const QString& text);
    // The field's text shown for a record: numbers with QString::number(v, 'g', 6).
    static QString boardFieldText(const BoardInfo& info, BoardField field);
    static QString invalidInputTitle() { return QStringLiteral("Invalid Characters"); }
    static QString invalidInputText() { return QStringLiteral("Your input contains invalid characters"); }
    // Moves the active side's board origin and shifts every entry of the working list by
    // the opposite amount, so absolute positions stay. Marks modified.
    void setBoardOrigin(double originX, double originY);

    // ---- fiducials
    const Fiducials* fiducials() const { return sideFiducials(m_activeSideIsTop); }
    Fiducials* fiducials() { return sideFiducials(m_activeSideIsTop); }
    const Fiducials* sideFiducials(bool top) const { return top ? m_topFid : m_bottomFid; }
    Fiducials* sideFiducials(bool top) { return top ? m_topFid : m_bottomFid; }

    // ---- origins (working copy of the active side, stored copy of the other)
    Origins origins() const { return m_workingOrigins; }
    void setOrigins(const Origins& origins) { m_workingOrigins = origins; }
    Origins sideOrigins(bool top) const;
    void setSideOrigins(bool top, const Origins& origins);

    // ---- origin generator values, one block per side
    OriginGen originGen() const { return m_workingGen; }
    OriginGen sideOriginGen(bool top) const { return top ? m_topGen : m_bottomGen; }
    // Stores the block of a side (and the working block when that side is active).
    void setSideOriginGen(bool top, const OriginGen& gen);

    // ---- drawings (working copy of the active side, stored copy of the other)
    Drawings drawings() const { return m_workingDrawings; }
    void setDrawings(const Drawings& drawings) { m_workingDrawings = drawings; }
    Drawings sideDrawings(bool top) const;
    void setSideDrawings(bool top, const Drawings& drawings);
    // Appends a finished drawing to the active side. Marks modified.
    void appendDrawing(const Drawing& drawing);
    // Removes the selected drawings of the active side; returns how many. Marks modified when any.
    int removeSelectedDrawings();

    // ---- project file data
    // Version of the project file the document came from; a new document has the current one.
    static constexpr int currentFileVersion = 10;
    int fileVersion() const { return m_fileVersion; }
    void setFileVersion(int version) { m_fileVersion = version; }
    // Feeder rows carried by the project (see FeederData).
    const FeederData& feederData() const { return m_feederData; }
    void setFeederData(const FeederData& data) { m_feederData = data; }

private:
    QList<PnPEntry*>& storedActive() { return m_activeSideIsTop ? m_top : m_bottom; }
    QList<PnPEntry*>& storedOther() { return m_activeSideIsTop ? m_bottom : m_top; }
    // Deletes the entries of dropped that no list holds any more.
    void releaseDropped(const QList<PnPEntry*>& dropped);
    void replaceList(QList<PnPEntry*>& target, const QList<PnPEntry*>& list);

    QList<PnPEntry*> m_working;
    QList<PnPEntry*> m_top;
    QList<PnPEntry*> m_bottom;
    BoardInfo* m_topBoard;
    BoardInfo* m_bottomBoard;
    Fiducials* m_topFid;
    Fiducials* m_bottomFid;
    Origins m_workingOrigins;
    Origins m_topOrigins;
    Origins m_bottomOrigins;
    OriginGen m_workingGen;
    OriginGen m_topGen;
    OriginGen m_bottomGen;
    Drawings m_workingDrawings;
    Drawings m_topDrawings;
    Drawings m_bottomDrawings;
    bool m_activeSideIsTop = true;
    bool m_gerberMode = false;
    bool m_modified = false;
    int m_fileVersion = currentFileVersion;
    FeederData m_feederData;
};
