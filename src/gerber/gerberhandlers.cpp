// Handlers of the format, mode, polarity, aperture, D and G blocks.
#include "gerber/aperturemacroreader.h"
#include "gerber/gerberlayer.h"
#include "gerber/gerberparser.h"
#include "model/numbertext.h"

#include <QDebug>
#include <cmath>

namespace {

QChar charAt(QStringView text, qsizetype i)
{
    return i >= 0 && i < text.size() ? text.at(i) : QChar();
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

int digitAt(QStringView text, qsizetype i)
{
    const QChar c = charAt(text, i);
    return isDigit(c) ? c.unicode() - '0' : 0;
}

// "D[1-9]?[0-9]?" on the three characters from position 3, else "D[1-9][0-9]{2}" or
// "D[0-9]{3}" on the four characters from there.
bool validDCode(QStringView block)
{
    const QStringView three = block.mid(3, 3);
    if (!three.isEmpty() && three.at(0) == QLatin1Char('D')) {
        bool ok = true;
        if (three.size() == 2)
            ok = isDigit(three.at(1));
        else if (three.size() == 3)
            ok = isDigit(three.at(1)) && three.at(1) != QLatin1Char('0') && isDigit(three.at(2));
        if (ok)
            return true;
    }
    const QStringView four = block.mid(3, 4);
    return four.size() == 4 && four.at(0) == QLatin1Char('D') && isDigit(four.at(1)) && isDigit(four.at(2))
        && isDigit(four.at(3));
}

// The template of an aperture definition: what follows the D-code's digits, up to the first ","
// or "*" ("RECT" in "%ADD11RECT,1X2*%").
QStringView templateName(QStringView block)
{
    qsizetype from = 4; // after "%ADD"
    while (from < block.size() && isDigit(block.at(from)))
        ++from;
    qsizetype to = from;
    while (to < block.size() && block.at(to) != QLatin1Char(',') && block.at(to) != QLatin1Char('*'))
        ++to;
    return block.mid(from, to - from);
}

// Copies `block` without any occurrence of `command`; a view when only a leading one is removed.
QStringView withoutCommand(QStringView block, QStringView command, QString& storage)
{
    if (block.startsWith(command) && block.indexOf(command, command.size()) < 0)
        return block.mid(command.size());
    storage = block.toString();
    storage.remove(command.toString());
    return QStringView(storage);
}

bool hasAny(QStringView block, const char* letters)
{
    for (const char* p = letters; *p; ++p) {
        if (block.contains(QLatin1Char(*p)))
            return true;
    }
    return false;
}

} // namespace

bool GerberParser::handleFormat(QStringView block)
{
    // Some writers leave out the zero-omission letter (%FSAX24Y24*%): leading zeros are then
    // omitted, as every reader of the format assumes.
    QChar omission = charAt(block, 3);
    qsizetype modeAt = 4;
    if (omission == QLatin1Char('A') || omission == QLatin1Char('I')) {
        omission = QLatin1Char('L');
        modeAt = 3;
    }
    if (omission != QLatin1Char('L') && omission != QLatin1Char('T')) {
        reject("FS-L/T - Fehlerauslösender Zeileninhalt:", block);
        return false;
    }
    m_layer.zeroOmission = QString(omission);
    const QChar mode = charAt(block, modeAt);
    if (mode != QLatin1Char('A') && mode != QLatin1Char('I')) {
        reject("FS-A/I - Fehlerauslösender Zeileninhalt:", block);
        return false;
    }
    m_layer.coordinateMode = QString(mode);
    const qsizetype x = block.indexOf(QLatin1Char('X'));
    const qsizetype y = block.indexOf(QLatin1Char('Y'));
    m_layer.xIntegerDigits = x >= 0 ? digitAt(block, x + 1) : 0;
    m_layer.xDecimalDigits = x >= 0 ? digitAt(block, x + 2) : 0;
    m_layer.yIntegerDigits = y >= 0 ? digitAt(block, y + 1) : 0;
    m_layer.yDecimalDigits = y >= 0 ? digitAt(block, y + 2) : 0;
    return true;
}

bool GerberParser::handleMode(QStringView block)
{
    const QStringView unit = block.mid(3, 2);
    if (unit == QLatin1String("IN")) {
        m_layer.unit = QStringLiteral("IN");
        m_layer.unitFactor = 25.4;
    } else if (unit == QLatin1String("MM")) {
        m_layer.unit = QStringLiteral("MM");
        m_layer.unitFactor = 1.0;
    } else {
        reject("MO IN/MM - Fehlerauslösender Zeileninhalt:", block);
        return false;
    }
    if (charAt(block, 5) != QLatin1Char('*')) {
        reject("MO Ende - Fehlerauslösender Zeileninhalt:", block);
        return false;
    }
    return true;
}

bool GerberParser::handleLayerPolarity(QStringView block)
{
    const QChar p = charAt(block, 3);
    if (p != QLatin1Char('C') && p != QLatin1Char('D')) {
        reject("LP C/D - Fehlerauslösender Zeileninhalt:", block);
        return false;
    }
    m_layer.polarity = QString(p);
    // In a negative image what a file draws "dark" shows as clear, and the other way round.
    m_layer.darkPolarity = (p == QLatin1Char('D')) != m_layer.negativeImage;
    if (charAt(block, 4) != QLatin1Char('*')) {
        reject("LP Ende - Fehlerauslösender Zeileninhalt:", block);
        return false;
    }
    return true;
}

void GerberParser::handleImagePolarity(QStringView block)
{
    const bool positive = block.mid(3, 3) == QLatin1String("POS");
    m_layer.polarity = positive ? QStringLiteral("D") : QStringLiteral("C");
    m_layer.darkPolarity = positive;
    m_layer.negativeImage = !positive;
}

bool GerberParser::handleApertureDefinition(QStringView block)
{
    if (!block.contains(QLatin1Char('*'))) {
        reject("AD Ende - Fehlerauslösender Zeileninhalt:", block);
        return false;
    }
    if (!validDCode(block)) {
        reject("D-Code ungültig - Fehlerauslösender Zeileninhalt:", block);
        return false;
    }

    // Parameters follow the last ",", up to the first "*", separated by "X". A block without a
    // "," has no parameters (rather than taking its own head "%ADD10C" as a diameter).
    QString texts[Aperture::ParameterCount];
    for (QString& t : texts)
        t = QStringLiteral("x");
    const qsizetype comma = block.lastIndexOf(QLatin1Char(','));
    if (comma >= 0) {
        QStringView last = block.mid(comma + 1);
        const qsizetype star = last.indexOf(QLatin1Char('*'));
        if (star >= 0)
            last = last.left(star);
        int slot = 0;
        qsizetype from = 0;
        while (slot < Aperture::ParameterCount) {
            const qsizetype x = last.indexOf(QLatin1Char('X'), from);
            texts[slot++] = last.mid(from, x < 0 ? -1 : x - from).toString();
            if (x < 0)
                break;
            from = x + 1;
        }
    }

    // The template is named exactly: "RECT" must not pick a macro "ROUNDRECT", nor the other way
    // round. A macro defined twice under one name is used as last defined.
    const QList<ApertureMacro*>& macros = m_layer.macros();
    if (macros.size() < m_macrosIndexed) { // the layer dropped macros: index them afresh
        m_macroByName.clear();
        m_macrosIndexed = 0;
    }
    for (; m_macrosIndexed < macros.size(); ++m_macrosIndexed) {
        ApertureMacro* m = macros.at(m_macrosIndexed);
        if (!m->name.isEmpty())
            m_macroByName.insert(m->name, m);
    }
    ApertureMacro* macro = m_macroByName.value(templateName(block).toString(), nullptr);
    Aperture* aperture = nullptr;
    if (macro) {
        m_expandedPrimitives += macro->primitives.size();
        if (m_expandedPrimitives > ApertureMacroReader::maxExpandedPrimitives) {
            refuse(QStringLiteral("the apertures ask for %1 macro primitives so far; at most %2 are read")
                       .arg(m_expandedPrimitives)
                       .arg(ApertureMacroReader::maxExpandedPrimitives),
                block);
            return false;
        }
        aperture = ApertureMacroReader::expand(block, *macro);
        if (!aperture)
            return false;
    } else {
        static const char shapes[] = { 'C', 'O', 'R', 'P' };
        QChar shape;
        for (char s : shapes) {
            if (block.contains(QLatin1Char(s))) {
                shape = QLatin1Char(s);
                break;
            }
        }
        if (shape.isNull()) {
            reject("unbekannte Shape - Fehlerauslösender Zeileninhalt:", block);
            return false;
        }
        if (shape == QLatin1Char('P')) {
            bool ok = false;
            const int corners = texts[1].toInt(&ok);
            if (!ok || corners < 3 || corners > 12) {
                reject("Polygon hat ungültige Anzahl an Ecken - Fehlerauslösender Zeileninhalt:", block);
                return false;
            }
        }
        const qsizetype end = block.lastIndexOf(shape);
        aperture = new Aperture(block.mid(3, end - 3).toString(), QString(shape), texts);
        // Sizes no board has would reach the drawing as absurd extents; a polygon's second and
        // third values are its corners and rotation.
        for (int i = 0; i < Aperture::ParameterCount; ++i) {
            const double value = aperture->parameterValue[i];
            if ((shape != QLatin1Char('P') || i == 0 || i == 3)
                && !(std::fabs(value) * m_layer.unitFactor <= 10000.0)) {
                refuse(QStringLiteral("the aperture size is %1; sizes must be finite and within 10 m")
                           .arg(NumberText::format(value)),
                    block);
                delete aperture;
                return false;
            }
        }
    }
    m_layer.addAperture(aperture);
    if (!m_apertureByName.contains(aperture->name))
        m_apertureByName.insert(aperture->name, aperture);
    return true;
}

bool GerberParser::handleDBlock(QStringView block)
{
    // In a region a lone D02 is a move to the current point: it closes the contour being
    // built, and the next draws start a new one there. Each contour is a region of its own, so
    // overlapping contours add up instead of cancelling out.
    if (m_layer.regionMode && m_layer.currentRegion
        && (block == QLatin1String("D2*") || block == QLatin1String("D02*"))) {
        regionPoint(QStringView(u"D2"), m_currentPoint.x(), m_currentPoint.y());
        m_modalD[0] = QLatin1Char('D');
        m_modalD[1] = QLatin1Char('2');
        m_modalDLength = 2;
        return true;
    }
    if (!m_layer.apertures().isEmpty()) {
        // On its own a D01 or D02 draws nothing but sets the code that the next coordinates
        // without one repeat, as P-CAD writes "D2*" before its first bare coordinate.
        const bool draw = block == QLatin1String("D1*") || block == QLatin1String("D01*");
        if (draw || block == QLatin1String("D2*") || block == QLatin1String("D02*")) {
            m_modalD[0] = QLatin1Char('D');
            m_modalD[1] = QLatin1Char(draw ? '1' : '2');
            m_modalDLength = 2;
            return true;
        }
        if (block == QLatin1String("D3*") || block == QLatin1String("D03*")) {
            // Without a current point the flash goes to the origin, as the file's first
            // coordinate would have been measured from there.
            createObject(m_currentPoint.x(), m_currentPoint.y(), ImageObject::flash());
            return true;
        }
    }
    return selectAperture(block);
}

bool GerberParser::selectAperture(QStringView block)
{
    if (block.endsWith(QLatin1Char('*'))) {
        const QString key = QString::fromRawData(block.data(), int(block.size() - 1));
        if (Aperture* a = m_apertureByName.value(key, nullptr)) {
            m_layer.currentAperture = a;
            return true;
        }
    }
    reject("D-Code unbekannt - Fehlerauslösender Zeileninhalt:", block);
    QString tried = block.toString();
    for (int retry = 0; retry < 2; ++retry) {
        tried.insert(1, QLatin1Char('0'));
        qDebug().noquote() << tried;
        for (Aperture* a : m_layer.apertures()) {
            const QString candidate = a->name + QLatin1Char('*');
            qDebug().noquote() << (tried + QLatin1String(" = ") + candidate + QLatin1Char('?'));
            if (candidate == tried) {
                m_layer.currentAperture = a;
                return true;
            }
        }
    }
    return false;
}

bool GerberParser::handleGBlock(QStringView block)
{
    m_layer.previousG = m_layer.currentG;
    const QStringView command = block.left(3);
    if (m_layer.currentG != command)
        m_layer.currentG = command.toString();
    const QString& g = m_layer.currentG;
    QString storage;

    if (g == QLatin1String("G37")) {
        closeRegion();
        m_layer.regionMode = false;
    } else if (g == QLatin1String("G36")) {
        m_layer.regionMode = true;
    } else if (g == QLatin1String("G74")) {
        m_layer.singleQuadrant = true;
        m_layer.multiQuadrant = false;
    } else if (g == QLatin1String("G75")) {
        m_layer.multiQuadrant = true;
        m_layer.singleQuadrant = false;
    } else if (g == QLatin1String("G01") || g.startsWith(QLatin1String("G1"))) {
        if (g != QLatin1String("G01"))
            m_layer.currentG = QStringLiteral("G01");
        if (hasAny(block, "XY"))
            return handleCoordinates(withoutCommand(block, u"G01", storage));
    } else if (g == QLatin1String("G02") || g == QLatin1String("G03")) {
        if (hasAny(block, "XYIJ"))
            return handleCoordinates(withoutCommand(block, QStringView(g), storage));
    } else if (g == QLatin1String("G04")) {
        m_layer.currentG = m_layer.previousG;
    } else if (g == QLatin1String("G54")) {
        // "G54*" alone selects nothing; only a D-code after it is read.
        const qsizetype d = block.indexOf(QLatin1Char('D'));
        if (d >= 0)
            return handleDBlock(block.mid(d));
    } else if (g == QLatin1String("G70")) {
        m_layer.unitFactor = 25.4;
        m_layer.currentG = m_layer.previousG;
    } else if (g == QLatin1String("G71")) {
        m_layer.unitFactor = 1.0;
        m_layer.currentG = m_layer.previousG;
    } else if (g == QLatin1String("G90")) {
        m_layer.coordinateMode = QStringLiteral("A");
        m_layer.currentG = m_layer.previousG;
    } else if (g == QLatin1String("G91")) {
        m_layer.coordinateMode = QStringLiteral("I");
        m_layer.currentG = m_layer.previousG;
    }
    return true;
}
