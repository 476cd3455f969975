// The fabrication package import in the File menu and for dropped folders and zip archives.
#include "app/mainwindow.h"

#include "app/documentsession.h"

#include "fab/ui/fabricationimport.h"
#include "ui_mainwindow.h"

void MainWindow::installFabricationImport()
{
    m_fabImport = new FabricationImport(m_view, this);
    m_fabImport->lastDirectory = m_document->lastDirectory();
    m_fabImport->addMenuEntry(m_ui->menuTopPaste, m_ui->menuImportieren->menuAction());
    connect(m_fabImport, &FabricationImport::loaded, this, &MainWindow::createLists);
}
