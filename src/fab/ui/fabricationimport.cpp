#include "fab/ui/fabricationimport.h"

#include "fab/fabload.h"
#include "fab/fabpackage.h"
#include "fab/ui/fabimport_dlg.h"
#include "gerber/gerberlayer.h"
#include "uikit/prompt.h"
#include "view/ui/darstellg.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>

namespace {

const QString title = QStringLiteral("Open Fabrication Files");

} // namespace

FabricationImport::FabricationImport(Darstellg* view, QWidget* window)
    : QObject(window)
    , m_view(view)
    , m_window(window)
{ }

QAction* FabricationImport::addMenuEntry(QMenu* menu, QAction* before)
{
    auto* action = new QAction(QStringLiteral("Open Fabrication Files..."), menu);
    action->setObjectName(QStringLiteral("actionOpen_Fabrication_Files"));
    menu->insertAction(before, action);
    connect(action, &QAction::triggered, this, &FabricationImport::openAsked);
    return action;
}

bool FabricationImport::isPackage(const QString& path)
{
    const QFileInfo info(path);
    return info.isDir() || (info.isFile() && FabPackage::isArchive(path));
}

void FabricationImport::openAsked()
{
    const QString chosen = prompt().openFileName(m_window, title, lastDirectory,
        QStringLiteral("Zip archive or any file of the package folder (*.zip *.*)"));
    if (chosen.isEmpty())
        return;
    open(FabPackage::isArchive(chosen) ? chosen : QFileInfo(chosen).absolutePath());
}

bool FabricationImport::open(const QString& path)
{
    lastDirectory = QFileInfo(path).absolutePath();
    FabPackage package;
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool opened = package.open(path, &error);
    QApplication::restoreOverrideCursor();
    if (!opened) {
        prompt().warning(
            m_window, title, QStringLiteral("The fabrication files could not be opened."), error);
        return false;
    }
    FabImport_dlg dialog(QFileInfo(path).fileName(), package.files(), package.skipped(), m_window);
    if (prompt().exec(&dialog) != QDialog::Accepted)
        return false;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    EditGroup step(m_view->document(), title);
    m_view->setLoading(true);
    FabLoadResult result = FabLoad::read(dialog.files());
    const bool placements = !result.placements.isEmpty();
    const QList<GerberLayer*> installed = FabLoad::install(result, m_view->layers(), m_view->document());
    m_view->matchDrillsToBackground();
    m_view->setLoading(false);
    const bool changed = !installed.isEmpty() || placements;
    if (changed) {
        m_view->document().setModified(true);
        emit loaded();
    }
    // One render pass for every new layer, on one progress bar.
    if (!installed.isEmpty()) {
        m_view->expectRenders(installed.size());
        for (GerberLayer* layer : installed)
            m_view->startRendering(layer);
    }
    if (changed) {
        m_view->fitToBoard();
        m_view->update();
    }
    QApplication::restoreOverrideCursor();
    if (!result.messages.isEmpty())
        prompt().information(m_window, title,
            QStringLiteral("%1 layers loaded%2.\n\n%3")
                .arg(installed.size())
                .arg(placements ? (result.placementsFromX3
                             ? QStringLiteral(", placements from the X3 component layers")
                             : QStringLiteral(", placements from the centroid file"))
                                : QString())
                .arg(result.messages.mid(0, 30).join(QLatin1Char('\n'))));
    return changed;
}
