// The feeder list of the selected machine (generation, database numbers, cell edits, the
// table's menu), the hand-over of the lists between the machines and the project, and the
// optimizer.
#include "app/mainwindow.h"

#include "line/feederedit.h"
#include "line/feederentry.h"
#include "line/feederhandover.h"
#include "line/feederlist.h"
#include "line/machine.h"
#include "line/machinetables.h"
#include "line/optimizer.h"
#include "line/ui/feeder.h"
#include "line/ui/feeder_config.h"
#include "line/ui/linie_dlg.h"
#include "line/ui/part_db_dlg.h"
#include "model/document.h"
#include "ui_mainwindow.h"
#include "uikit/prompt.h"
#include "view/ui/darstellg.h"

#include <QScopedValueRollback>
#include <QSignalBlocker>

namespace {
const QString feederListTitle = QStringLiteral("Feeder list");
}

Machine* MainWindow::selectedMachine() const
{
    const int machine = m_ui->comboBox->currentIndex();
    if (machine < 1 || m_ui->lineselect->currentIndex() < 0)
        return nullptr;
    return m_lineDialog->currentLineMachines().value(machine - 1, nullptr);
}

void MainWindow::on_actionGenerate_Feederlist_triggered()
{
    Machine* machine = selectedMachine();
    if (!machine) {
        prompt().warning(this, FeederList::errorTitle, FeederList::noMachine);
        return;
    }
    const int line = m_ui->lineselect->currentIndex() + 1;
    const int number = m_ui->comboBox->currentIndex();
    FeederList::Generated generated = FeederList::generate(m_view->document().currentList(), line, number,
        m_partDatabase, machine->feeders, generationSets(machine->type));
    machine->clearFeeders();
    machine->feeders = generated.entries;
    machine->partMap = generated.partMap;
    m_view->document().setModified(true);
    for (const QString& warning : qAsConst(generated.warnings))
        prompt().warning(this, feederListTitle, warning);
    rebuildFeederList();
    updateBodySizes();
}

void MainWindow::on_actionUpdate_DB_No_in_Feederlist_triggered()
{
    Machine* machine = selectedMachine();
    if (!machine || machine->feeders.isEmpty()) {
        prompt().warning(this, FeederList::errorTitle, FeederList::nothingToUpdate);
        return;
    }
    FeederList::updateFromDatabase(machine->feeders, m_partDatabase, machine->partMap);
    m_view->document().setModified(true);
    rebuildFeederList();
}

QList<FeederEntry*> MainWindow::shownFeeders() const
{
    const Machine* machine = selectedMachine();
    return machine ? machine->feeders : QList<FeederEntry*>();
}

void MainWindow::rebuildFeederList()
{
    m_ui->feeder_config->showEntries(shownFeeders());
    m_ui->feeder->update();
    const Machine* machine = selectedMachine();
    m_view->setRotationOffsets(machine ? machine->partMap : QHash<QString, double>());
}

void MainWindow::handLineDataToView()
{
    storeFeederLists();
    const Machine* machine = selectedMachine();
    m_view->setRotationOffsets(machine ? machine->partMap : QHash<QString, double>());
}

void MainWindow::storeFeederLists()
{
    Document& document = m_view->document();
    FeederData data = document.feederData();
    FeederHandOver::collect(data, m_lineDialog->lines());
    document.setFeederData(data);
}

void MainWindow::handOutFeederLists()
{
    Document& document = m_view->document();
    FeederData data = document.feederData();
    FeederHandOver::handOut(
        data, m_lineDialog->lines(), document.side(true).placements, document.side(false).placements);
    document.setFeederData(data);
    rebuildFeederList();
}

// ---- the feeder table

void MainWindow::sigFeederCellDoubleClicked(int row, int column)
{
    const QTableWidgetItem* item = m_ui->feeder_config->item(row, column);
    m_feederPreviousText = item ? item->text() : QString();
}

void MainWindow::sigFeederCellClicked(int row, int)
{
    const QList<FeederEntry*> entries = shownFeeders();
    for (int i = 0; i < entries.size(); ++i)
        entries.at(i)->highlighted = i == row;
    m_ui->feeder->update();
}

void MainWindow::sigFeederCurrCellChanged(int row, int column, int, int)
{
    sigFeederCellClicked(row, column);
}

void MainWindow::sigFeederCellChanged(int row, int column)
{
    // Writing the shown text back into the cell announces a change again.
    if (m_inFeederEdit)
        return;
    const QScopedValueRollback<bool> guard(m_inFeederEdit, true);
    Feeder_Config* table = m_ui->feeder_config;
    const QList<FeederEntry*> entries = shownFeeders();
    QTableWidgetItem* item = table->item(row, column);
    if (item && FeederTable::applyEdit(entries, row, column, item->text(), m_partDatabase))
        m_view->document().setModified(true);
    // The row shows what its entry holds: the accepted value in its own spelling, or for a
    // refused one the value it had before.
    if (row >= 0 && row < entries.size()) {
        table->showRow(row, *entries.at(row));
    } else if (item) {
        const QSignalBlocker quiet(table);
        item->setText(m_feederPreviousText);
    }
    // The Set column is the one the overview draws from; a table that does not show this list
    // row for row (the machine changed under it) is not read.
    for (int r = 0; r < entries.size() && table->rowCount() == entries.size(); ++r) {
        bool ok = false;
        const QTableWidgetItem* set = table->item(r, int(FeederColumn::Set));
        const int setNo = set ? set->text().toInt(&ok) : 0;
        if (ok)
            entries.at(r)->setNo = setNo;
    }
    feederListEdited();
}

void MainWindow::feederListEdited()
{
    updateBodySizes();
    m_ui->feeder->update();
}

void MainWindow::executeFeederRequests()
{
    FeederRequests& requests = m_ui->feeder_config->requests;
    if (requests.rotate) {
        requests.rotate = false;
        rotateHighlightedFeeders();
    }
    if (requests.database) {
        requests.database = false;
        chooseFeederDatabaseEntry(requests.row);
    }
}

void MainWindow::rotateHighlightedFeeders()
{
    Machine* machine = selectedMachine();
    if (!machine || !FeederList::turnHighlighted(machine->feeders, machine->partMap))
        return;
    m_view->setRotationOffsets(machine->partMap);
    m_view->document().setModified(true);
    m_view->update();
    m_ui->feeder->update();
}

void MainWindow::chooseFeederDatabaseEntry(int row)
{
    m_partDatabase.readFile(configFolder() + QLatin1Char('/') + PartDatabase::fileName);
    const QList<FeederEntry*> entries = shownFeeders();
    if (row < 0 || row >= entries.size())
        return;
    part_db_dlg dialog(m_partDatabase, this);
    dialog.showNumber(entries.at(row)->dbNo);
    if (prompt().exec(&dialog) != QDialog::Accepted || !dialog.chosenEntry())
        return;
    // The entry's number brings its nozzle and feeder type, as typing the number would.
    const QList<FeederEntry*> now = shownFeeders();
    if (row >= now.size()
        || !FeederTable::applyEdit(
            now, row, int(FeederColumn::Db), dialog.chosenEntry()->number, m_partDatabase))
        return;
    m_ui->feeder_config->showRow(row, *now.at(row));
    m_view->document().setModified(true);
    feederListEdited();
}

void MainWindow::on_actionQuantize_triggered()
{
    Machine* machine = selectedMachine();
    if (m_layerModeActive || !machine) {
        prompt().warning(this, OptimizerText::errorTitle, OptimizerText::refused);
        return;
    }
    Document& document = m_view->document();
    const OptimizerResult result
        = optimizePlacements(document.currentList(), m_ui->lineselect->currentIndex() + 1,
            m_ui->comboBox->currentIndex(), machine->type, machine->feeders);
    if (result.status == OptimizerStatus::Done) {
        document.setPlacements(result.order);
        document.setModified(true);
        buildPlacementTable();
        m_view->update();
        prompt().information(this, result.title(), result.message());
    } else {
        prompt().warning(this, result.title(), result.message(), result.detail());
    }
}

// The form's "Optimizer" entry in the menu runs the optimizer, which has no entry of its own.
void MainWindow::on_actionTOPAZ_OPAL_single_CAM_triggered()
{
    on_actionQuantize_triggered();
}
