#include "line/feederedit.h"

#include "line/feederentry.h"
#include "line/feederlist.h"
#include "line/partdatabase.h"

#include <QRegularExpression>

namespace FeederTable {

namespace {
constexpr int maxNozzle = 10;

bool validNozzle(int n)
{
    return n >= 1 && n <= maxNozzle;
}
} // namespace

QStringList headers()
{
    return { QString(), QStringLiteral("Value"), QStringLiteral("Name"), QStringLiteral("DB"),
        QStringLiteral("Set"), QStringLiteral("Feeder"), QStringLiteral("N"), QStringLiteral("O"),
        QStringLiteral("Qty"), QStringLiteral("Head") };
}

QVector<int> columnWidths()
{
    return { 0, 60, 60, 30, 30, 50, 20, 20, 40, 40 };
}

QString cellText(const FeederEntry& f, FeederColumn column)
{
    switch (column) {
    case FeederColumn::Index:
        return QString::number(f.index);
    case FeederColumn::Value:
        return f.value;
    case FeederColumn::Name:
        return f.name;
    case FeederColumn::Db:
        return QString::number(f.dbNo);
    case FeederColumn::Set:
        return QString::number(f.setNo);
    case FeederColumn::Feeder:
        return FeederList::feederTypeText(f.feederType);
    case FeederColumn::Nozzle:
        return QString::number(f.nozzle);
    case FeederColumn::Optimize:
        return QString::number(f.optimize);
    case FeederColumn::Qty:
        return QString::number(f.qty);
    case FeederColumn::Head:
        break;
    }
    return QString::number(f.head);
}

bool applyEdit(
    const QList<FeederEntry*>& entries, int row, int column, const QString& text, const PartDatabase& db)
{
    if (row < 0 || row >= entries.size())
        return false;
    FeederEntry& f = *entries.at(row);
    bool ok = false;
    switch (FeederColumn(column)) {
    case FeederColumn::Db: {
        static const QRegularExpression digits(QStringLiteral("^\\d{1,}$"));
        const int dbNo = text.toInt(&ok);
        if (!digits.match(text).hasMatch() || !ok)
            return false;
        f.dbNo = dbNo;
        if (const PartDbEntry* known = db.entryByNumber(dbNo)) {
            const int nozzle = known->nozzle.toInt();
            if (validNozzle(nozzle))
                f.nozzle = nozzle;
            f.feederType = FeederList::acceptedFeederType(known->feederType).value_or(f.feederType);
        }
        return true;
    }
    case FeederColumn::Set: {
        const std::optional<int> set = FeederList::acceptedSetNumber(text, row, entries);
        if (set)
            f.setNo = *set;
        return bool(set);
    }
    case FeederColumn::Feeder: {
        const std::optional<QString> type = FeederList::acceptedFeederType(text);
        if (type)
            f.feederType = *type;
        return bool(type);
    }
    case FeederColumn::Nozzle: {
        const int nozzle = text.toInt(&ok);
        if (!ok || !validNozzle(nozzle))
            return false;
        f.nozzle = nozzle;
        return true;
    }
    case FeederColumn::Optimize:
        if (text != QLatin1String("0") && text != QLatin1String("1"))
            return false;
        f.optimize = text.toInt();
        return true;
    case FeederColumn::Head: {
        const int head = text.toInt(&ok);
        if (ok)
            f.head = head;
        return ok;
    }
    case FeederColumn::Index:
    case FeederColumn::Value:
    case FeederColumn::Name:
    case FeederColumn::Qty:
        break;
    }
    return false;
}

} // namespace FeederTable
