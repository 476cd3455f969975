// The placement imports and exports of the menus, and the entries that only show a message.
#include "app/mainwindow.h"

#include "app/documentsession.h"
#include "app/placementtables.h"
#include "model/version.h"
#include "pnpio/ui/pnpexportactions.h"
#include "pnpio/ui/pnpimportactions.h"
#include "uikit/prompt.h"
#include "view/ui/darstellg.h"

#define TESSAVRANT_IMPORT_SLOT(slotName, function)                                                           \
    void MainWindow::slotName()                                                                              \
    {                                                                                                        \
        EditGroup step(m_view->document(), QString(), EditGroup::DocumentOnly);                              \
        if (PnPImportActions::function(this, m_view->document(), m_document->lastDirectory())) {             \
            m_tables->disconnectSignals();                                                                   \
            createLists();                                                                                   \
            m_tables->connectSignals();                                                                      \
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
    PnPExportActions(this, m_view->document(), m_document->lastDirectory()).exportPickAndPlace();
}

void MainWindow::on_actionPart_List_triggered()
{
    PnPExportActions(this, m_view->document(), m_document->lastDirectory()).exportPartList();
}

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
