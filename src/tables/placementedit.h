#pragma once

#include <QString>

class Document;
class PnPEntry;

// What the tables must rebuild after a cell edit.
enum class CellRebuild
{
    None,
    PartTable, // value, name or execute kind changed
    All // the entry left the shown side
};

// Outcome of a cell edit: the text the cell shows afterwards (the stored value when the edit
// was refused), the warning to show (title PlacementEdit::errorTitle(); empty for none).
struct CellEditResult
{
    QString shown;
    QString warning;
    CellRebuild rebuild = CellRebuild::None;
    bool changed = false;
};

// The rules for text typed into the placement and part tables. Accepted edits go through the
// document (and mark it modified); refused ones leave the entries as they were.
namespace PlacementEdit {
QString errorTitle();
QString invalidFormat(); // X or Y not a number
QString onlyPositiveIntegers(); // rotation
QString invalidCharacter(); // ";" in a text: it separates the fields of the project file and the CSV
QString validExecCharacters();

// Replaces < > = " $ and space by "_", and "-" too unless keepHyphen.
QString clean(const QString& text, bool keepHyphen);

// An edit of one placement cell (columns of PlacementColumn). A Side edit naming the side
// that is not shown moves this entry (only it) to the other side.
CellEditResult editPlacementCell(Document& doc, PnPEntry& entry, int column, const QString& typed);

// An edit of a part-table cell: every entry of the working list with oldValue and oldName
// gets the new value (column 1) or name (column 2); the Qty column (0) is not editable and
// shows oldQty again.
CellEditResult editPartCell(Document& doc, const QString& oldValue, const QString& oldName, int oldQty,
    int column, const QString& typed);
} // namespace PlacementEdit
