#include "gerber/ui/excellonimport.h"

#include "app/prompt.h"
#include "gerber/excellonheader.h"
#include "gerber/excellonreader.h"
#include "gerber/gerberlayer.h"
#include "gerber/ui/drill_dlg.h"

#include <QDialog>

bool loadExcellon(
    QWidget* parent, const QString& path, int slot, QList<GerberLayer*>& layers, const QColor& background)
{
    if (slot < 0)
        return false;
    GerberLayer* layer = replaceWithDrillLayer(slot, layers, background, path);
    QStringList lines;
    if (!readExcellonLines(path, &lines))
        return false;
    // The dialog opens with what the file's header states; the user may still change it.
    Drill_dlg dialog(parent);
    dialog.setFormat(detectExcellonFormat(lines, dialog.format()).format);
    if (prompt().exec(&dialog) != QDialog::Accepted)
        return true;

    applyExcellonFormat(*layer, dialog.format());
    layer->excellonLines = lines;
    return parseExcellon(*layer);
}
