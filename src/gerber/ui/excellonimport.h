#pragma once

#include <QRectF>
#include <QString>

class GerberLayer;
class QWidget;

enum class DrillImport
{
    Loaded,
    Failed,
    Cancelled
};

// Interactive drill import: Drill_dlg asks for the number format, then the file is read into
// `layer` (owned by the caller, coloured by it). Failed when the file cannot be opened (before
// the dialog is shown) or the reader stops, with the reason in `error`; Cancelled when the user
// closed the dialog, which is no failure and reads nothing. When holes fall outside `copperMm`
// (the extent of the loaded copper, millimetres; null when there is none) the user is asked
// whether to keep the layer; not keeping it is Cancelled too.
DrillImport importExcellon(
    QWidget* parent, const QString& path, GerberLayer& layer, const QRectF& copperMm, QString* error);
