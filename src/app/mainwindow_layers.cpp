// The layer side of the main window: the fixed slots' delete actions, the Gerber-mode rows with
// their table, the table's requests, dropped files and the layer export.
#include "app/mainwindow.h"

#include "board/layertransform.h"
#include "fab/ui/fabricationimport.h"
#include "gerber/excellonreader.h"
#include "gerber/gerberlayer.h"
#include "gerber/gerberreader.h"
#include "gerber/layerrows.h"
#include "gerber/layerset.h"
#include "gerber/ui/excellonimport.h"
#include "gerber/ui/gerber_drill_dlg.h"
#include "gerber/ui/gerbertable.h"
#include "model/fileio.h"
#include "ui_mainwindow.h"
#include "uikit/prompt.h"
#include "view/layerbounds.h"
#include "view/ui/darstellg.h"

#include <QDebug>
#include <QFile>

namespace {

const QString errorTitle = QStringLiteral("Error");

bool startsLikeDrillFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && looksLikeExcellon(file.read(64 * 1024));
}

} // namespace

void MainWindow::connectLayerWidgets()
{
    connect(m_ui->gerber_table, &GerberTable::loadRowPressed, this, &MainWindow::sigLoadEbene);
    connect(m_ui->gerber_table, &GerberTable::rowVisibilityToggled, this, &MainWindow::sigHideEbene);
    connect(m_view, &Darstellg::filesDropped, this, &MainWindow::loadDroppedFiles);
    installFabricationImport();
}

void MainWindow::warnLoadFailed(const QString& detail)
{
    prompt().warning(this, errorTitle, QStringLiteral("An error occured while loading the file"), detail);
}

void MainWindow::buildLayerTable()
{
    m_ui->gerber_table->refresh(m_view->layers().list(LayerList::GerberMode));
}

// ---- fixed slots

void MainWindow::renderSideLayers()
{
    QList<GerberLayer*> pending;
    for (LayerList list : { LayerList::Top, LayerList::Bottom })
        for (GerberLayer* layer : m_view->layers().list(list))
            if (layer && !layer->busy && !layer->objects().isEmpty())
                pending << layer;
    if (pending.isEmpty())
        return;
    m_view->expectRenders(pending.size());
    for (GerberLayer* layer : qAsConst(pending))
        m_view->startRendering(layer);
}

void MainWindow::clearSlot(LayerSlot slot, bool white)
{
    if (m_view->document().gerberMode())
        return;
    auto layer = std::make_unique<GerberLayer>(slotIndex(slot));
    if (white)
        layer->color = QColor(255, 255, 255);
    const LayerList list = m_view->document().activeSideIsTop() ? LayerList::Top : LayerList::Bottom;
    m_view->layers().replace(list, slotIndex(slot), std::move(layer));
    m_view->update();
}

void MainWindow::on_actionDelSignal_triggered()
{
    clearSlot(LayerSlot::Signal, false);
}
void MainWindow::on_actionDelMask_triggered()
{
    clearSlot(LayerSlot::Mask, false);
}
void MainWindow::on_actionDelPaste_triggered()
{
    clearSlot(LayerSlot::Paste, false);
}
void MainWindow::on_actionDelAssy_triggered()
{
    clearSlot(LayerSlot::Assy, false);
}
void MainWindow::on_actionDelSilk_triggered()
{
    clearSlot(LayerSlot::Silk, false);
}
void MainWindow::on_actionDelOutline_triggered()
{
    clearSlot(LayerSlot::BoardOutline, false);
}
void MainWindow::on_actionDelDrill_triggered()
{
    clearSlot(LayerSlot::Drill, false);
}
void MainWindow::on_actionDelete_Signal_triggered()
{
    clearSlot(LayerSlot::Signal, true);
}
void MainWindow::on_actionDelete_Mask_triggered()
{
    clearSlot(LayerSlot::Mask, true);
}
void MainWindow::on_actionDelete_Paste_triggered()
{
    clearSlot(LayerSlot::Paste, true);
}
void MainWindow::on_actionDelete_Assy_triggered()
{
    clearSlot(LayerSlot::Assy, true);
}
void MainWindow::on_actionDelete_Silk_triggered()
{
    clearSlot(LayerSlot::Silk, true);
}
void MainWindow::on_actionDelete_Board_Outline_triggered()
{
    clearSlot(LayerSlot::BoardOutline, true);
}
void MainWindow::on_actionDelete_Drill_triggered()
{
    clearSlot(LayerSlot::Drill, true);
}

// ---- Gerber-mode rows

MainWindow::LayerLoad MainWindow::loadIntoRow(const QString& path, int row, bool drill, QString* error)
{
    const GerberLayer* old = m_view->layers().layer(LayerList::GerberMode, row);
    if (!old)
        return LayerLoad::Failed;
    // Read into a layer of its own: a failed read leaves the row as it was, not half filled.
    std::unique_ptr<GerberLayer> layer = LayerRows::freshRow(*old, row);
    if (drill) {
        const QRectF copper = LayerBounds::copperExtentMm(m_view->layers().list(LayerList::GerberMode));
        const DrillImport result = importExcellon(this, path, *layer, copper, error);
        if (result != DrillImport::Loaded)
            return result == DrillImport::Cancelled ? LayerLoad::Cancelled : LayerLoad::Failed;
    } else if (!loadGerber(path, *layer, error)) {
        return LayerLoad::Failed;
    }
    layer->fileName = LayerRows::cleanName(layer->fileName);
    m_view->layers().replace(LayerList::GerberMode, row, std::move(layer));
    m_view->document().setModified(true);
    m_view->fitIfBoardOutOfView();
    return LayerLoad::Loaded;
}

void MainWindow::askAndLoadIntoRow(int row, bool drill)
{
    const QString path = prompt().openFileName(this,
        drill ? QStringLiteral("Import Drill") : QStringLiteral("Import Gerber"), m_lastDirectory,
        drill ? QStringLiteral("Drill File (*.*)") : QStringLiteral("Gerber File (*.*)"));
    if (path.isEmpty())
        return;
    m_lastDirectory = FileIo::folderOf(path);
    QString error;
    if (loadIntoRow(path, row, drill, &error) == LayerLoad::Failed)
        warnLoadFailed(error);
    buildLayerTable();
    m_view->update();
}

void MainWindow::importIntoFreeRow(bool drill)
{
    if (!m_view->document().gerberMode())
        return;
    const int row = LayerRows::firstFreeRow(m_view->layers(), m_ui->gerber_table->currentRow());
    if (row < 0) {
        prompt().warning(this, errorTitle, QStringLiteral("All (following) Fields are in use"));
        return;
    }
    askAndLoadIntoRow(row, drill);
}

void MainWindow::on_actionGerber_triggered()
{
    importIntoFreeRow(false);
}

void MainWindow::on_actionDrill_triggered()
{
    importIntoFreeRow(true);
}

void MainWindow::sigLoadEbene(int row)
{
    Gerber_drill_dlg dialog(this);
    if (prompt().exec(&dialog) != QDialog::Accepted)
        return;
    const bool drill = dialog.excellonChosen();
    askAndLoadIntoRow(row, drill);
}

void MainWindow::sigHideEbene(int row, bool visible)
{
    if (GerberLayer* layer = m_view->layers().layer(LayerList::GerberMode, row))
        layer->visible = visible;
    m_view->update();
}

void MainWindow::on_gerber_table_cellDoubleClicked(int row, int column)
{
    GerberLayer* layer = m_view->layers().layer(LayerList::GerberMode, row);
    if (column != GerberTable::ColourColumn || !layer)
        return;
    const QColor c = prompt().color(this, layer->color, QString());
    if (!c.isValid())
        return;
    layer->color = c;
    buildLayerTable();
    m_view->update();
}

void MainWindow::on_gerber_table_cellChanged(int row, int column)
{
    GerberLayer* layer = m_view->layers().layer(LayerList::GerberMode, row);
    const QTableWidgetItem* item = m_ui->gerber_table->item(row, column);
    if (column != GerberTable::NameColumn || !layer || !item)
        return;
    if (!layer->rawLines.isEmpty() && !item->text().isEmpty()) {
        layer->fileName = LayerRows::cleanName(item->text());
        m_view->document().setModified(true);
    }
    buildLayerTable();
}

// ---- requests of the table

void MainWindow::moveRowToSlot(int row, bool top, int slot)
{
    LayerSet& layers = m_view->layers();
    const GerberLayer* source = layers.layer(LayerList::GerberMode, row);
    const LayerList list = top ? LayerList::Top : LayerList::Bottom;
    const GerberLayer* target = layers.layer(list, slot);
    // An empty row would only blank the slot.
    if (!source || !target || !LayerRows::inUse(*source))
        return;
    blockInteraction();
    QString error;
    std::unique_ptr<GerberLayer> layer = LayerRows::copyForSlot(*source, slot, target->color, &error);
    GerberLayer* moved = layer.get();
    if (layer) {
        // The row's transform (mirrors, quarter turns, offset) is applied to the fresh image,
        // so the layer lands where the row showed it.
        LayerTransform::replay(*layer);
        layers.replace(list, slot, std::move(layer));
        m_view->document().setModified(true);
        m_view->expectRenders();
        m_view->startRendering(moved);
    }
    unblockInteraction();
    if (!moved)
        warnLoadFailed(error);
}

void MainWindow::executeLayerRequests()
{
    GerberTable* table = m_ui->gerber_table;
    if (table->moveToTopRequested || table->moveToBottomRequested) {
        moveRowToSlot(table->sourceRow, table->moveToTopRequested, table->targetSlot);
        table->moveToTopRequested = table->moveToBottomRequested = false;
        table->targetSlot = table->sourceRow = -1;
        m_view->update();
    }
    if (table->removeRequested) {
        LayerSet& layers = m_view->layers();
        if (const GerberLayer* old = layers.layer(LayerList::GerberMode, table->sourceRow)) {
            layers.replace(
                LayerList::GerberMode, table->sourceRow, LayerRows::freshRow(*old, table->sourceRow));
            m_view->document().setModified(true);
        }
        buildLayerTable();
        table->removeRequested = false;
        table->sourceRow = -1;
        m_view->update();
    }
    if (table->exportRequested) {
        table->exportRequested = false;
        const int row = table->sourceRow;
        table->sourceRow = -1;
        if (const GerberLayer* layer = m_view->layers().layer(LayerList::GerberMode, row)) {
            bool isGerber = false;
            const QStringList lines = LayerRows::exportLines(*layer, &isGerber);
            if (!lines.isEmpty())
                exportLayer(lines, layer->fileName, isGerber);
        }
    }
    if (table->panelizeRequested) {
        table->panelizeRequested = false;
        table->sourceRow = -1;
        panelizeAsked();
        buildLayerTable();
    }
    if (table->filesDropped) {
        const QStringList files = table->droppedFiles;
        table->filesDropped = false;
        table->droppedFiles.clear();
        table->dropRow = -1;
        loadDroppedFiles(files);
    }
}

void MainWindow::loadDroppedFiles(const QStringList& paths)
{
    for (const QString& path : paths) {
        if (FabricationImport::isPackage(path)) {
            m_fabImport->open(path); // a whole fabrication package
            continue;
        }
        const bool drill = startsLikeDrillFile(path);
        QString error;
        LayerLoad result = LayerLoad::Failed;
        if (m_view->document().gerberMode()) {
            const int row = LayerRows::firstFreeRow(m_view->layers(), m_ui->gerber_table->currentRow());
            if (row < 0) {
                prompt().warning(this, errorTitle, QStringLiteral("All (following) Fields are in use"));
                break;
            }
            result = loadIntoRow(path, row, drill, &error);
        } else {
            // Drill files go to the drill slot; Gerber files to the first empty slot, else Signal.
            LayerSlot slot = drill ? LayerSlot::Drill : LayerSlot::Signal;
            if (!drill) {
                for (int s = 0; s < slotIndex(LayerSlot::Drill); ++s) {
                    const GerberLayer* l
                        = m_view->layers().slot(m_view->document().activeSideIsTop(), LayerSlot(s));
                    if (l && !LayerRows::inUse(*l)) {
                        slot = LayerSlot(s);
                        break;
                    }
                }
            }
            result = loadIntoSlot(path, slot, drill, &error);
        }
        if (result == LayerLoad::Failed)
            warnLoadFailed(error);
        m_lastDirectory = FileIo::folderOf(path);
    }
    buildLayerTable();
    m_view->update();
}

// ---- export

void MainWindow::exportLayer(const QStringList& lines, const QString& proposedName, bool isGerber)
{
    const QString path = prompt().saveFileName(this,
        isGerber ? QStringLiteral("Export Gerber File") : QStringLiteral("Export Excellon Drill File"),
        m_lastDirectory + QLatin1Char('/') + proposedName,
        isGerber ? QStringLiteral("Gerber File (*.gbr)") : QStringLiteral("Excellon Drill File (*.drl)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!LayerRows::writeLayerFile(path, lines, &error))
        prompt().warning(
            this, errorTitle, QStringLiteral("An error occured while exporting the file"), error);
}
