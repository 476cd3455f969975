#include "pnpio/positionupdate.h"

#include "model/document.h"
#include "model/fileio.h"
#include "model/pnpentry.h"
#include "pnpio/pnplinereader.h"
#include "pnpio/pnptext.h"

#include <QDebug>
#include <QFile>
#include <QHash>

bool PositionUpdate::parseLine(const QString& line, Record& out)
{
    const QStringList fields = line.split(QLatin1Char(';'));
    if (fields.size() < 4)
        return false;
    out.refDes = fields.at(0).trimmed();
    out.x = PnPText::toNumber(fields.at(1));
    out.y = PnPText::toNumber(fields.at(2));
    out.rotation = PnPText::toNumber(fields.at(3));
    return true;
}

bool PositionUpdate::read(QIODevice& device, QVector<Record>& out)
{
    PnPLineReader reader(device);
    QString line;
    if (!reader.next(line))
        return true;
    int count = 0;
    while (reader.next(line)) {
        qDebug() << ++count;
        Record record;
        record.line = reader.lineNumber();
        if (parseLine(line, record))
            out.append(record);
    }
    return true;
}

QString PositionUpdate::missingText(const QString& refDes)
{
    return QStringLiteral("RefDes ") + refDes + QStringLiteral(" nicht vorhanden");
}

int PositionUpdate::apply(
    Document& document, const QList<PnPEntry*>& entries, const QVector<Record>& records, const Notify& notify)
{
    // First entry per designator, so a long update stays linear.
    QHash<QString, PnPEntry*> first;
    first.reserve(entries.size());
    for (PnPEntry* entry : entries) {
        if (entry && !first.contains(entry->refDes()))
            first.insert(entry->refDes(), entry);
    }
    int applied = 0;
    for (const Record& record : records) {
        // Stored designators went through the text cleaning; look the file's up the same way.
        PnPEntry* entry = first.value(record.refDes, nullptr);
        if (!entry)
            entry = first.value(PnPEntry::sanitiseText(record.refDes), nullptr);
        if (!entry) {
            if (notify)
                notify(missingText(record.refDes));
            continue;
        }
        document.editEntry(*entry, [&record](PnPEntry& e) {
            e.setX(record.x);
            e.setY(record.y);
            e.setRotation(record.rotation);
        });
        ++applied;
    }
    return applied;
}

bool PositionUpdate::readFile(const QString& path, QVector<Record>& out, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = FileIo::errorText(path, 0, QStringLiteral("cannot open: ") + file.errorString());
        return false;
    }
    if (!read(file, out))
        return false;
    // Values no board has would be written into the machine lists: the update is refused.
    for (const Record& record : out) {
        const QString refusal = PnPText::valueRefusal(record.x, record.y, record.rotation);
        if (!refusal.isEmpty()) {
            if (error)
                *error = FileIo::errorText(path, record.line, refusal);
            out.clear();
            return false;
        }
    }
    return true;
}

bool PositionUpdate::updateFile(Document& document, const QString& path, const Notify& notify, QString* error)
{
    QVector<Record> records;
    if (!readFile(path, records, error))
        return false;
    // Both sides, top first, as the command line does: a file lists every designator of the
    // board, whichever side is shown.
    apply(document, document.side(true).placements + document.side(false).placements, records, notify);
    return true;
}
