#include "pnpio/pnpexport.h"

#include "model/fileio.h"
#include "model/numbertext.h"
#include "model/pnpentry.h"

#include <QHash>
#include <QStringList>

#include <algorithm>
#include <vector>

bool PnPExportOptions::includesExec(const QString& exec) const
{
    if (exec.size() != 1)
        return false;
    switch (exec.at(0).unicode()) {
    case '0':
        return none;
    case '1':
        return machine;
    case '2':
        return hand;
    case '3':
        return tht;
    default:
        return false;
    }
}

namespace {

// A ";" inside a field would shift every later column for whoever reads the file back.
QString field(const QString& text)
{
    if (!text.contains(QLatin1Char(';')))
        return text;
    QString cleaned = text;
    cleaned.replace(QLatin1Char(';'), QLatin1Char(','));
    return cleaned;
}

int clampedPanels(int panels)
{
    return std::clamp(panels, 1, PnPExportOptions::maxPanels);
}

} // namespace

QList<const PnPEntry*> exportSequence(
    const QList<PnPEntry*>& top, const QList<PnPEntry*>& bottom, const PnPExportOptions& options)
{
    QList<const PnPEntry*> sequence;
    auto take = [&](const QList<PnPEntry*>& list) {
        for (const PnPEntry* entry : list) {
            if (entry && options.includesExec(entry->exec()))
                sequence.append(entry);
        }
    };
    if (options.side == PnPExportOptions::Both || options.side == PnPExportOptions::Top)
        take(top);
    if (options.side == PnPExportOptions::Both || options.side == PnPExportOptions::Bottom)
        take(bottom);
    return sequence;
}

QByteArray pickAndPlaceListText(
    const QList<PnPEntry*>& top, const QList<PnPEntry*>& bottom, const PnPExportOptions& options)
{
    const QList<const PnPEntry*> sequence = exportSequence(top, bottom, options);
    // One text, one UTF-8 conversion: per-line conversions cost more than the formatting.
    QString text;
    text.reserve(64 + sequence.size() * 48);
    text += QLatin1String("RefDes;Name;X (mm);Y (mm);Side;Rotate;Value;Comment;Execute\n");
    const QChar sep(QLatin1Char(';'));
    for (const PnPEntry* e : sequence) {
        // Made whole before it is appended: `text += a + b` through the string builder reserves
        // the exact new size, so once past the reserve every line would copy the whole text.
        text += QString(field(e->refDes()) + sep + field(e->name()) + sep + NumberText::formatComma(e->x())
            + sep + NumberText::formatComma(e->y()) + sep + field(e->side()) + sep
            + NumberText::format(e->rotation()) + sep + field(e->value()) + sep + field(e->comment()) + sep
            + field(e->exec()) + QLatin1Char('\n'));
    }
    return text.toUtf8();
}

QByteArray partListText(
    const QList<PnPEntry*>& top, const QList<PnPEntry*>& bottom, const PnPExportOptions& options)
{
    struct Group
    {
        QString key;
        QStringList designators;
    };
    std::vector<Group> groups;
    QHash<QString, int> indexOfKey;
    for (const PnPEntry* e : exportSequence(top, bottom, options)) {
        const QString key = field(e->value()) + QLatin1Char(';') + field(e->name());
        auto it = indexOfKey.constFind(key);
        int index;
        if (it == indexOfKey.constEnd()) {
            index = int(groups.size());
            indexOfKey.insert(key, index);
            groups.push_back({ key, {} });
        } else {
            index = it.value();
        }
        groups[size_t(index)].designators.append(field(e->refDes()));
    }

    const qint64 panels = clampedPanels(options.panels);
    QByteArray out = "Quantity;RefDes;Value;Name\n";
    for (Group& group : groups) {
        group.designators.sort(Qt::CaseSensitive);
        // 64 bits: a large group times a large panel count overflows an int.
        const qint64 quantity = qint64(group.designators.size()) * panels;
        const QString line = QString::number(quantity) + QLatin1Char(';')
            + group.designators.join(QLatin1Char(',')) + QLatin1Char(';') + group.key + QLatin1Char('\n');
        out += line.toUtf8();
    }
    return out;
}

bool writePickAndPlaceList(const QString& path, const QList<PnPEntry*>& top, const QList<PnPEntry*>& bottom,
    const PnPExportOptions& options, QString* errorText)
{
    return FileIo::writeAtomically(path, pickAndPlaceListText(top, bottom, options), errorText);
}

bool writePartList(const QString& path, const QList<PnPEntry*>& top, const QList<PnPEntry*>& bottom,
    const PnPExportOptions& options, QString* errorText)
{
    return FileIo::writeAtomically(path, partListText(top, bottom, options), errorText);
}
