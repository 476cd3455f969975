#pragma once

#include <QList>
#include <QString>
#include <QVector>
#include <functional>

class Document;
class PnPEntry;
class QIODevice;

// Position update from a CSV list "RefDes;X;Y;Rotation" (header line first): moves
// and turns placements that already exist; it never adds or removes any.
class PositionUpdate
{
public:
    struct Record
    {
        QString refDes;
        double x = 0.0;
        double y = 0.0;
        double rotation = 0.0;
        int line = 0;
    };
    using Notify = std::function<void(const QString& text)>;

    // False for lines with fewer than 4 fields (they are skipped).
    static bool parseLine(const QString& line, Record& out);
    // Reads every record after the header, logging the number of each line read.
    static bool read(QIODevice& device, QVector<Record>& out);

    // Gives the first entry of entries with each record's designator the record's
    // position and rotation. For a designator no entry has, notify gets
    // "RefDes <name> nicht vorhanden" and the record is ignored. Returns the number
    // of records applied.
    static int apply(Document& document, const QList<PnPEntry*>& entries, const QVector<Record>& records,
        const Notify& notify);

    // Opens path and reads it; false with an error text naming the file when it cannot be opened.
    static bool readFile(const QString& path, QVector<Record>& out, QString* error);

    // Reads path and applies it to the placements of both sides of document (top first, the
    // working list standing for the shown side); marks the document modified when any entry
    // moved. False with an error text when the file cannot be read.
    static bool updateFile(Document& document, const QString& path, const Notify& notify, QString* error);

    static QString noteTitle() { return QStringLiteral("Hinweis"); }
    static QString missingText(const QString& refDes);
};
