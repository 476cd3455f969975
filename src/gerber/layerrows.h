#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <memory>

class GerberLayer;
class LayerSet;

// The rules of the Gerber-mode rows and of moving a row into a side's slot, apart from the
// table widget that shows them.
namespace LayerRows {

// A row is in use when its layer holds Gerber lines or Excellon lines.
bool inUse(const GerberLayer& layer);

// The first row from `startRow` on (row 0 for a negative start) that is not in use; -1 when
// every following row holds data.
int firstFreeRow(const LayerSet& layers, int startRow);

// A layer name as the project file can store it: ";" and "+" separate its fields, so both
// become "_". Names come from renames, from files loaded or dropped, and from moved rows.
QString cleanName(const QString& name);

// A fresh empty row: invisible, keeping the old row's colour.
std::unique_ptr<GerberLayer> freshRow(const GerberLayer& old, int row);

// The layer for a side slot made from a Gerber-mode row: its stored lines read again, with its
// mirror flags, quarter turns, offsets and name, visible, in `slotColour`. Null, with the
// reader's reason in `error`, when the row holds no data or its lines do not read.
std::unique_ptr<GerberLayer> copyForSlot(
    const GerberLayer& row, int slot, const QColor& slotColour, QString* error);

// Reads a layer again from its stored lines: the Gerber lines, else the Excellon lines with the
// reading stored in the layer. The one path for project layers and rows moved into a slot; the
// caller replays the stored transform. False with the reader's reason in `error`.
bool reread(GerberLayer& layer, QString* error);

// The lines an export writes: the Gerber lines, or the Excellon lines when there are none.
// `isGerber` says which.
QStringList exportLines(const GerberLayer& layer, bool* isGerber);

// Writes the lines, each followed by LF, UTF-8, replacing the file atomically: a failed write
// leaves the old file as it was. False with the reason in `error`.
bool writeLayerFile(const QString& path, const QStringList& lines, QString* error);

} // namespace LayerRows
