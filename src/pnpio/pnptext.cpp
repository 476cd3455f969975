#include "pnpio/pnptext.h"

#include "model/numbertext.h"

#include <cmath>

#include <QTextCodec>
#include <QVector>
#include <algorithm>

namespace PnPText {

QString decode(const QByteArray& bytes)
{
    const char* data = bytes.constData();
    const int size = bytes.size();
    bool ascii = true;
    for (int i = 0; i < size; ++i) {
        if (static_cast<unsigned char>(data[i]) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii)
        return QString::fromLatin1(data, size);

    static QTextCodec* const utf8 = QTextCodec::codecForName("UTF-8");
    static QTextCodec* const cp1252 = QTextCodec::codecForName("Windows-1252");
    if (utf8) {
        QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
        const QString text = utf8->toUnicode(data, size, &state);
        if (state.invalidChars == 0 && state.remainingChars == 0)
            return text;
    }
    if (cp1252)
        return cp1252->toUnicode(bytes);
    return QString::fromLatin1(data, size);
}

QString commaToPoint(QString text)
{
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    return text;
}

double toNumber(const QString& text, bool* ok)
{
    return NumberText::parse(text, ok);
}

double toNumber(const QString& text)
{
    return toNumber(text, nullptr);
}

QString valueRefusal(double x, double y, double rotation)
{
    constexpr double maxMagnitude = 10000.0;
    const struct
    {
        const char* name;
        double value;
        const char* limit;
    } values[] = { { "X", x, "coordinates must be finite and within ±10 m" },
        { "Y", y, "coordinates must be finite and within ±10 m" },
        { "the rotation", rotation, "rotations must be finite and within ±10000 degrees" } };
    for (const auto& v : values) {
        if (!(std::fabs(v.value) <= maxMagnitude)) // also true for NaN
            return QStringLiteral("%1 is %2; %3")
                .arg(QString::fromUtf8(v.name), NumberText::format(v.value), QString::fromUtf8(v.limit));
    }
    return QString();
}

double unitFactor(const QString& unit)
{
    const QString u = unit.trimmed().toLower();
    if (u == QLatin1String("mm"))
        return 1.0;
    if (u == QLatin1String("mil") || u == QLatin1String("mils"))
        return 0.0254;
    if (u == QLatin1String("in") || u == QLatin1String("inch") || u == QLatin1String("inches"))
        return 25.4;
    return 0.0;
}

double toLength(const QString& text, double plainFactor)
{
    const QString t = text.trimmed();
    int end = t.size();
    while (end > 0 && t.at(end - 1).isLetter())
        --end;
    if (end == t.size())
        return toNumber(t) * plainFactor;
    const double factor = unitFactor(t.mid(end));
    return factor > 0.0 ? toNumber(t.left(end).trimmed()) * factor : 0.0;
}

bool endsInsideQuotes(const QString& line, QChar sep)
{
    const QChar quote = QLatin1Char('"');
    bool inside = false;
    bool fieldStart = true;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (inside) {
            if (c != quote)
                continue;
            if (i + 1 < line.size() && line.at(i + 1) == quote)
                ++i;
            else
                inside = false;
            fieldStart = false;
            continue;
        }
        if (c == quote && fieldStart) {
            inside = true;
            continue;
        }
        if (sep.isNull())
            fieldStart = c.isSpace();
        else if (c == sep)
            fieldStart = true;
        else if (c != QLatin1Char(' '))
            fieldStart = false;
    }
    return inside;
}

QStringList splitQuoted(const QString& line, QChar sep)
{
    QStringList fields;
    const QChar quote = QLatin1Char('"');
    const int size = line.size();
    int i = 0;
    while (true) {
        QString field;
        // Spaces before an opening quote are common after a separator.
        int start = i;
        while (start < size && line.at(start) == QLatin1Char(' '))
            ++start;
        if (start < size && line.at(start) == quote) {
            // Copies runs of plain text at once; only doubled quotes break a run.
            i = start + 1;
            int chunk = i;
            bool closed = false;
            while (i < size) {
                if (line.at(i) != quote) {
                    ++i;
                    continue;
                }
                if (i + 1 < size && line.at(i + 1) == quote) {
                    field += line.midRef(chunk, i + 1 - chunk);
                    i += 2;
                    chunk = i;
                    continue;
                }
                int after = i + 1;
                while (after < size && line.at(after) == QLatin1Char(' '))
                    ++after;
                if (after >= size || line.at(after) == sep) {
                    field += line.midRef(chunk, i - chunk);
                    i = after;
                    closed = true;
                    break;
                }
                ++i; // a stray quote inside the field stays text
            }
            if (!closed)
                field += line.midRef(chunk, size - chunk);
        } else {
            int end = line.indexOf(sep, i);
            if (end < 0)
                end = size;
            field = line.mid(i, end - i);
            i = end;
        }
        fields.append(field);
        if (i >= size)
            break;
        ++i; // the separator
        if (i >= size) {
            fields.append(QString());
            break;
        }
    }
    return fields;
}

QStringList splitWhiteSpace(const QString& text)
{
    QStringList parts;
    const int size = text.size();
    int i = 0;
    while (i < size) {
        while (i < size && text.at(i).isSpace())
            ++i;
        const int start = i;
        while (i < size && !text.at(i).isSpace())
            ++i;
        if (i > start)
            parts.append(text.mid(start, i - start));
    }
    return parts;
}

QString unquote(const QString& text)
{
    if (text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"')))
        return text.mid(1, text.size() - 2);
    return text;
}

QStringList cutColumns(const QString& line, const QVector<int>& starts)
{
    QStringList fields;
    fields.reserve(starts.size());
    for (int i = 0; i < starts.size(); ++i) {
        const int start = starts.at(i);
        if (start < 0) {
            fields.append(QString());
            continue;
        }
        int end = -1;
        for (int other : starts) {
            if (other > start && (end < 0 || other < end))
                end = other;
        }
        fields.append(end < 0 ? line.mid(start) : line.mid(start, end - start));
    }
    return fields;
}

} // namespace PnPText
