#pragma once

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
// closed the dialog, which is no failure and reads nothing.
DrillImport importExcellon(QWidget* parent, const QString& path, GerberLayer& layer, QString* error);
