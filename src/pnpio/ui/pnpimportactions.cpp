#include "pnpio/ui/pnpimportactions.h"

#include "model/document.h"
#include "model/fileio.h"
#include "pnpio/positionupdate.h"
#include "pnpio/ui/loadpnp_dlp.h"
#include "uikit/prompt.h"

#include <QDebug>

QString PnPImportActions::caption(PnPFormat format)
{
    switch (format) {
    case PnPFormat::Tessavrant:
        return QStringLiteral("Open DipTrace PnP");
    case PnPFormat::Eagle:
        return QStringLiteral("Open Eagle PnP");
    case PnPFormat::EaglePart:
        return QStringLiteral("Open Eagle PnP (PART)");
    case PnPFormat::Target:
        return QStringLiteral("Open Target PnP");
    case PnPFormat::Altium:
    case PnPFormat::AltiumCsv:
        return QStringLiteral("Open Altium PnP");
    case PnPFormat::KiCad:
        return QStringLiteral("Open KiCad PnP");
    }
    return QString();
}

QString PnPImportActions::filter(PnPFormat format)
{
    switch (format) {
    case PnPFormat::Tessavrant:
        return QStringLiteral("CSV-File (*.*)");
    case PnPFormat::Eagle:
        return QStringLiteral("MNT-File (*.*)");
    case PnPFormat::EaglePart:
        return QStringLiteral("PART-File (*.*)");
    case PnPFormat::Target:
    case PnPFormat::Altium:
    case PnPFormat::AltiumCsv:
        return QStringLiteral("TXT-File (*.*)");
    case PnPFormat::KiCad:
        return QStringLiteral("POS-File (*.*)");
    }
    return QString();
}

QString PnPImportActions::askFile(
    QWidget* parent, const QString& caption, const QString& filter, QString& lastDirectory, bool logDirectory)
{
    const QString path = prompt().openFileName(parent, caption, lastDirectory, filter);
    if (path.isEmpty())
        return path;
    lastDirectory = FileIo::folderOf(path);
    if (logDirectory)
        qDebug() << lastDirectory;
    return path;
}

bool PnPImportActions::importFormat(
    QWidget* parent, Document& document, QString& lastDirectory, PnPFormat format)
{
    const bool logDirectory
        = format == PnPFormat::Eagle || format == PnPFormat::EaglePart || format == PnPFormat::Target;
    const QString path = askFile(parent, caption(format), filter(format), lastDirectory, logDirectory);
    if (path.isEmpty())
        return false;

    loadPnP_dlp dialog(parent);
    dialog.setFileHasSides(PnPImport::formatHasSide(format));
    // Cancelling is the user's choice, not a failure: the document stays as it was, unreported.
    if (prompt().exec(&dialog) != QDialog::Accepted)
        return false;

    QString error;
    if (!PnPImport::importFile(document, format, path, dialog.options(), &error)) {
        qDebug() << error;
        prompt().warning(parent, errorTitle(), errorText(), error);
        return false;
    }
    return true;
}

bool PnPImportActions::importTessavrant(QWidget* parent, Document& document, QString& lastDirectory)
{
    return importFormat(parent, document, lastDirectory, PnPFormat::Tessavrant);
}

bool PnPImportActions::importDipTrace(QWidget* parent, Document& document, QString& lastDirectory)
{
    return importTessavrant(parent, document, lastDirectory);
}

bool PnPImportActions::importEagle(QWidget* parent, Document& document, QString& lastDirectory)
{
    return importFormat(parent, document, lastDirectory, PnPFormat::Eagle);
}

bool PnPImportActions::importEaglePart(QWidget* parent, Document& document, QString& lastDirectory)
{
    return importFormat(parent, document, lastDirectory, PnPFormat::EaglePart);
}

bool PnPImportActions::importTarget(QWidget* parent, Document& document, QString& lastDirectory)
{
    return importFormat(parent, document, lastDirectory, PnPFormat::Target);
}

bool PnPImportActions::importAltium(QWidget* parent, Document& document, QString& lastDirectory)
{
    return importFormat(parent, document, lastDirectory, PnPFormat::Altium);
}

bool PnPImportActions::importAltium2(QWidget* parent, Document& document, QString& lastDirectory)
{
    return importFormat(parent, document, lastDirectory, PnPFormat::AltiumCsv);
}

bool PnPImportActions::importKiCad(QWidget* parent, Document& document, QString& lastDirectory)
{
    return importFormat(parent, document, lastDirectory, PnPFormat::KiCad);
}

bool PnPImportActions::importPositionUpdate(QWidget* parent, Document& document, QString& lastDirectory)
{
    const QString path = askFile(parent, QStringLiteral("Open Part Positions"),
        QStringLiteral("CSV-File (*.*)"), lastDirectory, false);
    if (path.isEmpty())
        return false;
    QString error;
    const bool ok = PositionUpdate::updateFile(
        document, path,
        [parent](const QString& text) { prompt().warning(parent, PositionUpdate::noteTitle(), text); },
        &error);
    if (!ok) {
        qDebug() << error;
        prompt().warning(parent, errorTitle(), errorText(), error);
        return false;
    }
    return true;
}
