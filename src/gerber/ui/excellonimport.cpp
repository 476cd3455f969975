#include "gerber/ui/excellonimport.h"

#include "gerber/drillfit.h"
#include "gerber/excellonheader.h"
#include "gerber/excellonreader.h"
#include "gerber/gerberlayer.h"
#include "gerber/ui/drill_dlg.h"
#include "model/fileio.h"
#include "uikit/prompt.h"

#include <QDialog>

namespace {

// Asks whether to keep a drill layer whose holes miss the board. True to keep it.
bool keepMisplacedHoles(QWidget* parent, const GerberLayer& layer, const DrillFit& fit)
{
    const DrillReading accepted { excellonFormatOf(layer), layer.unitFactor == 1.0 };
    QString text = QStringLiteral("%1 of the %2 holes in \"%3\" lie outside the loaded copper layers when "
                                  "the file is read as %4.")
                       .arg(fit.outside)
                       .arg(fit.holes)
                       .arg(layer.fileName, accepted.text());
    if (fit.hasFitting)
        text += QStringLiteral("\nRead as %1, every hole lies on the board.").arg(fit.fitting.text());
    else
        text += QStringLiteral("\nNo common drill format puts every hole on the board.");
    text += QStringLiteral("\n\nKeep the drill layer as it was read?");
    return prompt().question(parent, QStringLiteral("Drill Holes Outside the Board"), text,
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

} // namespace

DrillImport importExcellon(
    QWidget* parent, const QString& path, GerberLayer& layer, const QRectF& copperMm, QString* error)
{
    LineList lines;
    if (!readExcellonLines(path, &lines, error))
        return DrillImport::Failed;
    // The dialog opens with what the file's header states; the user may still change it.
    Drill_dlg dialog(parent);
    dialog.setFormat(detectExcellonFormat(lines, dialog.format()).format);
    if (prompt().exec(&dialog) != QDialog::Accepted)
        return DrillImport::Cancelled;
    if (!readExcellonInto(layer, path, lines, dialog.format(), error))
        return DrillImport::Failed;
    // A slip in the digits moves the holes off the board, where nobody sees them: ask first.
    const DrillFit fit = DrillFit::check(layer, copperMm);
    if (!fit.fits() && !keepMisplacedHoles(parent, layer, fit))
        return DrillImport::Cancelled;
    return DrillImport::Loaded;
}
