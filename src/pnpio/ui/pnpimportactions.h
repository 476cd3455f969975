#pragma once

#include "pnpio/pnpimport.h"

#include <QString>

class Document;
class QWidget;

// The "Import..." > "Pick And Place" menu entries: ask for the file and the import
// options, run the reader, and report a failure. Each returns true when the reader
// succeeded; the caller then rebuilds its tables ("create lists") and repaints. A cancelled
// dialog returns false without a message: nothing changed.
class PnPImportActions
{
public:
    static bool importTessavrant(QWidget* parent, Document& document, QString& lastDirectory);
    static bool importDipTrace(QWidget* parent, Document& document, QString& lastDirectory);
    static bool importEagle(QWidget* parent, Document& document, QString& lastDirectory);
    static bool importEaglePart(QWidget* parent, Document& document, QString& lastDirectory);
    static bool importTarget(QWidget* parent, Document& document, QString& lastDirectory);
    static bool importAltium(QWidget* parent, Document& document, QString& lastDirectory);
    static bool importAltium2(QWidget* parent, Document& document, QString& lastDirectory);
    static bool importKiCad(QWidget* parent, Document& document, QString& lastDirectory);
    static bool importPositionUpdate(QWidget* parent, Document& document, QString& lastDirectory);

    // The shared frame of all but the position update.
    static bool importFormat(QWidget* parent, Document& document, QString& lastDirectory, PnPFormat format);

    static QString caption(PnPFormat format);
    static QString filter(PnPFormat format);
    static QString errorTitle() { return QStringLiteral("Error"); }
    static QString errorText() { return QStringLiteral("An error occured while loading the file"); }

private:
    static QString askFile(QWidget* parent, const QString& caption, const QString& filter,
        QString& lastDirectory, bool logDirectory);
};
