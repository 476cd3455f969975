#include "project/projectrecordcheck.h"

#include <cstring>

namespace ProjectRecordCheck {

QString damage(const QStringList& fields, const char* layout, int minFields)
{
    const int written = int(std::strlen(layout));
    if (fields.size() < minFields || fields.size() > written) {
        const QString expected = minFields == written
            ? QString::number(written)
            : QStringLiteral("%1 to %2").arg(minFields).arg(written);
        return QStringLiteral("%1 fields where %2 are written").arg(fields.size()).arg(expected);
    }
    for (int i = 0; i < fields.size(); ++i) {
        const QString field = fields.at(i).trimmed();
        bool ok = true;
        switch (layout[i]) {
        case 'n':
            field.toDouble(&ok);
            break;
        case 'i':
            field.toInt(&ok);
            break;
        case 'f':
            ok = field == QLatin1String("0") || field == QLatin1String("1");
            break;
        default:
            break;
        }
        if (!ok)
            return QStringLiteral("field %1 holds \"%2\" where %3 is written")
                .arg(i + 1)
                .arg(
                    field.left(40), layout[i] == 'f' ? QStringLiteral("0 or 1") : QStringLiteral("a number"));
    }
    return QString();
}

} // namespace ProjectRecordCheck
