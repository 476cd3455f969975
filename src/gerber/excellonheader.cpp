#include "gerber/excellonheader.h"

#include "gerber/excellonreader.h"

#include <QRegularExpression>

namespace {

// A header is short: a file that has not begun its hits by then states nothing further.
constexpr int maxHeaderLines = 2000;

class Detection
{
public:
    explicit Detection(const ExcellonFormat& fallback) { result.format = fallback; }

    void digits(int integerDigits, int decimalDigits)
    {
        result.format.integerDigits = qBound(0, integerDigits, 9);
        result.format.decimalDigits = qBound(0, decimalDigits, 9);
        result.digitsStated = true;
    }

    // `leadingOmitted`: the leading zeros are left out, so numbers are padded in front.
    void zeros(bool leadingOmitted)
    {
        result.format.leadingZeroesOmitted = leadingOmitted;
        result.zerosStated = true;
    }

    // ";FILE_FORMAT=4:4" (Altium, EasyEDA, P-CAD).
    bool fileFormat(const QString& line)
    {
        static const QRegularExpression pattern(
            QStringLiteral("^;\\s*FILE_FORMAT\\s*=\\s*(\\d)\\s*:\\s*(\\d)\\s*$"),
            QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch m = pattern.match(line);
        if (m.hasMatch())
            digits(m.captured(1).toInt(), m.captured(2).toInt());
        return m.hasMatch();
    }

    // ";FORMAT={2:4/ absolute / inch / suppress trailing zeros}" (KiCad); "-:-" and "decimal"
    // state nothing (the coordinates carry their point).
    bool kicadFormat(const QString& line)
    {
        static const QRegularExpression pattern(
            QStringLiteral(
                "^;\\s*FORMAT\\s*=\\s*\\{\\s*([-\\d])\\s*:\\s*([-\\d])\\s*/[^/]*/[^/]*/([^}]*)\\}"),
            QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch m = pattern.match(line);
        if (!m.hasMatch())
            return false;
        if (m.captured(1) != QLatin1String("-") && m.captured(2) != QLatin1String("-"))
            digits(m.captured(1).toInt(), m.captured(2).toInt());
        const QString zerosText = m.captured(3).simplified().toLower();
        if (zerosText.contains(QLatin1String("leading")))
            zeros(true);
        else if (zerosText.contains(QLatin1String("trailing")))
            zeros(false);
        return true;
    }

    // "; Format  : 3.3 / Absolute / MM / Leading" (Siemens/Mentor): the zeros named are the
    // ones left out.
    bool siemensFormat(const QString& line)
    {
        static const QRegularExpression pattern(
            QStringLiteral("^;\\s*Format\\s*:\\s*(\\d)\\.(\\d)\\s*/[^/]*/\\s*(\\w+)\\s*/\\s*(\\w+)"),
            QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch m = pattern.match(line);
        if (!m.hasMatch())
            return false;
        digits(m.captured(1).toInt(), m.captured(2).toInt());
        const QString unit = m.captured(3).toLower();
        if (unit == QLatin1String("mm") || unit == QLatin1String("metric"))
            result.metric = true;
        const QString omitted = m.captured(4).toLower();
        if (omitted == QLatin1String("leading"))
            zeros(true);
        else if (omitted == QLatin1String("trailing"))
            zeros(false);
        return true;
    }

    // "INCH,LZ", "METRIC,TZ,000.000", "METRIC,0000.00", "M71,TZ": LZ keeps the leading zeros
    // (so the trailing ones are left out), TZ keeps the trailing ones.
    void unitLine(const QString& line)
    {
        const QStringList parts = line.split(QLatin1Char(','));
        const QString unit = parts.first().trimmed().toUpper();
        if (unit != QLatin1String("INCH") && unit != QLatin1String("METRIC") && unit != QLatin1String("M71")
            && unit != QLatin1String("M72"))
            return;
        result.metric = unit == QLatin1String("METRIC") || unit == QLatin1String("M71");
        static const QRegularExpression digitPattern(QStringLiteral("^(0+)\\.(0+)$"));
        for (int i = 1; i < parts.size(); ++i) {
            const QString part = parts.at(i).trimmed().toUpper();
            const QRegularExpressionMatch m = digitPattern.match(part);
            if (part == QLatin1String("LZ"))
                zeros(false);
            else if (part == QLatin1String("TZ"))
                zeros(true);
            else if (m.hasMatch())
                digits(m.capturedLength(1), m.capturedLength(2));
        }
    }

    ExcellonHeaderFormat result;
};

bool isHit(const QString& line)
{
    return !line.isEmpty() && (line.front() == QLatin1Char('X') || line.front() == QLatin1Char('Y'));
}

} // namespace

ExcellonHeaderFormat detectExcellonFormat(const LineList& lines, const ExcellonFormat& fallback)
{
    Detection detection(fallback);
    const int n = qMin(int(lines.size()), maxHeaderLines);
    for (int i = 0; i < n; ++i) {
        const QString line = lines.at(i);
        if (isHit(line))
            break;
        if (line.startsWith(QLatin1Char(';'))) {
            if (!detection.fileFormat(line) && !detection.kicadFormat(line))
                detection.siemensFormat(line);
        } else {
            detection.unitLine(line);
        }
    }
    ExcellonHeaderFormat result = detection.result;
    if (result.metric && !result.digitsStated) {
        result.format.integerDigits = 3;
        result.format.decimalDigits = 3;
    }
    return result;
}

bool detectExcellonFormat(const QString& path, ExcellonFormat* format, const ExcellonFormat& fallback)
{
    LineList lines;
    if (!readExcellonLines(path, &lines))
        return false;
    *format = detectExcellonFormat(lines, fallback).format;
    return true;
}

bool readDrillOption(const QString& text, ExcellonFormat* format, bool* fromHeader)
{
    if (text == QLatin1String("auto")) {
        *fromHeader = true;
        return true;
    }
    if (!ExcellonFormat::fromText(text, format))
        return false;
    *fromHeader = false;
    return true;
}
