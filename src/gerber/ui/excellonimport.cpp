#include "gerber/ui/excellonimport.h"

#include "app/prompt.h"
#include "gerber/excellonreader.h"
#include "gerber/ui/drill_dlg.h"
#include "model/fileio.h"

#include <QDialog>

DrillImport importExcellon(QWidget* parent, const QString& path, GerberLayer& layer, QString* error)
{
    // Asking for the format of a file that cannot be read would only waste the user's time.
    if (!FileIo::checkReadable(path, error))
        return DrillImport::Failed;
    Drill_dlg dialog(parent);
    if (prompt().exec(&dialog) != QDialog::Accepted)
        return DrillImport::Cancelled;
    return loadExcellon(path, layer, dialog.format(), error) ? DrillImport::Loaded : DrillImport::Failed;
}
