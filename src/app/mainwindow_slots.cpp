// The window's slots whose work lives in a collaborator: each hands the call on in one line.
// docs/architecture.md lists them with the function that does the work.
#include "app/mainwindow.h"

#include "app/boardpanel.h"
#include "app/documentsession.h"
#include "app/feederpanel.h"
#include "app/layerslots.h"
#include "app/panellayout.h"
#include "app/placementtables.h"
#include "app/toolactions.h"
#include "app/undoactions.h"
#include "app/windowcolors.h"
#include "app/windowmodes.h"
#include "model/document.h"
#include "view/ui/darstellg.h"

// ---- modes, tools, layout, colours

void MainWindow::switchBottomTop()
{
    m_modes->showSide(true);
}
void MainWindow::switchTopBottom()
{
    m_modes->showSide(false);
}
void MainWindow::switchGerberPnP()
{
    m_modes->showLayerMode();
}
void MainWindow::blockInteraction()
{
    m_modes->blockInteraction();
}
void MainWindow::unblockInteraction()
{
    m_modes->unblockInteraction();
}
void MainWindow::sigDistanceTool()
{
    m_tools->toggleMeasure();
}
void MainWindow::on_viewFeederButton_clicked()
{
    m_panelLayout->toggleFeeder();
}
void MainWindow::on_actionConfig_triggered()
{
    m_colors->configure();
}
void MainWindow::on_BoardColorBox_currentIndexChanged(int index)
{
    m_view->setBoardColorIndex(index);
}
void MainWindow::on_SilkColorBox_currentIndexChanged(int index)
{
    m_view->setSilkColorIndex(index);
}

// ---- document session

void MainWindow::on_actionNeu_triggered()
{
    m_document->newDocument();
}
void MainWindow::on_action_oeffnen_triggered()
{
    m_document->open();
}
void MainWindow::on_actionSpeicher_triggered()
{
    m_undo->setSaving(true);
    m_document->save();
    m_undo->setSaving(false);
}
void MainWindow::on_actionSpeichern_unter_triggered()
{
    m_undo->setSaving(true);
    m_document->saveAs();
    m_undo->setSaving(false);
}

// ---- placement and part tables

void MainWindow::setActivePnP()
{
    m_tables->selectPlacementRows();
}
void MainWindow::setActiveParts()
{
    m_tables->selectFromPartTable();
}
void MainWindow::sigPNPcellClicked(int, int)
{
    m_tables->selectFromPlacementTable();
}
void MainWindow::sigPNPcurrCellChanged(int, int, int, int)
{
    m_tables->selectFromPlacementTable();
}
void MainWindow::sigPNPcellChanged(int row, int column)
{
    m_tables->placementCellChanged(row, column);
}
void MainWindow::sigTeileCellClicked(int, int)
{
    m_tables->selectFromPartTable();
}
void MainWindow::sigTeileCurrCellChanged(int, int, int, int)
{
    m_tables->selectFromPartTable();
}
// Nothing to remember: the part table keeps the group of every row (see partCellChanged).
void MainWindow::sigTeileCellDoubleClicked(int, int) { }
void MainWindow::sigTeileCellChanged(int row, int column)
{
    m_tables->partCellChanged(row, column);
}
void MainWindow::sortParts(int column)
{
    m_tables->sortPlacements(column);
}
void MainWindow::sortPartList(int column)
{
    m_tables->sortParts(column);
}
void MainWindow::sigNewEntry()
{
    m_tables->newEntry();
}
void MainWindow::sigPlaced()
{
    m_tables->markSelectedPlaced();
}
void MainWindow::sigDelEntry()
{
    m_tables->deleteSelected();
}
void MainWindow::rotate45()
{
    m_board->turnSelection(45);
}
void MainWindow::rotate90()
{
    m_board->turnSelection(90);
}
void MainWindow::rotate180()
{
    m_board->turnSelection(180);
}
void MainWindow::rotate270()
{
    m_board->turnSelection(270);
}
void MainWindow::sigChangeExec0()
{
    m_tables->setExecOfSelected(0);
}
void MainWindow::sigChangeExec1()
{
    m_tables->setExecOfSelected(1);
}
void MainWindow::sigChangeExec2()
{
    m_tables->setExecOfSelected(2);
}
void MainWindow::sigChangeExec3()
{
    m_tables->setExecOfSelected(3);
}
void MainWindow::debugOutput(int index)
{
    m_tables->assignSelectedToMachine(index);
}
void MainWindow::switchPnPside()
{
    m_tables->switchSide();
}
void MainWindow::on_actionUnplace_all_triggered()
{
    m_tables->unplaceAll();
}
void MainWindow::on_comboBox_currentIndexChanged(int index)
{
    m_tables->machineSelected(index);
}
void MainWindow::on_actionSearch_triggered()
{
    m_tables->showSearch();
}
void MainWindow::searchRefDes()
{
    m_tables->searchRefDes();
}

// ---- feeder panel and production line

void MainWindow::sigFeederCellDoubleClicked(int row, int column)
{
    m_feeders->cellDoubleClicked(row, column);
}
void MainWindow::sigFeederCellClicked(int row, int column)
{
    m_feeders->cellClicked(row, column);
}
void MainWindow::sigFeederCurrCellChanged(int row, int column, int, int)
{
    m_feeders->cellClicked(row, column);
}
void MainWindow::sigFeederCellChanged(int row, int column)
{
    m_feeders->cellChanged(row, column);
}
void MainWindow::on_actionProduction_Line_Config_import_triggered()
{
    m_feeders->importLineConfig();
}
void MainWindow::on_actionProduction_Line_Config_export_triggered()
{
    m_feeders->exportLineConfig();
}
void MainWindow::on_actionLinie_erstellen_triggered()
{
    m_feeders->editLine();
}
void MainWindow::on_actionDatabase_triggered()
{
    m_feeders->editDatabase();
}
void MainWindow::on_lineselect_currentIndexChanged(int index)
{
    m_feeders->lineSelected(index);
}
void MainWindow::on_actionGenerate_Feederlist_triggered()
{
    m_feeders->generateFeederList();
}
void MainWindow::on_actionUpdate_DB_No_in_Feederlist_triggered()
{
    m_feeders->updateDatabaseNumbers();
}
void MainWindow::on_actionQuantize_triggered()
{
    m_feeders->optimize();
}

// ---- layer table

void MainWindow::on_gerber_table_cellDoubleClicked(int row, int column)
{
    m_layers->rowDoubleClicked(row, column);
}
void MainWindow::on_gerber_table_cellChanged(int row, int column)
{
    m_layers->rowNameChanged(row, column);
}
void MainWindow::sigLoadEbene(int row)
{
    m_layers->loadRowAsked(row);
}
void MainWindow::sigHideEbene(int row, bool visible)
{
    m_layers->setRowVisible(row, visible);
}

// ---- board panel

void MainWindow::on_boardName_editingFinished()
{
    m_board->boardFieldEdited(int(BoardField::Name));
}
void MainWindow::on_boardWidth_editingFinished()
{
    m_board->boardFieldEdited(int(BoardField::Width));
}
void MainWindow::on_boardHeight_editingFinished()
{
    m_board->boardFieldEdited(int(BoardField::Height));
}
void MainWindow::on_boardDepth_editingFinished()
{
    m_board->boardFieldEdited(int(BoardField::Depth));
}
void MainWindow::on_boardOriginX_editingFinished()
{
    m_board->boardFieldEdited(int(BoardField::OriginX));
}
void MainWindow::on_boardOriginY_editingFinished()
{
    m_board->boardFieldEdited(int(BoardField::OriginY));
}
void MainWindow::on_boardComment_editingFinished()
{
    m_board->boardFieldEdited(int(BoardField::Comment));
}
void MainWindow::sigOriginsCellChanged(int row, int column)
{
    m_board->originsCellChanged(row, column);
}
