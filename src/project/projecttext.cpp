#include "project/projecttext.h"

#include <cmath>

namespace ProjectText {

QString number(double v)
{
    if (!std::isfinite(v))
        return QStringLiteral("0");
    for (int precision = 6; precision < 17; ++precision) {
        const QString text = QString::number(v, 'g', precision);
        if (text.toDouble() == v)
            return text;
    }
    return QString::number(v, 'g', 17);
}

QString number(int v)
{
    return QString::number(v);
}

namespace {

const QLatin1String escapeStart("\\u{");

bool needsEscape(QChar c, int at, ProjectText::Place place, const QString& text)
{
    const ushort u = c.unicode();
    if (u < 0x20 || u == 0x7F || u > 0xFF)
        return true;
    if (u == ';' && place != ProjectText::Place::WholeLine)
        return true;
    if (u == '+' && at == 0 && place != ProjectText::Place::Field)
        return true;
    return u == '\\' && QStringView(text).mid(at).startsWith(escapeStart);
}

void appendEscape(QString& out, uint code)
{
    out += escapeStart;
    out += QString::number(code, 16).toUpper();
    out += QLatin1Char('}');
}

} // namespace

QString escape(const QString& text, Place place)
{
    int i = 0;
    while (i < text.size() && !needsEscape(text.at(i), i, place, text))
        ++i;
    if (i == text.size())
        return text;
    QString out = text.left(i);
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!needsEscape(c, i, place, text)) {
            out += c;
        } else if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            appendEscape(out, QChar::surrogateToUcs4(c, text.at(i + 1)));
            ++i;
        } else {
            appendEscape(out, c.unicode());
        }
    }
    return out;
}

QString unescape(const QString& text)
{
    // Nearly every line holds no escape; a search for one character is the quicker test.
    if (!text.contains(QLatin1Char('\\')))
        return text;
    int from = text.indexOf(escapeStart);
    if (from < 0)
        return text;
    QString out = text.left(from);
    while (from >= 0) {
        const int close = text.indexOf(QLatin1Char('}'), from + escapeStart.size());
        bool ok = false;
        const int digits = close - from - escapeStart.size();
        const uint code
            = digits > 0 && digits <= 6 ? text.mid(from + escapeStart.size(), digits).toUInt(&ok, 16) : 0;
        if (!ok || code > 0x10FFFF || text.at(from + escapeStart.size()) == QLatin1Char('+')) {
            out += text.at(from);
            ++from;
        } else {
            out += QString::fromUcs4(&code, 1);
            from = close + 1;
        }
        const int next = text.indexOf(escapeStart, from);
        out += text.mid(from, next < 0 ? -1 : next - from);
        from = next;
    }
    return out;
}

double toDouble(const QStringList& fields, int i, double fallback)
{
    if (i >= fields.size())
        return fallback;
    bool ok = false;
    const double v = fields.at(i).trimmed().toDouble(&ok);
    return ok && std::isfinite(v) ? v : fallback;
}

int toInt(const QStringList& fields, int i, int fallback)
{
    if (i >= fields.size())
        return fallback;
    bool ok = false;
    const int v = fields.at(i).trimmed().toInt(&ok);
    return ok ? v : fallback;
}

bool toFlag(const QStringList& fields, int i, bool fallback)
{
    if (i >= fields.size())
        return fallback;
    const QString f = fields.at(i).trimmed();
    if (f == QLatin1String("1") || f == QLatin1String("true"))
        return true;
    if (f == QLatin1String("0") || f == QLatin1String("false"))
        return false;
    return fallback;
}

QString toText(const QStringList& fields, int i, const QString& fallback)
{
    return i < fields.size() ? unescape(fields.at(i)) : fallback;
}

} // namespace ProjectText
