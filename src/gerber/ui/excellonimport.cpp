#include "gerber/ui/excellonimport.h"

#include "app/prompt.h"
#include "gerber/excellonreader.h"
#include "gerber/gerberlayer.h"
#include "gerber/ui/drill_dlg.h"

#include <QDialog>
#include <QFile>

bool loadExcellon(
    QWidget* parent, const QString& path, int slot, QList<GerberLayer*>& layers, const QColor& background)
{
    if (slot < 0)
        return false;
    GerberLayer* layer = replaceWithDrillLayer(slot, layers, background, path);
    {
        QFile probe(path);
        if (!probe.open(QIODevice::ReadOnly))
            return false;
    }
    Drill_dlg dialog(parent);
    if (prompt().exec(&dialog) != QDialog::Accepted)
        return true;

    QStringList lines;
    if (!readExcellonLines(path, &lines))
        return false;
    applyExcellonFormat(*layer, dialog.format());
    layer->excellonLines = lines;
    return parseExcellon(*layer);
}
