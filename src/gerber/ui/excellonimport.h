#pragma once

#include <QColor>
#include <QList>
#include <QString>

class GerberLayer;
class QWidget;

// Interactive drill import into a layer slot: a fresh layer in the background colour replaces the
// slot's layer, then Drill_dlg asks for the number format (filled in from what the file's header
// states) and the file is read. False when the file cannot be opened or the reader stops; a
// cancelled dialog leaves the empty layer and is not a failure.
bool loadExcellon(
    QWidget* parent, const QString& path, int slot, QList<GerberLayer*>& layers, const QColor& background);
