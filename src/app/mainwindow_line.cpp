// The production line dialog, the line and machine selectors, the export and import of a
// line configuration and the part database dialog.
#include "app/mainwindow.h"

#include "line/feederlist.h"
#include "line/lineconfig.h"
#include "line/machine.h"
#include "line/ui/db_dlg.h"
#include "line/ui/linie_dlg.h"
#include "model/fileio.h"
#include "ui_mainwindow.h"
#include "uikit/prompt.h"

#include <QDebug>
#include <QFileInfo>
#include <QSignalBlocker>

namespace {

const char* const configFilter = "Config-File (*.cfg)";

QString linePath()
{
    return MainWindow::configFolder() + QLatin1Char('/') + LineConfig::fileName;
}

bool sameFile(const QString& a, const QString& b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

} // namespace

void MainWindow::createLineDialog()
{
    m_lineDialog = new Linie_dlg(configFolder(), this);
    m_lineDialog->setChanged(true);
    m_partDatabase.readFile(configFolder() + QLatin1Char('/') + PartDatabase::fileName);
    // The overview asks for the selected machine's list at every paint, so a machine the line
    // dialog removed is never drawn from.
    m_ui->feeder->setSource([this] { return shownFeeders(); });
}

void MainWindow::resetLineDialog()
{
    // The machines stay: only the project's feeder lists go with the document.
    m_lineDialog->clearFeeders();
    m_lineDialog->setCurrentLine(0);
    m_lineDialog->setChanged(true);
}

void MainWindow::fillMachineSelector()
{
    const QSignalBlocker block(m_ui->comboBox);
    m_ui->comboBox->clear();
    m_ui->comboBox->addItem(QStringLiteral("(none)"));
    for (const Machine* machine : m_lineDialog->currentLineMachines())
        m_ui->comboBox->addItem(machine->name);
}

void MainWindow::selectAssignedMachine()
{
    // The selectors are filled now, not on the next tick, which would show "(none)".
    tickLineChanged();
    const auto [line, machine] = FeederList::mostAssigned(m_view->document().currentList());
    if (line >= 1 && line <= m_lineDialog->lines().size() && line - 1 != m_ui->lineselect->currentIndex()) {
        const QSignalBlocker block(m_ui->lineselect);
        m_ui->lineselect->setCurrentIndex(line - 1);
        m_lineDialog->setCurrentLine(line - 1);
        fillMachineSelector();
    }
    if (line >= 1 && machine < m_ui->comboBox->count()) {
        const QSignalBlocker block(m_ui->comboBox);
        m_ui->comboBox->setCurrentIndex(machine);
    }
    applyMachineSelector(m_ui->comboBox->currentIndex());
}

void MainWindow::tickLineChanged()
{
    if (!m_lineDialog->changed())
        return;
    fillMachineSelector();
    {
        const QSignalBlocker block(m_ui->lineselect);
        m_ui->lineselect->clear();
        m_ui->lineselect->addItems(m_lineDialog->lineNames());
        m_ui->lineselect->setCurrentIndex(m_lineDialog->currentLine());
    }
    m_lineDialog->setChanged(false);
    rebuildFeederList();
}

void MainWindow::on_lineselect_currentIndexChanged(int index)
{
    // Clearing the selector reports -1; there is no such line.
    if (index < 0 || index >= m_lineDialog->lines().size())
        return;
    m_lineDialog->setCurrentLine(index);
    fillMachineSelector();
    applyMachineSelector(0);
}

void MainWindow::on_actionLinie_erstellen_triggered()
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

void MainWindow::on_actionProduction_Line_Config_export_triggered()
{
    if (!QFileInfo::exists(linePath())) {
        prompt().warning(this, QStringLiteral("Error"), QStringLiteral("Config File doesn't exist"));
        return;
    }
    const QString path = prompt().saveFileName(this, QStringLiteral("Save Machine Config"),
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
        prompt().warning(this, QStringLiteral("Error"), QStringLiteral("Export failed"));
    }
}

void MainWindow::on_actionProduction_Line_Config_import_triggered()
{
    const QString path = prompt().openFileName(
        this, QStringLiteral("Open Machine Config"), m_lastDirectory, QLatin1String(configFilter));
    if (path.isEmpty())
        return;
    auto failed = [this](const QString& reason) {
        qDebug().noquote() << reason;
        prompt().warning(this, QStringLiteral("Error"), QStringLiteral("Import failed"));
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
    const QString backup = MainWindow::configFolder() + QLatin1Char('/') + LineConfig::backupName;
    if (!FileIo::replaceWithBackup(linePath(), backup, lines, &error))
        return failed(error);
    m_lastDirectory = path.left(path.lastIndexOf(QLatin1Char('/')));
    // The new machines take the project's feeder lists by their place in the lines.
    storeFeederLists();
    m_lineDialog->reload();
    handOutFeederLists();
    tickLineChanged();
}

void MainWindow::on_actionDatabase_triggered()
{
    db_dlg dialog(configFolder(), this);
    prompt().exec(&dialog);
    m_partDatabase.readFile(configFolder() + QLatin1Char('/') + PartDatabase::fileName);
}
