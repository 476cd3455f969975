#include "pnpio/ui/pnpexportactions.h"

#include "app/prompt.h"
#include "model/document.h"
#include "model/fileio.h"
#include "pnpio/pnpexport.h"
#include "pnpio/ui/topbottomboth.h"

#include <QDebug>

PnPExportActions::PnPExportActions(QWidget* parent, Document& document, QString& lastDirectory)
    : m_parent(parent)
    , m_document(document)
    , m_lastDirectory(lastDirectory)
{ }

void PnPExportActions::exportPickAndPlace()
{
    run(Kind::PickAndPlace);
}

void PnPExportActions::exportPartList()
{
    run(Kind::PartList);
}

void PnPExportActions::run(Kind kind)
{
    const QString caption = kind == Kind::PickAndPlace ? QStringLiteral("Export Pick And Place Data")
                                                       : QStringLiteral("Export Part List");
    const QString path
        = prompt().saveFileName(m_parent, caption, m_lastDirectory, QStringLiteral("CSV File (*.csv)"));
    if (path.isEmpty())
        return;
    m_lastDirectory = FileIo::folderOf(path);
    qDebug().noquote() << m_lastDirectory;

    QString error;
    if (!exportTo(path, kind, &error))
        prompt().warning(m_parent, QStringLiteral("Error"),
            QStringLiteral("An error occured while saving the file"), error);

    qDebug() << "Save Pick And Place";
    if (kind == Kind::PartList)
        qDebug() << "Save Part List";
}

bool PnPExportActions::exportTo(const QString& path, Kind kind, QString* error)
{
    // The placements are not what the user edits in layer mode.
    if (m_document.gerberMode())
        return true;

    topbottomboth dialog(m_parent);
    dialog.setPanelsVisible(kind == Kind::PartList);
    dialog.setWindowTitle(kind == Kind::PickAndPlace ? QStringLiteral("Export Pick and Place Data")
                                                     : QStringLiteral("Export Part List"));
    // Cancelled: nothing is written, and that is what the user asked for.
    if (prompt().exec(&dialog) != QDialog::Accepted)
        return true;
    const PnPExportOptions options = dialog.options();

    const QList<PnPEntry*> top = m_document.side(true).placements;
    const QList<PnPEntry*> bottom = m_document.side(false).placements;
    const bool ok = kind == Kind::PickAndPlace ? writePickAndPlaceList(path, top, bottom, options, error)
                                               : writePartList(path, top, bottom, options, error);
    if (!ok)
        qDebug().noquote() << *error;
    return ok;
}
