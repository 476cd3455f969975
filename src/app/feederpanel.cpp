#include "app/feederpanel.h"

#include "line/feederedit.h"
#include "line/feederentry.h"
#include "line/feederhandover.h"
#include "line/feederlist.h"
#include "line/lineconfig.h"
#include "line/machine.h"
#include "line/machinetables.h"
#include "line/optimizer.h"
#include "line/ui/db_dlg.h"
#include "line/ui/feeder.h"
#include "line/ui/feeder_config.h"
#include "line/ui/linie_dlg.h"
#include "line/ui/part_db_dlg.h"
#include "model/configfolder.h"
#include "model/document.h"
#include "model/fileio.h"
#include "tables/bodysizes.h"
#include "ui_mainwindow.h"
#include "uikit/prompt.h"
#include "view/ui/darstellg.h"

#include <QDebug>
#include <QFileInfo>
#include <QScopedValueRollback>
#include <QSignalBlocker>

namespace {

const QString feederListTitle = QStringLiteral("Feeder list");
const char* const configFilter = "Config-File (*.cfg)";

QString linePath()
{
    return ConfigFolder::path() + QLatin1Char('/') + LineConfig::fileName;
}

bool sameFile(const QString& a, const QString& b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

} // namespace

FeederPanel::FeederPanel(
    Ui::MainWindow& ui, Darstellg& view, QWidget* dialogParent, QString& lastDirectory, Hooks hooks)
    : m_ui(ui)
    , m_view(view)
    , m_parent(dialogParent)
    , m_lastDirectory(lastDirectory)
    , m_hooks(std::move(hooks))
{
    m_lineDialog = new Linie_dlg(ConfigFolder::path(), dialogParent);
    m_lineDialog->setChanged(true);
    readPartDatabase();
    // The overview asks for the selected machine's list at every paint, so a machine the line
    // dialog removed is never drawn from.
    m_ui.feeder->setSource([this] { return shownFeeders(); });
}

void FeederPanel::readPartDatabase()
{
    m_partDatabase.readFile(ConfigFolder::path() + QLatin1Char('/') + PartDatabase::fileName);
}

Machine* FeederPanel::selectedMachine() const
{
    const int machine = m_ui.comboBox->currentIndex();
    if (machine < 1 || m_ui.lineselect->currentIndex() < 0)
        return nullptr;
    return m_lineDialog->currentLineMachines().value(machine - 1, nullptr);
}

QList<FeederEntry*> FeederPanel::shownFeeders() const
{
    const Machine* machine = selectedMachine();
    return machine ? machine->feeders : QList<FeederEntry*>();
}

QStringList FeederPanel::machineNames() const
{
    QStringList names;
    for (int i = 0; i < m_ui.comboBox->count(); ++i)
        names.append(m_ui.comboBox->itemText(i));
    return names;
}

// ---- the lists and the project

void FeederPanel::rebuildFeederList()
{
    m_ui.feeder_config->showEntries(shownFeeders());
    m_ui.feeder->update();
    const Machine* machine = selectedMachine();
    m_view.setRotationOffsets(machine ? machine->partMap : QHash<QString, double>());
}

void FeederPanel::handLineDataToView()
{
    storeFeederLists();
    const Machine* machine = selectedMachine();
    m_view.setRotationOffsets(machine ? machine->partMap : QHash<QString, double>());
}

void FeederPanel::storeFeederLists()
{
    Document& document = m_view.document();
    FeederData data = document.feederData();
    FeederHandOver::collect(data, m_lineDialog->lines());
    document.setFeederData(data);
}

void FeederPanel::handOutFeederLists()
{
    Document& document = m_view.document();
    FeederData data = document.feederData();
    FeederHandOver::handOut(
        data, m_lineDialog->lines(), document.side(true).placements, document.side(false).placements);
    document.setFeederData(data);
    rebuildFeederList();
}

void FeederPanel::updateBodySizes()
{
    // The feeder list is the one the feeder overview shows: that of the machine chosen in the
    // machine selector (entry 0 is no machine).
    QList<FeederPart> feeders;
    const QList<Machine*> machines = m_lineDialog->currentLineMachines();
    const int machine = m_ui.comboBox->currentIndex() - 1;
    if (machine >= 0 && machine < machines.size())
        for (const FeederEntry* f : machines.at(machine)->feeders)
            feeders.append({ f->name, f->value, f->dbNo });
    if (!feeders.isEmpty()) {
        // The first record of a number counts.
        QHash<int, QSizeF> bodies;
        for (const PartDbEntry& entry : m_partDatabase.entries())
            if (!bodies.contains(entry.dbNo()))
                bodies.insert(entry.dbNo(), QSizeF(entry.x.toDouble(), entry.y.toDouble()));
        BodySizes::apply(
            m_view.document().currentList(), feeders, [&bodies](int dbNo) { return bodies.value(dbNo); });
    }
    m_view.update();
}

// ---- line and machine selectors

void FeederPanel::resetLine()
{
    // The machines stay: only the project's feeder lists go with the document.
    m_lineDialog->clearFeeders();
    m_lineDialog->setCurrentLine(0);
    m_lineDialog->setChanged(true);
}

void FeederPanel::fillMachineSelector()
{
    const QSignalBlocker block(m_ui.comboBox);
    m_ui.comboBox->clear();
    m_ui.comboBox->addItem(QStringLiteral("(none)"));
    for (const Machine* machine : m_lineDialog->currentLineMachines())
        m_ui.comboBox->addItem(machine->name);
}

void FeederPanel::selectAssignedMachine()
{
    // The selectors are filled now, not on the next tick, which would show "(none)".
    tickLineChanged();
    const auto [line, machine] = FeederList::mostAssigned(m_view.document().currentList());
    if (line >= 1 && line <= m_lineDialog->lines().size() && line - 1 != m_ui.lineselect->currentIndex()) {
        const QSignalBlocker block(m_ui.lineselect);
        m_ui.lineselect->setCurrentIndex(line - 1);
        m_lineDialog->setCurrentLine(line - 1);
        fillMachineSelector();
    }
    if (line >= 1 && machine < m_ui.comboBox->count()) {
        const QSignalBlocker block(m_ui.comboBox);
        m_ui.comboBox->setCurrentIndex(machine);
    }
    m_hooks.applyMachineSelector(m_ui.comboBox->currentIndex());
}

void FeederPanel::tickLineChanged()
{
    if (!m_lineDialog->changed())
        return;
    fillMachineSelector();
    {
        const QSignalBlocker block(m_ui.lineselect);
        m_ui.lineselect->clear();
        m_ui.lineselect->addItems(m_lineDialog->lineNames());
        m_ui.lineselect->setCurrentIndex(m_lineDialog->currentLine());
    }
    m_lineDialog->setChanged(false);
    rebuildFeederList();
}

void FeederPanel::lineSelected(int index)
{
    // Clearing the selector reports -1; there is no such line.
    if (index < 0 || index >= m_lineDialog->lines().size())
        return;
    m_lineDialog->setCurrentLine(index);
    fillMachineSelector();
    m_hooks.applyMachineSelector(0);
}

void FeederPanel::editLine()
{
    // Machines may be added, removed or moved in the dialog. The project's rows belong to the
    // places in the lines, as the placements' machine numbers do: they are stored before and
    // every machine takes the rows of its place after, so a machine new at a place whose rows
    // the configuration did not know yet shows them instead of dropping them at the next save.
    storeFeederLists();
    prompt().exec(m_lineDialog);
    handOutFeederLists();
    // Also after closing without "OK": the selectors show the machines as they are now.
    m_lineDialog->setChanged(true);
}

// ---- line configuration and part database files

void FeederPanel::exportLineConfig()
{
    if (!QFileInfo::exists(linePath())) {
        prompt().warning(m_parent, QStringLiteral("Error"), QStringLiteral("Config File doesn't exist"));
        return;
    }
    const QString path = prompt().saveFileName(m_parent, QStringLiteral("Save Machine Config"),
        m_lastDirectory + QStringLiteral("/line.cfg"), QLatin1String(configFilter));
    if (path.isEmpty())
        return;
    m_lastDirectory = path.left(path.lastIndexOf(QLatin1Char('/')));
    // Exporting onto line.cfg itself has nothing to copy.
    if (sameFile(path, linePath()))
        return;
    QByteArray data;
    QString error;
    if (!FileIo::readAll(linePath(), &data, &error) || !FileIo::writeAtomically(path, data, &error)) {
        qDebug().noquote() << error;
        prompt().warning(m_parent, QStringLiteral("Error"), QStringLiteral("Export failed"));
    }
}

void FeederPanel::importLineConfig()
{
    const QString path = prompt().openFileName(
        m_parent, QStringLiteral("Open Machine Config"), m_lastDirectory, QLatin1String(configFilter));
    if (path.isEmpty())
        return;
    auto failed = [this](const QString& reason) {
        qDebug().noquote() << reason;
        prompt().warning(m_parent, QStringLiteral("Error"), QStringLiteral("Import failed"));
    };
    QByteArray data;
    QString error;
    if (!FileIo::readAll(path, &data, &error))
        return failed(error);
    int taken = 0;
    const QByteArray lines = LineConfig::filterImport(data, &taken);
    // database.cfg or colors.cfg chosen by mistake: keep the configuration.
    if (taken == 0)
        return failed(FileIo::errorText(path, 0, QStringLiteral("no machine line")));
    const QString backup = ConfigFolder::path() + QLatin1Char('/') + LineConfig::backupName;
    if (!FileIo::replaceWithBackup(linePath(), backup, lines, &error))
        return failed(error);
    m_lastDirectory = path.left(path.lastIndexOf(QLatin1Char('/')));
    // The new machines take the project's feeder lists by their place in the lines.
    storeFeederLists();
    m_lineDialog->reload();
    handOutFeederLists();
    tickLineChanged();
}

void FeederPanel::editDatabase()
{
    db_dlg dialog(ConfigFolder::path(), m_parent);
    prompt().exec(&dialog);
    readPartDatabase();
}

// ---- generating and updating the list

void FeederPanel::generateFeederList()
{
    Machine* machine = selectedMachine();
    if (!machine) {
        prompt().warning(m_parent, FeederList::errorTitle, FeederList::noMachine);
        return;
    }
    const int line = m_ui.lineselect->currentIndex() + 1;
    const int number = m_ui.comboBox->currentIndex();
    EditGroup step(m_view.document(), QStringLiteral("Set Part Dimensions"));
    FeederList::Generated generated = FeederList::generate(m_view.document().currentList(), line, number,
        m_partDatabase, machine->feeders, generationSets(machine->type));
    machine->clearFeeders();
    machine->feeders = generated.entries;
    machine->partMap = generated.partMap;
    m_view.document().setModified(true);
    for (const QString& warning : qAsConst(generated.warnings))
        prompt().warning(m_parent, feederListTitle, warning);
    rebuildFeederList();
    updateBodySizes();
}

void FeederPanel::updateDatabaseNumbers()
{
    Machine* machine = selectedMachine();
    if (!machine || machine->feeders.isEmpty()) {
        prompt().warning(m_parent, FeederList::errorTitle, FeederList::nothingToUpdate);
        return;
    }
    EditGroup step(m_view.document(), QStringLiteral("Update DB No."));
    FeederList::updateFromDatabase(machine->feeders, m_partDatabase, machine->partMap);
    m_view.document().setModified(true);
    rebuildFeederList();
}

// ---- the feeder table

void FeederPanel::cellDoubleClicked(int row, int column)
{
    const QTableWidgetItem* item = m_ui.feeder_config->item(row, column);
    m_feederPreviousText = item ? item->text() : QString();
}

void FeederPanel::cellClicked(int row, int)
{
    const QList<FeederEntry*> entries = shownFeeders();
    for (int i = 0; i < entries.size(); ++i)
        entries.at(i)->highlighted = i == row;
    m_ui.feeder->update();
}

void FeederPanel::cellChanged(int row, int column)
{
    // Writing the shown text back into the cell announces a change again.
    if (m_inFeederEdit)
        return;
    const QScopedValueRollback<bool> guard(m_inFeederEdit, true);
    EditGroup step(m_view.document(), QStringLiteral("Edit Feeder"));
    Feeder_Config* table = m_ui.feeder_config;
    const QList<FeederEntry*> entries = shownFeeders();
    QTableWidgetItem* item = table->item(row, column);
    if (item && FeederTable::applyEdit(entries, row, column, item->text(), m_partDatabase))
        m_view.document().setModified(true);
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

void FeederPanel::feederListEdited()
{
    updateBodySizes();
    m_ui.feeder->update();
}

void FeederPanel::executeRequests()
{
    FeederRequests& requests = m_ui.feeder_config->requests;
    if (requests.rotate) {
        requests.rotate = false;
        EditGroup step(m_view.document(), QStringLiteral("Rotate Feeder"));
        rotateHighlightedFeeders();
    }
    if (requests.database) {
        requests.database = false;
        EditGroup step(m_view.document(), QStringLiteral("Edit Feeder"));
        chooseDatabaseEntry(requests.row);
    }
}

void FeederPanel::rotateHighlightedFeeders()
{
    Machine* machine = selectedMachine();
    if (!machine || !FeederList::turnHighlighted(machine->feeders, machine->partMap))
        return;
    m_view.setRotationOffsets(machine->partMap);
    m_view.document().setModified(true);
    m_view.update();
    m_ui.feeder->update();
}

void FeederPanel::chooseDatabaseEntry(int row)
{
    readPartDatabase();
    const QList<FeederEntry*> entries = shownFeeders();
    if (row < 0 || row >= entries.size())
        return;
    part_db_dlg dialog(m_partDatabase, m_parent);
    dialog.showNumber(entries.at(row)->dbNo);
    if (prompt().exec(&dialog) != QDialog::Accepted || !dialog.chosenEntry())
        return;
    // The entry's number brings its nozzle and feeder type, as typing the number would.
    const QList<FeederEntry*> now = shownFeeders();
    if (row >= now.size()
        || !FeederTable::applyEdit(
            now, row, int(FeederColumn::Db), dialog.chosenEntry()->number, m_partDatabase))
        return;
    m_ui.feeder_config->showRow(row, *now.at(row));
    m_view.document().setModified(true);
    feederListEdited();
}

// ---- the optimizer

void FeederPanel::optimize()
{
    Machine* machine = selectedMachine();
    if (m_hooks.layerModeActive() || !machine) {
        prompt().warning(m_parent, OptimizerText::errorTitle, OptimizerText::refused);
        return;
    }
    Document& document = m_view.document();
    const OptimizerResult result = optimizePlacements(document.currentList(),
        m_ui.lineselect->currentIndex() + 1, m_ui.comboBox->currentIndex(), machine->type, machine->feeders);
    if (result.status == OptimizerStatus::Done) {
        EditGroup step(document, QStringLiteral("Optimizer"), EditGroup::DocumentOnly);
        document.setPlacements(result.order);
        document.setModified(true);
        m_hooks.placementOrderChanged();
        m_view.update();
        prompt().information(m_parent, result.title(), result.message());
    } else {
        prompt().warning(m_parent, result.title(), result.message(), result.detail());
    }
}
