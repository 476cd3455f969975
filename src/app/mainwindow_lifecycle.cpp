// New, Open, Save, Save as, Close and the file named on the command line.
#include "app/mainwindow.h"

#include "app/startupfile.h"
#include "app/statustext.h"
#include "line/ui/linie_dlg.h"
#include "model/fileio.h"
#include "project/projectfile.h"
#include "settings/ui/search_dlg.h"
#include "ui_mainwindow.h"
#include "uikit/prompt.h"
#include "uikit/tablecolumns.h"
#include "view/ui/darstellg.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDebug>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>

namespace {
const char* const projectFilter = "Tessavrant-File (*.tvx)";

// A save advances the progress bar through its steps; the step label keeps "0 / 2".
ProjectProgress saveProgress(Darstellg* view)
{
    view->showSteps(2, 0);
    return [view](int done, int total) {
        QProgressBar* bar = view->progressBar();
        bar->setRange(0, total);
        bar->setValue(done);
        bar->show();
        bar->repaint();
    };
}

// The bar goes with the save, unless a layer render still uses it.
void endSaveProgress(Darstellg* view)
{
    view->hideSteps();
    if (!view->viewState().render.rendering)
        view->progressBar()->hide();
}
} // namespace

MainWindow::SaveAnswer MainWindow::askToSaveChanges()
{
    if (!m_view->document().isModified())
        return SaveAnswer::Proceed;
    const QMessageBox::StandardButton answer = prompt().question(this, QStringLiteral("Tessavrant"),
        QStringLiteral("Do you want to save changes?\n"),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::No)
        return SaveAnswer::Proceed;
    if (answer != QMessageBox::Yes)
        return SaveAnswer::Stop;
    m_saveSucceeded = true;
    saveDocument();
    if (!m_saveSucceeded)
        // The user asked to keep the changes; throwing them away now would lose them.
        return SaveAnswer::Stop;
    writeColorSettings();
    return SaveAnswer::Proceed;
}

void MainWindow::resetDocument()
{
    const bool blocked = m_view->interactionBlocked();
    // The search dialog holds the placements it found; they are about to be deleted.
    if (m_searchDialog)
        m_searchDialog->reset();
    // So are the placements a drag of the tools holds; the tools start afresh.
    m_tools.reset();
    m_view->resetDocument();
    m_view->setInteractionBlocked(blocked);
    m_ui->pickandplacepositionen->setRowCount(0);
    m_ui->teile->setRowCount(0);
    m_ui->feeder_config->setRowCount(0);
    m_ui->gerber_table->setRowCount(0);
    m_ui->OriginsTable->setRowCount(0);
    resetLineDialog();
    m_view->viewState().filters.showMachineExec = true;
    m_view->viewState().filters.showThtExec = true;
    refreshFilterIcons();
    refreshLayerIcons();
}

void MainWindow::on_actionNeu_triggered()
{
    if (askToSaveChanges() == SaveAnswer::Stop)
        return;

    switchGerberPnP();
    disconnectTableSignals();
    // A new project starts from the production line as line.cfg holds it: machines edited
    // in the dialog but never confirmed with "OK" go.
    m_lineDialog->reload();
    resetDocument();
    buildLayerTable();
    createLists();
    m_ui->OriginsTable->setRowCount(0);
    fillBoardInfoFields();
    fillFiducialFields();
    connectTableSignals();

    m_currentProjectPath.clear();
    m_titleName = BoardInfo::defaultName();
    // Through layer mode and back, as at start-up, so menus and buttons are in a known state.
    switchBottomTop();
    switchGerberPnP();
    switchBottomTop();
    m_view->update();
    m_view->document().setModified(true);
    updateWindowTitle();
}

void MainWindow::on_action_oeffnen_triggered()
{
    if (askToSaveChanges() == SaveAnswer::Stop)
        return;
    const QString answer = prompt().openFileName(
        this, QStringLiteral("Open Tessavrant"), m_lastDirectory, QLatin1String(projectFilter));
    if (answer.isEmpty())
        return;
    m_chosenPath = answer;
    m_lastDirectory = FileIo::folderOf(answer);
    loadProject(answer);
}

void MainWindow::loadProject(const QString& path)
{
    blockInteraction();
    m_view->showSteps(18, 0);

    disconnectTableSignals();
    switchGerberPnP();
    resetDocument();
    handLineDataToView();

    QString error;
    ProjectLoad load;
    // Reading the layers again can take seconds: the step label counts them meanwhile.
    const auto progress = [this](int done, int total) {
        m_view->showSteps(total, done);
        m_view->stepLabel()->repaint();
    };
    const bool read = readProject(path, m_view->document(), m_view->layers(), &load, &error, progress);
    m_view->showSteps(18, 0);
    if (!read) {
        qDebug() << "loading" << path << "failed:" << error;
        prompt().warning(
            this, QStringLiteral("Error"), QStringLiteral("An error occured while loading the file"), error);
        // The document is empty now: it must not be saved over the last project by a plain
        // Save, so it becomes a new, unnamed document.
        m_view->resetDocument();
        m_view->setInteractionBlocked(true);
        m_currentProjectPath.clear();
        m_titleName = BoardInfo::defaultName();
        updateWindowTitle();
        fillBoardInfoFields();
        fillFiducialFields();
        createLists();
        connectTableSignals();
        switchBottomTop();
        m_view->hideSteps();
        unblockInteraction();
        return;
    }

    if (load.coloursRead)
        restoreProjectColours(load.colours);
    // The file keeps the background its writer had; holes show this view's.
    m_view->matchDrillsToBackground();

    handOutFeederLists();
    if (m_ui->feeder_config->rowCount() > 0) {
        qDebug() << "feeder_dat";
        rebuildFeederList();
        m_view->advanceStep();
    }
    m_currentProjectPath = path;
    rememberProject(path);
    qDebug() << "rendering...";
    renderSideLayers();
    qDebug() << "File gelesen";
    qDebug() << "BoardInfos";
    fillBoardInfoFields();
    qDebug() << "Fiducials";
    fillFiducialFields();
    qDebug() << "Listen erstellen";
    m_view->advanceStep();
    qDebug() << "Origins";
    buildOriginsTable();
    connectTableSignals();
    m_titleName = m_view->document().boardInfo()->name();
    updateWindowTitle();
    switchBottomTop();
    qDebug() << "set flags";
    m_view->update();
    m_view->document().setModified(false);
    qDebug() << "set part columns";
    m_ui->teile->setColumnCount(3);
    m_ui->teile->columns()->fit();
    createLists();
    selectAssignedMachine();
    m_view->fitIfBoardOutOfView();
    m_view->hideSteps();
    m_justLoaded = true;
    unblockInteraction();
    if (!load.warning.isEmpty())
        prompt().warning(this, QStringLiteral("Warning"),
            QStringLiteral("The file is damaged or incomplete; only its intact part was loaded"),
            load.warning);
}

ProjectColours MainWindow::projectColours() const
{
    return { m_view->viewState().boardColorIndex, m_view->viewState().silkColorIndex };
}

void MainWindow::restoreProjectColours(const ProjectColours& colours)
{
    m_view->restoreColorIndexes(colours.boardColorIndex, colours.silkColorIndex);
    // The boxes show the loaded entries; their change handlers would mark the document modified.
    for (const auto& box : { std::make_pair(m_ui->BoardColorBox, colours.boardColorIndex),
             std::make_pair(m_ui->SilkColorBox, colours.silkColorIndex) }) {
        const bool blocked = box.first->blockSignals(true);
        if (box.second >= 0 && box.second < box.first->count())
            box.first->setCurrentIndex(box.second);
        box.first->blockSignals(blocked);
    }
}

void MainWindow::on_actionSpeicher_triggered()
{
    saveDocument();
}

bool MainWindow::saveDocument()
{
    handLineDataToView();
    if (m_currentProjectPath.isEmpty()) {
        saveDocumentAs();
    } else {
        QString error;
        if (!writeProject(m_currentProjectPath, m_view->document(), m_view->layers(), projectColours(),
                &error, saveProgress(m_view))) {
            qDebug() << "saving" << m_currentProjectPath << "failed:" << error;
            m_saveSucceeded = false;
            endSaveProgress(m_view);
            prompt().warning(this, QStringLiteral("Error"),
                QStringLiteral("An error occured while directly saving the file"), error);
            saveDocumentAs();
        } else {
            m_saveSucceeded = true;
            m_view->document().setModified(false);
            rememberProject(m_currentProjectPath);
            qDebug() << "saved";
        }
    }
    endSaveProgress(m_view);
    // The title names the file only when the document really went into it.
    if (m_saveSucceeded && !m_view->document().isModified()) {
        m_titleName = StatusText::titleFromPath(m_currentProjectPath);
        updateWindowTitle();
    }
    fillBoardInfoFields();
    m_view->setPendingChanges(false);
    return m_saveSucceeded;
}

bool MainWindow::saveDocumentAs()
{
    const QString boardName = m_view->document().boardInfo()->name();
    const QString suggestion = boardName.isEmpty()
        ? m_lastDirectory
        : m_lastDirectory + QLatin1Char('/') + boardName + QStringLiteral(".tvx");
    const QString answer = prompt().saveFileName(
        this, QStringLiteral("Save Tessavrant"), suggestion, QLatin1String(projectFilter));
    if (answer.isEmpty()) {
        m_saveSucceeded = false;
        return false;
    }
    m_lastDirectory = FileIo::folderOf(answer);
    QString error;
    if (writeProject(
            answer, m_view->document(), m_view->layers(), projectColours(), &error, saveProgress(m_view))) {
        m_saveSucceeded = true;
        m_chosenPath = answer;
        m_currentProjectPath = answer;
        m_view->document().setModified(false);
        rememberProject(answer);
        qDebug() << "saved";
    } else {
        qDebug() << "saving" << answer << "failed:" << error;
        m_saveSucceeded = false;
        endSaveProgress(m_view);
        prompt().warning(
            this, QStringLiteral("Error"), QStringLiteral("An error occured while saving the file"), error);
    }
    m_view->setPendingChanges(false);
    endSaveProgress(m_view);
    return m_saveSucceeded;
}

void MainWindow::on_actionSpeichern_unter_triggered()
{
    handLineDataToView();
    if (!saveDocumentAs())
        return;
    m_titleName = StatusText::titleFromPath(m_currentProjectPath);
    updateWindowTitle();
    fillBoardInfoFields();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_searchDialog && m_searchDialog->isVisible())
        m_searchDialog->close();
    if (m_view->document().isModified()) {
        const QMessageBox::StandardButton answer = prompt().question(this, QStringLiteral("Tessavrant"),
            QStringLiteral("Do you want to save changes?\n"),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
        if (answer == QMessageBox::Yes) {
            m_saveSucceeded = true;
            saveDocument();
            if (!m_saveSucceeded) {
                event->ignore();
                return;
            }
        } else if (answer != QMessageBox::No) {
            event->ignore();
            return;
        }
        writeColorSettings();
    } else if (colorSettingsChanged()) {
        // Colours and panel widths changed while the document was unchanged would be lost.
        writeColorSettings();
    }
    // Where the window stood, for the next start; a window never shown has no place to keep.
    if (isVisible()) {
        m_session.window.geometry = normalGeometry();
        m_session.window.maximized = isMaximized();
        writeSession();
    }
    event->accept();
}

void MainWindow::applyStartupArgument(const QString& argument)
{
    const StartupFile file = classifyStartupFile(argument);
    if (file.kind == StartupFile::None) {
        if (!argument.isEmpty()) {
            // Say why nothing opened; the document stays the empty one.
            qDebug() << "command-line file not found:" << argument;
            prompt().warning(this, QStringLiteral("Error"),
                QStringLiteral("An error occured while loading the file"),
                FileIo::errorText(argument, 0,
                    QFileInfo(argument).isDir() ? QStringLiteral("is a folder, not a file")
                                                : QStringLiteral("no such file")));
        }
        return;
    }
    if (file.kind == StartupFile::Placements) {
        QString error;
        if (!PnPImport::importFile(m_view->document(), file.format, file.path, file.options, &error)) {
            qDebug() << error;
            prompt().warning(this, QStringLiteral("Error"),
                QStringLiteral("An error occured while loading the file"), error);
            return;
        }
        m_lastDirectory = FileIo::folderOf(file.path);
        disconnectTableSignals();
        createLists();
        connectTableSignals();
        m_view->update();
        return;
    }
    if (file.kind == StartupFile::Project) {
        m_view->document().setModified(false);
        m_chosenPath = file.path;
        m_pendingOpen = true;
        return;
    }
    m_view->zoomBox()->setCurrentIndex(4);
    m_view->viewState().offsetY += 225;
    importLayerFile(file.path, file.kind == StartupFile::Drill);
}
