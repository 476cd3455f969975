// The feeder list of the selected machine (generation, database numbers) and the optimizer.
#include "app/mainwindow.h"

#include "app/prompt.h"
#include "line/feederentry.h"
#include "line/feederlist.h"
#include "line/machine.h"
#include "line/optimizer.h"
#include "line/ui/linie_dlg.h"
#include "model/document.h"
#include "ui_mainwindow.h"
#include "view/ui/darstellg.h"

#include <QDebug>

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
    FeederList::Generated generated = FeederList::generate(
        m_view->document().currentList(), line, number, m_partDatabase, machine->feeders);
    machine->clearFeeders();
    machine->feeders = generated.entries;
    machine->partMap = generated.partMap;
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
    rebuildFeederList();
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
        document.setCurrentList(result.order);
        document.setModified(true);
        buildPlacementTable();
        m_view->update();
        prompt().information(this, result.title(), result.message());
    } else {
        prompt().warning(this, result.title(), result.message());
    }
}

// The form's "Optimizer" entry in the menu runs the optimizer, which has no entry of its own.
void MainWindow::on_actionTOPAZ_OPAL_single_CAM_triggered()
{
    on_actionQuantize_triggered();
}
