#pragma once

#include "model/boardinfo.h"
#include "model/drawing.h"
#include "model/feederdata.h"
#include "model/fiducials.h"
#include "model/origin.h"
#include "model/origingen.h"
#include "model/pnpentry.h"

#include <QFlags>
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

// Everything the document holds for one side of the board. The project reader fills the same
// record before anything reaches a document.
struct BoardSide
{
    QList<PnPEntry*> placements; // owned by the document while the record is one of its sides
    BoardInfo board;
    Fiducials fiducials;
    Origins origins;
    OriginGen originGen;
    Drawings drawings;
};

// What an edit changes. Every edit names each part it may touch; the layers are not the
// document's (LayerSet).
enum class Change : unsigned
{
    Placements = 0x01, // entries added, removed, reordered, or fields of entries changed
    Board = 0x02,
    Fiducials = 0x04,
    Origins = 0x08,
    OriginGen = 0x10,
    Drawings = 0x20,
    Feeders = 0x40, // the feeder rows the project carries, copied from the line
    Selection = 0x80, // selection flags only (placements, fiducials, drawings)
    BothSides = 0x100, // the other side's record changes too (moves between sides, loading)
};
Q_DECLARE_FLAGS(Changes, Change)
Q_DECLARE_OPERATORS_FOR_FLAGS(Changes)

// One edit as the seam reports it: what the user did, what it changes, and the side it acts
// on (with Change::BothSides both sides).
struct DocumentEdit
{
    QString what;
    Changes changes;
    bool top = true;
};

// The document: one BoardSide record per board side, the side shown (the working side),
// feeder data and file version.
//
// One rule for both sides: the working side is the active side's record itself, not a copy,
// so reading a side always gives its up-to-date record and nothing is ever written back.
// setSide() only changes which record is the working side.
//
// The edit seam: every change of document content runs through edit(), editSide() or
// editSides() (the named operations below are built on them). Each edit names what it changes;
// an observer set with setEditObserver() hears it before and after the change, which is where
// undo records its steps. An edit marks the document modified unless it changes only the
// selection or only the feeder rows. Placement pointers that leave both sides in an edit are
// deleted after it; pointers that enter a side become owned by the document.
class Document
{
public:
    using EditObserver = std::function<void(const DocumentEdit& edit, bool done)>;
    // Hears the begin and the end of an edit group (EditGroup); the end carries the final name.
    // A group that only edits the document says so (besides false).
    using GroupObserver = std::function<void(const QString& name, bool begin, bool besides)>;

    Document() = default;
    ~Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    // Deletes every entry, resets both sides, shows the top side and clears modified. Gerber
    // mode and the edit observer are kept.
    void clear();

    // ---- sides and modes
    bool activeSideIsTop() const { return m_activeSideIsTop; }
    // Makes the other side's record the working side; the side shown already changes nothing.
    void setSide(bool top) { m_activeSideIsTop = top; }
    // Layer editing instead of placement editing; no placements move between sides while on.
    bool gerberMode() const { return m_gerberMode; }
    void setGerberMode(bool on) { m_gerberMode = on; }
    bool isModified() const { return m_modified; }
    void setModified(bool on) { m_modified = on; }

    // ---- reading
    const BoardSide& side(bool top) const { return top ? m_top : m_bottom; }
    const BoardSide& working() const { return side(m_activeSideIsTop); }
    QList<PnPEntry*> currentList() const { return working().placements; }
    const BoardInfo* boardInfo() const { return &working().board; }
    const Fiducials* fiducials() const { return &working().fiducials; }
    Origins origins() const { return working().origins; }
    OriginGen originGen() const { return working().originGen; }
    Drawings drawings() const { return working().drawings; }
    // Entries of the working side with the selected flag, in list order.
    QList<PnPEntry*> selectedEntries() const;
    // Shown placements of the working side grouped by value and name, in order of first
    // appearance. Entries with exec "0" never appear.
    QList<PartListRow> partList(const PartListFilter& filter) const;
    // One pass over the working side.
    ExecCounts execCounts() const;

    // ---- the edit seam
    void setEditObserver(EditObserver observer) { m_observer = std::move(observer); }
    void setGroupObserver(GroupObserver observer) { m_groupObserver = std::move(observer); }
    // Marks the edits of one user action, also those beside the document (layers, feeder
    // lists): undo takes them back as one step. Groups nest; the outermost one counts.
    void beginGroup(const QString& name, bool besides = true);
    void endGroup(const QString& name);
    // Changes the working side's record.
    void edit(const QString& what, Changes changes, const std::function<void(BoardSide&)>& change);
    // Changes one side's record.
    void editSide(
        bool top, const QString& what, Changes changes, const std::function<void(BoardSide&)>& change);
    // Changes both records (Change::BothSides is implied).
    void editSides(const QString& what, Changes changes,
        const std::function<void(BoardSide& top, BoardSide& bottom)>& change);

    // ---- named edits (each one edit of the seam)
    // Replaces both sides (loaders); entries are handed to the document. Marks modified.
    void replaceSides(BoardSide top, BoardSide bottom);
    // Replaces the working side's placement list (a new order); new pointers become owned.
    void setPlacements(const QList<PnPEntry*>& list);
    // Appends an entry (taking ownership) to the working side.
    void appendEntry(PnPEntry* entry);
    // Removes the entries from the working side and deletes them.
    void removeEntries(const QList<PnPEntry*>& entries);
    // Applies change to each entry (null pointers skipped): the one path for field edits of
    // placements.
    void editEntries(const QList<PnPEntry*>& entries, const std::function<void(PnPEntry&)>& change);
    void editEntry(PnPEntry& entry, const std::function<void(PnPEntry&)>& change);
    // Clears the selected flag of every entry of the working side (a selection change).
    void clearSelection();
    // Moves every selected entry (and every selected drawing) of the working side to the other
    // side: selected flag cleared, side text set to the other side, appended at the end of the
    // other side's list in list order. Nothing moves in Gerber mode. Marks modified.
    void switchPnPside();
    // Moves the given entries of the working side (only those) to the other side, like
    // switchPnPside() does for the selected ones; others are skipped. Marks modified.
    void moveEntriesToOtherSide(const QList<PnPEntry*>& entries);
    // Hands read placements to the sides: each to the top side when its side text is "top",
    // else to the bottom side, appended. The top and/or bottom placements are deleted first as
    // asked. Takes ownership of the entries; marks modified.
    void importEntries(const QList<PnPEntry*>& entries, bool clearTop, bool clearBottom);

    // Edit of a board field of the working side, as typed by the user. The text must match
    // the field's pattern exactly; then it is stored (numbers accept "," as decimal
    // separator, an empty name becomes "unbenannt") and the document is marked modified.
    // Moving the origin keeps every entry of the working side at its absolute position.
    BoardFieldEdit editBoardField(BoardField field, const QString& text);
    // True when text is acceptable for the field (pattern and, for numbers, a finite value).
    static bool boardFieldAccepts(BoardField field, const QString& text);
    // The field's text shown for a record: numbers with six significant digits (NumberText::format).
    static QString boardFieldText(const BoardInfo& info, BoardField field);
    static QString invalidInputTitle() { return QStringLiteral("Invalid Characters"); }
    static QString invalidInputText() { return QStringLiteral("Your input contains invalid characters"); }

    void setOrigins(const Origins& origins);
    void setOriginGen(bool top, const OriginGen& gen);
    void setDrawings(const Drawings& drawings);
    // Appends a finished drawing to the working side.
    void appendDrawing(const Drawing& drawing);
    // Removes the selected drawings of the working side; returns how many (no edit when none).
    int removeSelectedDrawings();

    // ---- project file data
    // Version of the project file the document came from; a new document has the current one.
    static constexpr int currentFileVersion = 10;
    int fileVersion() const { return m_fileVersion; }
    void setFileVersion(int version) { m_fileVersion = version; }
    // Feeder rows carried by the project (see FeederData); setting them is a Change::Feeders edit.
    const FeederData& feederData() const { return m_feederData; }
    void setFeederData(const FeederData& data);

private:
    BoardSide& sideRecord(bool top) { return top ? m_top : m_bottom; }
    // The seam's one body: observer before, change, deletion of entries that left both sides,
    // modified flag, observer after. Without mayDropEntries no entry may leave a side.
    void run(const DocumentEdit& edit, const std::function<void()>& change, bool mayDropEntries);
    void moveToOtherSide(const std::function<bool(const PnPEntry&)>& moves, bool drawings);

    BoardSide m_top;
    BoardSide m_bottom;
    bool m_activeSideIsTop = true;
    bool m_gerberMode = false;
    bool m_modified = false;
    int m_fileVersion = currentFileVersion;
    FeederData m_feederData;
    EditObserver m_observer;
    GroupObserver m_groupObserver;
};

// One user action on the document as one edit group, for the lifetime of the object. The name
// names the action ("Rotate Board"); an empty one takes the first edit's. DocumentOnly marks an
// action that changes nothing beside the document (no layers, no feeder lists), which is
// cheaper to record.
class EditGroup
{
public:
    enum Scope
    {
        WithLayersAndFeeders,
        DocumentOnly
    };
    EditGroup(Document& doc, const QString& name, Scope scope = WithLayersAndFeeders)
        : m_doc(doc)
        , m_name(name)
    {
        m_doc.beginGroup(m_name, scope == WithLayersAndFeeders);
    }
    ~EditGroup() { m_doc.endGroup(m_name); }
    EditGroup(const EditGroup&) = delete;
    EditGroup& operator=(const EditGroup&) = delete;
    void setName(const QString& name) { m_name = name; }

private:
    Document& m_doc;
    QString m_name;
};
