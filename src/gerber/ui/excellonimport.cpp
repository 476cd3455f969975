#include "gerber/ui/excellonimport.h"

#include "app/prompt.h"
#include "gerber/excellonheader.h"
#include "gerber/excellonreader.h"
#include "gerber/ui/drill_dlg.h"
#include "model/fileio.h"

#include <QDialog>

DrillImport importExcellon(QWidget* parent, const QString& path, GerberLayer& layer, QString* error)
{
    QStringList lines;
    if (!readExcellonLines(path, &lines, error))
        return DrillImport::Failed;
    // The dialog opens with what the file's header states; the user may still change it.
    Drill_dlg dialog(parent);
    dialog.setFormat(detectExcellonFormat(lines, dialog.format()).format);
    if (prompt().exec(&dialog) != QDialog::Accepted)
        return DrillImport::Cancelled;
    return readExcellonInto(layer, path, lines, dialog.format(), error) ? DrillImport::Loaded
                                                                        : DrillImport::Failed;
}
