// Coordinate blocks: D text, start position, straight objects, region mode and the conversion
// of coordinate texts into file units.
#include "gerber/decimaltext.h"
#include "gerber/gerberblockreader.h"
#include "gerber/gerberlayer.h"
#include "gerber/gerberparser.h"

#include <QtAlgorithms>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

// Same result as comparing with a one-letter text, without the general string compare per block.
bool isSingleLetter(const QString& text, char16_t letter)
{
    return text.size() == 1 && text.at(0).unicode() == letter;
}

// Characters that end a coordinate field, as a table: one load per character instead of six
// compares.
struct FieldEnds
{
    bool at[128] = {};
    constexpr FieldEnds()
    {
        at[int('X')] = at[int('Y')] = at[int('I')] = at[int('J')] = at[int('D')] = at[int('*')] = true;
    }
};
constexpr FieldEnds fieldEnds;

// The X and Y fields of a coordinate block and its first "D", found in one pass. A field runs
// from after its letter up to the next address letter (X, Y, I, J, D) or "*"; only the first X and
// the first Y count.
struct CoordinateFields
{
    qsizetype xBegin = -1, xEnd = -1;
    qsizetype yBegin = -1, yEnd = -1;
    qsizetype firstD = -1;

    explicit CoordinateFields(QStringView block)
    {
        const QChar* data = block.data();
        const qsizetype size = block.size();
        qsizetype* openEnd = nullptr; // the end of the field being read, if any
        for (qsizetype i = 0; i < size; ++i) {
            const char16_t c = data[i].unicode();
            if (c >= 128 || !fieldEnds.at[c])
                continue;
            if (openEnd) {
                *openEnd = i;
                openEnd = nullptr;
            }
            if (c == u'X' && xBegin < 0) {
                xBegin = i + 1;
                openEnd = &xEnd;
            } else if (c == u'Y' && yBegin < 0) {
                yBegin = i + 1;
                openEnd = &yEnd;
            } else if (c == u'D' && firstD < 0) {
                firstD = i;
            }
        }
        if (openEnd)
            *openEnd = size;
    }
};

// Converts the ASCII digits (with any "." already placed) to a double; 0 when not a number.
double parseNumber(const std::string& text, bool negative)
{
    double value = 0.0;
    const char* begin = text.data();
    const char* end = begin + text.size();
    const auto result = std::from_chars(begin, end, value, std::chars_format::fixed);
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(value))
        return 0.0;
    return negative ? -value : value;
}

// The common case, plain digits with an optional leading sign, without building a text: the
// digits as an integer divided by an exact power of ten is the correctly rounded value, the
// same as reading the text with the point inserted. Returns false when the text needs the
// general path.
inline bool scalePlainDigits(
    qint64 mantissa, qsizetype digitCount, bool negative, int n, int m, bool trailingOmitted, double& value)
{
    // Padding to n + m digits: zeros behind scale the number, zeros in front change nothing.
    const qint64 exactLimit = qint64(1) << 53;
    const qsizetype width = qsizetype(n) + m;
    const qsizetype decimals = qMax(digitCount, width) - n;
    if (decimals < 0 || decimals > 22)
        return false;
    if (trailingOmitted) {
        for (qsizetype k = digitCount; k < width; ++k) {
            if (mantissa > exactLimit)
                return false; // checked before each step: the scaling must not overflow
            mantissa *= 10;
        }
    }
    if (mantissa > exactLimit)
        return false;
    value = double(mantissa) / exactPowerOfTen(int(decimals));
    if (negative)
        value = -value;
    return true;
}

inline bool convertPlainDigits(QStringView text, int n, int m, bool trailingOmitted, double& value)
{
    PlainDecimal plain;
    return plain.read(text, false)
        && scalePlainDigits(plain.mantissa, plain.digits, plain.negative, n, m, trailingOmitted, value);
}

// One field of a plain coordinate line: an optional sign and 1 to 15 digits, read up to the first
// other character. False when the field is anything else.
inline bool readPlainField(const char*& p, const char* end, qint64& mantissa, int& digits, bool& negative)
{
    negative = false;
    if (p < end && (*p == '-' || *p == '+')) {
        negative = *p == '-';
        ++p;
    }
    mantissa = 0;
    digits = 0;
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    if (end - p >= 8) {
        // Up to seven digits at once: eight bytes are read as one word (the first in its lowest
        // byte), the first byte that is no digit ends the field, and the digits are combined in
        // pairs, fours and eights.
        constexpr quint64 ones = 0x0101010101010101ULL;
        quint64 word;
        memcpy(&word, p, 8);
        // A byte is a digit when its high half is 3, also after adding 6 (a carry out of a byte
        // comes only from one that is no digit, and only reaches the bytes after it).
        const quint64 high = 0xf0 * ones;
        const quint64 other
            = ((word & high) ^ (0x30 * ones)) | (((word + 0x06 * ones) & high) ^ (0x30 * ones));
        const int count = other ? int(qCountTrailingZeroBits(other) / 8) : 8;
        if (count > 0 && count < 8) {
            quint64 v = (word - 0x30 * ones) << (8 * (8 - count)); // leading zeros in front
            v = (v * 10 + (v >> 8)) & 0x00ff00ff00ff00ffULL;
            v = (v * 100 + (v >> 16)) & 0x0000ffff0000ffffULL;
            v = (v * 10000 + (v >> 32)) & 0xffffffffULL;
            mantissa = qint64(v);
            digits = count;
            p += count;
            return true;
        }
    }
#endif
    for (; p < end; ++p) {
        const unsigned digit = unsigned(static_cast<unsigned char>(*p)) - unsigned('0');
        if (digit > 9)
            break;
        if (digits == 15)
            return false;
        mantissa = mantissa * 10 + digit;
        ++digits;
    }
    return digits > 0;
}

// Texts with a decimal point, more digits than fit the fast path, or stray characters.
double convertGeneral(QStringView text, int n, int m, bool trailingOmitted, bool arcVariant)
{
    // The digits are few; a thread-local buffer keeps conversion free of allocations.
    thread_local std::string digits;
    digits.clear();
    bool negative = false;
    bool hasPoint = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const ushort c = text.at(i).unicode();
        if (c == '-' && (!arcVariant || i == 0)) {
            negative = true;
            continue;
        }
        if (c == '+' && i == 0)
            continue; // an explicit sign is allowed by the format
        if (c > 127)
            return 0.0;
        if (c == '.')
            hasPoint = true;
        digits.push_back(char(c));
    }
    const size_t width = size_t(n) + size_t(m);
    if (digits.size() < width) {
        if (trailingOmitted)
            digits.append(width - digits.size(), '0');
        else
            digits.insert(0, width - digits.size(), '0');
    }
    if (!hasPoint || arcVariant)
        digits.insert(size_t(n), 1, '.');
    return parseNumber(digits, negative);
}

inline double convert(QStringView text, int n, int m, bool trailingOmitted, bool arcVariant)
{
    double fast = 0.0;
    if (convertPlainDigits(text, n, m, trailingOmitted, fast))
        return fast;
    return convertGeneral(text, n, m, trailingOmitted, arcVariant);
}

} // namespace

double GerberParser::convertCoordinate(QStringView text, int n, int m, bool trailingOmitted)
{
    return convert(text, n, m, trailingOmitted, false);
}

double GerberParser::convertArcCoordinate(QStringView text, int n, int m, bool trailingOmitted)
{
    return convert(text, n, m, trailingOmitted, true);
}

bool GerberParser::handleCoordinates(QStringView block)
{
    const CoordinateFields fields(block);
    // D text from the end of the block; a block without any "D" repeats the D code of the last
    // coordinate block that had one (a draw when there was none yet).
    QStringView dText;
    QChar dChars[3];
    if (fields.firstD < 0) {
        dText = m_modalDLength == 0 ? QStringView(u"D1") : QStringView(m_modalD, m_modalDLength);
    } else {
        const qsizetype size = block.size();
        const QChar* last = block.data() + size - 4;
        if (size >= 4 && last[0] == QLatin1Char('D') && last[3] == QLatin1Char('*')) {
            int len = 0;
            for (int i = 0; i < 3; ++i) {
                if (last[i] != QLatin1Char('0'))
                    dChars[len++] = last[i];
            }
            dText = QStringView(dChars, len);
        } else if (size >= 4 && last[1] == QLatin1Char('D') && last[3] == QLatin1Char('*')) {
            dText = QStringView(last + 1, 2);
        } else {
            reject("Befehl fehlerhaft - Fehlerauslösender Zeileninhalt:", block);
            return false;
        }
        m_modalDLength = int(dText.size());
        for (int i = 0; i < m_modalDLength; ++i)
            m_modalD[i] = dText[i];
    }
    const bool isDraw = sameAscii(dText, "D1");

    if (!m_haveCurrentPoint && isDraw) {
        Aperture* origin = m_layer.addAperture(Aperture::createDefault());
        if (!m_apertureByName.contains(origin->name))
            m_apertureByName.insert(origin->name, origin);
        m_layer.createObject(origin, 0.0, 0.0, ImageObject::move(), m_layer.darkPolarity);
        m_haveCurrentPoint = true;
        m_currentPoint = QPointF(0.0, 0.0);
        m_layer.visible = true;
        reject("Startposition nicht angefahren - Fehlerauslösender Zeileninhalt:", block);
    }

    const QString& g = m_layer.currentG;
    if (isDraw && (sameAscii(g, "G02") || sameAscii(g, "G03"))) {
        // Files of the older format revision leave out G74/G75: single-quadrant was their default.
        const bool single = m_layer.singleQuadrant || !m_layer.multiQuadrant;
        QStringView text = fields.firstD >= 0 ? block.left(fields.firstD) : block;
        if (text.endsWith(QLatin1Char('*')))
            text.chop(1);
        return readArc(text, single, block);
    }

    if (fields.xBegin < 0 && fields.yBegin < 0) {
        reject("weder X noch Y angegeben - Fehlerauslösender Zeileninhalt:", block);
        return false;
    }
    const bool trailing = isSingleLetter(m_layer.zeroOmission, u'T');
    const bool incremental = isSingleLetter(m_layer.coordinateMode, u'I');
    // A missing axis keeps the current point's value in absolute mode and is 0 otherwise.
    const bool keepAxis = !incremental && m_haveCurrentPoint;
    double x = keepAxis ? m_currentPoint.x() : 0.0;
    double y = keepAxis ? m_currentPoint.y() : 0.0;
    if (fields.xBegin >= 0)
        x = convert(block.mid(fields.xBegin, fields.xEnd - fields.xBegin), m_layer.xIntegerDigits,
            m_layer.xDecimalDigits, trailing, false);
    if (fields.yBegin >= 0)
        y = convert(block.mid(fields.yBegin, fields.yEnd - fields.yBegin), m_layer.yIntegerDigits,
            m_layer.yDecimalDigits, trailing, false);
    if (incremental && m_haveCurrentPoint) {
        x += m_currentPoint.x();
        y += m_currentPoint.y();
    }

    if (m_layer.regionMode) {
        regionPoint(dText, x, y);
    } else {
        createObject(x, y, ObjectKind::fromText(dText));
    }
    return true;
}

bool GerberParser::plainCoordinateLine(std::string_view line)
{
    // What most lines of a layer are: "X123Y-456D01*", "Y789D02*", "X10*", also after "G01" (which
    // selects straight moves first). Anything else, and any state in which such a line would do
    // more than add a point, goes the general way.
    const bool linear = line.size() > 4 && line[0] == 'G' && line[1] == '0' && line[2] == '1';
    if (linear)
        line.remove_prefix(3);
    const char* p = line.data();
    const char* const end = p + line.size();
    if (m_collectingMacro || line.size() < 3 || end[-1] != '*' || (*p != 'X' && *p != 'Y'))
        return false;
    qint64 xMantissa = 0, yMantissa = 0;
    int xDigits = 0, yDigits = 0;
    bool xNegative = false, yNegative = false;
    const bool hasX = *p == 'X';
    if (hasX && !readPlainField(++p, end, xMantissa, xDigits, xNegative))
        return false;
    const bool hasY = p < end && *p == 'Y';
    if (hasY && !readPlainField(++p, end, yMantissa, yDigits, yNegative))
        return false;
    char d = 0; // '1', '2' or '3'; 0 without a D code
    if (*p == 'D') {
        if (end - p == 4 && p[1] == '0')
            d = p[2];
        else if (end - p == 3)
            d = p[1];
        if (d < '1' || d > '3')
            return false;
        p = end - 1;
    }
    if (p != end - 1)
        return false;
    const QString& g = m_layer.currentG;
    if (!linear && (sameAscii(g, "G02") || sameAscii(g, "G03")))
        return false;
    static const char16_t dCodes[3][2] = { { u'D', u'1' }, { u'D', u'2' }, { u'D', u'3' } };
    QStringView dText;
    if (d) {
        dText = QStringView(dCodes[d - '1'], 2);
    } else {
        dText = m_modalDLength == 0 ? QStringView(u"D1") : QStringView(m_modalD, m_modalDLength);
    }
    const bool isDraw = sameAscii(dText, "D1");
    if (isDraw && !m_haveCurrentPoint)
        return false; // the general way reports the missing start position
    if (linear) {
        m_layer.previousG = m_layer.currentG;
        if (!sameAscii(m_layer.currentG, "G01"))
            m_layer.currentG = QStringLiteral("G01");
    }
    if (d) {
        m_modalDLength = 2;
        m_modalD[0] = QLatin1Char('D');
        m_modalD[1] = QLatin1Char(d);
    }

    const bool trailing = isSingleLetter(m_layer.zeroOmission, u'T');
    const bool incremental = isSingleLetter(m_layer.coordinateMode, u'I');
    const bool keepAxis = !incremental && m_haveCurrentPoint;
    double x = keepAxis ? m_currentPoint.x() : 0.0;
    double y = keepAxis ? m_currentPoint.y() : 0.0;
    if (hasX
        && !scalePlainDigits(
            xMantissa, xDigits, xNegative, m_layer.xIntegerDigits, m_layer.xDecimalDigits, trailing, x)) {
        const qsizetype length = xDigits + (line[1] == '-' || line[1] == '+' ? 1 : 0);
        x = convert(QString::fromLatin1(line.data() + 1, int(length)), m_layer.xIntegerDigits,
            m_layer.xDecimalDigits, trailing, false);
    }
    if (hasY
        && !scalePlainDigits(
            yMantissa, yDigits, yNegative, m_layer.yIntegerDigits, m_layer.yDecimalDigits, trailing, y)) {
        const char* yText = static_cast<const char*>(memchr(line.data(), 'Y', line.size())) + 1;
        const qsizetype length = yDigits + (*yText == '-' || *yText == '+' ? 1 : 0);
        y = convert(QString::fromLatin1(yText, int(length)), m_layer.yIntegerDigits, m_layer.yDecimalDigits,
            trailing, false);
    }
    if (incremental && m_haveCurrentPoint) {
        x += m_currentPoint.x();
        y += m_currentPoint.y();
    }
    if (m_layer.regionMode) {
        regionPoint(dText, x, y);
    } else {
        createObject(x, y, d ? ObjectKind(ObjectKind::Code(d - '0')) : ObjectKind::fromText(dText));
    }
    return true;
}

void GerberParser::regionPoint(QStringView dText, double x, double y)
{
    if (sameAscii(dText, "D2") && m_layer.currentRegion)
        closeRegion();
    if (!m_layer.currentRegion)
        m_layer.currentRegion = new QPolygonF;
    m_layer.currentRegion->append(QPointF(x, y));
    m_currentPoint = QPointF(x, y);
    m_haveCurrentPoint = true;
}

void GerberParser::closeRegion()
{
    QPolygonF* polygon = m_layer.currentRegion;
    if (!polygon)
        return;
    m_layer.currentRegion = nullptr;
    if (!polygon->isEmpty())
        polygon->append(polygon->first());
    m_layer.addRegion(polygon, m_layer.darkPolarity);
}

Aperture* GerberParser::objectAperture()
{
    if (m_layer.currentAperture)
        return m_layer.currentAperture;
    if (!m_defaultAperture)
        m_defaultAperture = m_layer.adoptAperture(Aperture::createDefault());
    return m_defaultAperture;
}

void GerberParser::createObject(double x, double y, ObjectKind kind)
{
    m_layer.createObject(objectAperture(), x, y, kind, m_layer.darkPolarity);
    m_currentPoint = QPointF(x, y);
    m_haveCurrentPoint = true;
}
