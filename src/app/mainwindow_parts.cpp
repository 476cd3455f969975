// Where the main window calls into the other parts: tables, imports and exports, layers,
// production line, colour settings. Functions marked "not built yet" are empty hooks that the
// timer and the life cycle already call; they do nothing until their part lands.
#include "app/mainwindow.h"

#include "gerber/gerberlayer.h"
#include "gerber/gerberreader.h"
#include "gerber/layerset.h"
#include "gerber/ui/excellonimport.h"
#include "model/fileio.h"
#include "model/version.h"
#include "pnpio/ui/pnpexportactions.h"
#include "pnpio/ui/pnpimportactions.h"
#include "ui_mainwindow.h"
#include "uikit/prompt.h"
#include "view/layerbounds.h"
#include "view/ui/darstellg.h"

#include <QDebug>
#include <QLabel>

// ---- tables (the placement and part tables live in mainwindow_tables.cpp)

void MainWindow::executeLayerAndFeederRequests()
{
    // The layer table's requests (mainwindow_layers.cpp), the machine assignments of both
    // placement tables, then the feeder table's menu (mainwindow_feeders.cpp).
    executeLayerRequests();
    executeMachineRequests();
    executeFeederRequests();
}

// ---- placement import and export

#define TESSAVRANT_IMPORT_SLOT(slotName, function)                                                           \
    void MainWindow::slotName()                                                                              \
    {                                                                                                        \
        if (PnPImportActions::function(this, m_view->document(), m_lastDirectory)) {                         \
            disconnectTableSignals();                                                                        \
            createLists();                                                                                   \
            connectTableSignals();                                                                           \
            m_view->fitIfBoardOutOfView();                                                                   \
        }                                                                                                    \
        m_view->update();                                                                                    \
    }

TESSAVRANT_IMPORT_SLOT(on_actionTessavrant_triggered, importTessavrant)
TESSAVRANT_IMPORT_SLOT(on_actionDipTrace_triggered, importDipTrace)
TESSAVRANT_IMPORT_SLOT(on_actionEagle_triggered, importEagle)
TESSAVRANT_IMPORT_SLOT(on_actionEagle_Part_triggered, importEaglePart)
TESSAVRANT_IMPORT_SLOT(on_actionTarget_triggered, importTarget)
TESSAVRANT_IMPORT_SLOT(on_actionAltium_triggered, importAltium)
TESSAVRANT_IMPORT_SLOT(on_actionAltium_2_triggered, importAltium2)
TESSAVRANT_IMPORT_SLOT(on_actionKiCad_triggered, importKiCad)
TESSAVRANT_IMPORT_SLOT(on_actionPart_Position_CSV_triggered, importPositionUpdate)
#undef TESSAVRANT_IMPORT_SLOT

void MainWindow::on_actionPick_And_Place_Data_triggered()
{
    PnPExportActions(this, m_view->document(), m_lastDirectory).exportPickAndPlace();
}

void MainWindow::on_actionPart_List_triggered()
{
    PnPExportActions(this, m_view->document(), m_lastDirectory).exportPartList();
}

// ---- layers

bool MainWindow::importLayerFile(const QString& path, bool drill)
{
    QString error;
    if (loadIntoSlot(path, LayerSlot::Signal, drill, &error) == LayerLoad::Failed) {
        prompt().warning(
            this, QStringLiteral("Error"), QStringLiteral("An error occured while loading the file"), error);
        return false;
    }
    return true;
}

MainWindow::LayerLoad MainWindow::loadIntoSlot(
    const QString& path, LayerSlot slot, bool drill, QString* error)
{
    // The file is read into a layer of its own: only a good read replaces the slot's layer,
    // so a failed or cancelled load leaves the layer the user had.
    auto layer = std::make_unique<GerberLayer>(slotIndex(slot));
    if (drill) {
        // Holes are painted in the background colour so they look like holes.
        layer->color = m_view->viewState().colours.background;
        const QRectF copper = LayerBounds::copperExtentMm(
            m_view->layers().list(m_view->document().activeSideIsTop() ? LayerList::Top : LayerList::Bottom));
        const DrillImport result = importExcellon(this, path, *layer, copper, error);
        if (result != DrillImport::Loaded)
            return result == DrillImport::Cancelled ? LayerLoad::Cancelled : LayerLoad::Failed;
    } else if (!loadGerber(path, *layer, error)) {
        return LayerLoad::Failed;
    } else if (const GerberLayer* old = m_view->layers().slot(m_view->document().activeSideIsTop(), slot)) {
        layer->color = old->color;
    }
    GerberLayer* installed = layer.get();
    m_view->installSideLayer(slot, std::move(layer));
    m_view->document().setModified(true);
    m_view->fitIfBoardOutOfView();
    if (!m_view->document().gerberMode()) {
        m_view->expectRenders();
        m_view->startRendering(installed);
    }
    return LayerLoad::Loaded;
}

void MainWindow::loadLayerSlot(LayerSlot slot, const QString& title, bool drill)
{
    const QString filter = drill ? QStringLiteral("Drill File (*.*)") : QStringLiteral("Gerber File (*.*)");
    const QString path = prompt().openFileName(this, title, m_lastDirectory, filter);
    if (path.isEmpty())
        return;
    m_lastDirectory = FileIo::folderOf(path);
    qDebug() << m_lastDirectory;
    QString error;
    if (loadIntoSlot(path, slot, drill, &error) == LayerLoad::Failed)
        prompt().warning(
            this, QStringLiteral("Error"), QStringLiteral("An error occured while loading the file"), error);
    m_view->update();
}

void MainWindow::on_actionTop_triggered()
{
    loadLayerSlot(LayerSlot::Signal, QStringLiteral("Open Gerber Signal"), false);
}
void MainWindow::on_actionTop_Paste_triggered()
{
    loadLayerSlot(LayerSlot::Mask, QStringLiteral("Open Gerber Mask"), false);
}
void MainWindow::on_actionPaste_triggered()
{
    loadLayerSlot(LayerSlot::Paste, QStringLiteral("Open Gerber Paste"), false);
}
void MainWindow::on_actionAssy_triggered()
{
    loadLayerSlot(LayerSlot::Assy, QStringLiteral("Open Gerber Assy"), false);
}
void MainWindow::on_actionTop_Silk_triggered()
{
    loadLayerSlot(LayerSlot::Silk, QStringLiteral("Open Gerber Silk"), false);
}
void MainWindow::on_actionBoard_Outline_triggered()
{
    loadLayerSlot(LayerSlot::BoardOutline, QStringLiteral("Open Gerber Board Outline"), false);
}
void MainWindow::on_actionDrill_Excellon_triggered()
{
    loadLayerSlot(LayerSlot::Drill, QStringLiteral("Open Excellon Drill"), true);
}

// ---- settings, help

// This entry carries no function.
void MainWindow::on_actionVI3000_triggered() { }

void MainWindow::on_actionEinstellungen_triggered()
{
    prompt().warning(this, QStringLiteral("No Settings"), QStringLiteral("No Settings implemented yet"));
}

void MainWindow::on_actionAbout_triggered()
{
    prompt().information(
        this, QStringLiteral("About"), Version::programText() + QLatin1Char('\n') + Version::buildText());
}
