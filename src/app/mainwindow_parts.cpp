// Where the main window calls into the other parts: tables, imports and exports, layers,
// production line, colour settings. Parts that are not there yet are reached through the
// functions below, which then do nothing more.
#include "app/mainwindow.h"

#include "app/prompt.h"
#include "gerber/gerberlayer.h"
#include "gerber/gerberreader.h"
#include "gerber/ui/excellonimport.h"
#include "pnpio/ui/pnpexportactions.h"
#include "pnpio/ui/pnpimportactions.h"
#include "ui_mainwindow.h"
#include "view/ui/darstellg.h"

#include <QDebug>
#include <QLabel>

// ---- tables

void MainWindow::connectTableSignals()
{
    // The placement, part, origins and feeder tables hook their cell signals in here.
    m_tableSignalsConnected = true;
}

void MainWindow::disconnectTableSignals()
{
    m_tableSignalsConnected = false;
}

void MainWindow::executeTableRequests()
{
    // Requests posted by the part table, the placement table and the view's context menu,
    // and the placement the search dialog located, run here in their fixed order.
}

void MainWindow::executeLayerAndFeederRequests()
{
    // Requests of the layer table and the feeder widgets, and machine assignments of both
    // placement tables, run here.
}

void MainWindow::buildPlacementTable()
{
    // Filled by the placement table (PNPlist) once it exists.
}

void MainWindow::buildPartTable()
{
    // The part table (Partlist) fills its rows here; the counters belong to its build.
    updateInfoCounters();
}

void MainWindow::updateInfoCounters()
{
    const ExecCounts counts = m_view->document().execCounts();
    m_ui->gescnt->setText(QString::number(counts.total()));
    m_ui->exec0cnt->setText(QString::number(counts.notPlaced));
    m_ui->exec1cnt->setText(QString::number(counts.machine));
    m_ui->exec2cnt->setText(QString::number(counts.other));
    m_ui->exec3cnt->setText(QString::number(counts.tht));
}

void MainWindow::updateBodySizes()
{
    // Body sizes come from the feeder list and the part database.
    m_view->update();
}

void MainWindow::buildOriginsTable()
{
    // Filled from the side's origins by the panel part.
}

void MainWindow::buildLayerTable()
{
    // Filled from the Gerber-mode layers by the layer table (GerberTable).
}

void MainWindow::rebuildFeederList()
{
    // The feeder overview and the feeder table rebuild from the selected machine.
}

void MainWindow::applyMachineSelector(int)
{
    // Colours the placement rows of the chosen machine and marks its placements.
}

void MainWindow::handLineDataToView()
{
    // The production line dialog stores its machine selection and hands the line to the view.
}

void MainWindow::writeColorSettings()
{
    // colors.cfg is written by the colour settings.
}

void MainWindow::on_actionSearch_triggered()
{
    // The search dialog receives both sides' placements and is shown.
    m_view->document().writeBackWorkingList();
}

void MainWindow::searchRefDes()
{
    on_actionSearch_triggered();
}

// ---- placement import and export

#define TESSAVRANT_IMPORT_SLOT(slotName, function)                                                           \
    void MainWindow::slotName()                                                                              \
    {                                                                                                        \
        if (PnPImportActions::function(this, m_view->document(), m_lastDirectory)) {                         \
            disconnectTableSignals();                                                                        \
            createLists();                                                                                   \
            connectTableSignals();                                                                           \
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
    return loadIntoSlot(path, 0, drill);
}

bool MainWindow::loadIntoSlot(const QString& path, int slot, bool drill)
{
    // The readers replace the layer of a slot in the list they are given; a list of their own
    // keeps them away from the view's layers, which the view alone deletes.
    QList<GerberLayer*> loaded;
    const bool ok = drill ? loadExcellon(this, path, slot, loaded, m_view->backgroundColor())
                          : loadGerber(path, slot, loaded);
    GerberLayer* layer = ok ? loaded.value(slot) : nullptr;
    if (layer)
        loaded[slot] = nullptr;
    else
        layer = new GerberLayer(slot);
    qDeleteAll(loaded);
    const bool top = m_view->activeSideIsTop();
    m_view->replaceSideLayer(top, slot, layer);
    // Signal and Silk take the board's configured colours, loaded or not.
    if (slot == Darstellg::Signal)
        m_view->setCopperColor(m_view->copperColor());
    else if (slot == Darstellg::Silk)
        m_view->setSilkColor(m_view->silkColor());
    if (ok)
        m_view->setModified(true);
    m_view->update();
    return ok;
}

void MainWindow::loadLayerSlot(int slot, const QString& title, bool drill)
{
    const QString filter = drill ? QStringLiteral("Drill File (*.*)") : QStringLiteral("Gerber File (*.*)");
    const QString path = prompt().openFileName(this, title, m_lastDirectory, filter);
    if (path.isEmpty())
        return;
    m_lastDirectory = path.left(path.lastIndexOf(QLatin1Char('/')));
    qDebug() << m_lastDirectory;
    if (!loadIntoSlot(path, slot, drill))
        prompt().warning(
            this, QStringLiteral("Error"), QStringLiteral("An error occured while loading the file"));
    m_view->update();
}

void MainWindow::on_actionTop_triggered()
{
    loadLayerSlot(0, QStringLiteral("Open Gerber Signal"), false);
}
void MainWindow::on_actionTop_Paste_triggered()
{
    loadLayerSlot(1, QStringLiteral("Open Gerber Mask"), false);
}
void MainWindow::on_actionPaste_triggered()
{
    loadLayerSlot(2, QStringLiteral("Open Gerber Paste"), false);
}
void MainWindow::on_actionAssy_triggered()
{
    loadLayerSlot(3, QStringLiteral("Open Gerber Assy"), false);
}
void MainWindow::on_actionTop_Silk_triggered()
{
    loadLayerSlot(4, QStringLiteral("Open Gerber Silk"), false);
}
void MainWindow::on_actionBoard_Outline_triggered()
{
    loadLayerSlot(5, QStringLiteral("Open Gerber Board Outline"), false);
}
void MainWindow::on_actionDrill_Excellon_triggered()
{
    loadLayerSlot(6, QStringLiteral("Open Excellon Drill"), true);
}

// Gerber-mode imports fill the first free row of the layer table, which arrives with it.
void MainWindow::on_actionGerber_triggered() { }
void MainWindow::on_actionDrill_triggered() { }

// ---- production line, settings, help

void MainWindow::on_actionProduction_Line_Config_import_triggered() { }
void MainWindow::on_actionProduction_Line_Config_export_triggered() { }

// These two entries carry no function.
void MainWindow::on_actionVI3000_triggered() { }
void MainWindow::on_actionLinie_erstellen_triggered() { }

void MainWindow::on_actionEinstellungen_triggered()
{
    prompt().warning(this, QStringLiteral("No Settings"), QStringLiteral("No Settings implemented yet"));
}

void MainWindow::on_actionAbout_triggered()
{
    prompt().information(this, QStringLiteral("About"),
        Darstellg::versionString() + QLatin1Char('\n') + Darstellg::buildString());
}
