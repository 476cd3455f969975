#include "gerber/aperturemacroreader.h"

#include "gerber/decimaltext.h"
#include "gerber/gerberlayer.h"
#include "gerber/macroexpression.h"
#include "model/debuglog.h"

#include <QDebug>
#include <QVarLengthArray>
#include <QVector>
#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// Bounds for numbers taken from the file: a polygon of more vertices or a moiré of more
// rings than these is not a drawing anyone made, and must not exhaust memory.
constexpr int maxPolygonVertices = 1000;
constexpr int maxMoireRings = 10000;

// A count taken from a modifier: the fraction is cut off; zero for negative numbers and for what
// is not a number, `limit` for anything larger (converting those to int directly is undefined).
int countFrom(double value, int limit)
{
    if (!(value > 0.0))
        return 0;
    return value >= double(limit) ? limit : int(value);
}

QPointF rotated(double x, double y, double degrees)
{
    const double a = degrees * M_PI / 180.0;
    const double c = std::cos(a);
    const double s = std::sin(a);
    return QPointF(x * c - y * s, x * s + y * c);
}

// A modifier's value. Plain decimals ("-.092345", "0.005", "20") are read directly; anything else
// (exponents, spaces, long digit strings, garbage) goes through toDouble.
double modifierValue(QStringView text)
{
    PlainDecimal plain;
    if (!plain.read(text, true) || plain.digits == 0)
        return text.toString().toDouble();
    const double value = double(plain.mantissa) / exactPowerOfTen(plain.decimals);
    return plain.negative ? -value : value;
}

// The comma-separated modifiers of one primitive, as views into its text (empty pieces kept).
using Modifiers = QVarLengthArray<QStringView, 24>;

void splitModifiers(QStringView primitive, Modifiers& out)
{
    out.clear();
    qsizetype from = 0;
    for (qsizetype i = 0; i < primitive.size(); ++i) {
        if (primitive.at(i) == QLatin1Char(',')) {
            out.append(primitive.mid(from, i - from));
            from = i + 1;
        }
    }
    out.append(primitive.mid(from));
}

class Expansion
{
public:
    using Values = QVarLengthArray<double, 24>;

    explicit Expansion(const Modifiers& modifiers)
        : n(int(modifiers.size()))
    {
        values.reserve(n);
        for (const QStringView t : modifiers)
            values.append(modifierValue(t));
    }
    explicit Expansion(const Values& evaluated)
        : n(int(evaluated.size()))
        , values(evaluated)
    { }

    double d(int k) const { return k < values.size() ? values.at(k) : 0.0; }
    int count() const { return n; }

    void circle(MacroImage& image, int index, bool dark, QPointF centre, double diameter) const
    {
        MacroPrimitive p;
        p.shape = QStringLiteral("C");
        p.x = centre.x();
        p.y = centre.y();
        p.width = diameter;
        p.height = diameter;
        image.primitives.insert(index, p);
        image.exposures.insert(index, dark);
        image.indexes.append(index);
    }

    static MacroPrimitive line(QPointF a, QPointF b, double thickness)
    {
        MacroPrimitive p;
        p.shape = QStringLiteral("L");
        p.x = a.x();
        p.y = a.y();
        p.x2 = b.x();
        p.y2 = b.y();
        p.width = thickness;
        return p;
    }

    int n;
    Values values;
};

// Outline: exposure, n, then the start point and n further points (the last one meant to close the
// outline on the start), then the rotation. A closing point equal to the start is left out of the
// polygon, which closes by itself; one that differs is a vertex like the others. A file that
// gives fewer points than n asks for has its last modifier read as the rotation.
void outline(MacroImage& image, int index, const Expansion& x)
{
    const int n = countFrom(x.d(2), x.count());
    const bool complete = 5 + 2 * n < x.count();
    const double rotation = x.d(complete ? 5 + 2 * n : x.count() - 1);
    QPolygonF polygon;
    for (int k = 0; k <= n && 4 + 2 * k < x.count() - 1; ++k)
        polygon.append(QPointF(x.d(3 + 2 * k), x.d(4 + 2 * k)));
    if (polygon.size() > 1 && polygon.size() == n + 1 && polygon.last() == polygon.first())
        polygon.removeLast();
    for (QPointF& p : polygon)
        p = rotated(p.x(), p.y(), rotation);
    image.polygons.insert(index, polygon);
}

void regularPolygon(MacroImage& image, int index, const Expansion& x)
{
    const int n = countFrom(x.d(2), maxPolygonVertices + 1);
    if (n < 3 || n > maxPolygonVertices)
        return;
    const QPointF centre(x.d(3), x.d(4));
    const double radius = x.d(5) / 2.0;
    QPolygonF polygon;
    for (int i = 0; i < n; ++i) {
        const double a = (i * 360.0 / n + x.d(6)) * M_PI / 180.0;
        polygon.append(centre + QPointF(radius * std::cos(a), radius * std::sin(a)));
    }
    polygon.append(polygon.first());
    image.polygons.insert(index, polygon);
}

// A vertical and a horizontal line of `length` and `thickness` crossing at `centre`, rotated about
// the origin, at `index` and `index + 1`.
void crossHair(
    MacroImage& image, int index, QPointF centre, double length, double thickness, double rotation, bool dark)
{
    const double half = length / 2.0;
    const double mx = centre.x(), my = centre.y();
    const MacroPrimitive lines[2] = {
        Expansion::line(rotated(mx, my - half, rotation), rotated(mx, my + half, rotation), thickness),
        Expansion::line(rotated(mx - half, my, rotation), rotated(mx + half, my, rotation), thickness),
    };
    for (int k = 0; k < 2; ++k) {
        image.primitives.insert(index + k, lines[k]);
        image.exposures.insert(index + k, dark);
        image.indexes.append(index + k);
    }
}

// Moiré: rings of dark and clear circles and a dark cross-hair; returns the extra indexes used.
// Thickness and gap are radial: each ring's outer diameter is 2 * (thickness + gap) below the
// one before, its hole 2 * thickness below its outer diameter; a ring without room for a hole
// is a disc, and rings stop where no diameter is left.
int moire(MacroImage& image, int index, const Expansion& x)
{
    const double rotation = x.d(9);
    const QPointF c = rotated(x.d(1), x.d(2), rotation);
    const int rings = countFrom(x.d(6), maxMoireRings);
    const double thickness = x.d(4);
    const double gap = x.d(5);
    int extra = 0;
    for (int i = 0; i < rings; ++i) {
        const double outer = x.d(3) - 2.0 * (thickness + gap) * i;
        if (!(outer > 0.0))
            break;
        x.circle(image, index + extra, true, c, outer);
        x.circle(image, index + extra + 1, false, c, qMax(0.0, outer - 2.0 * thickness));
        extra += 2;
    }
    crossHair(image, index + extra, QPointF(x.d(1), x.d(2)), x.d(8), x.d(7), rotation, true);
    return extra + 1;
}

// Thermal: a dark disc, a clear hole and two clear gap lines; always three extra indexes.
int thermal(MacroImage& image, int index, const Expansion& x)
{
    const double rotation = x.d(6);
    const QPointF c = rotated(x.d(1), x.d(2), rotation);
    x.circle(image, index, true, c, x.d(3));
    x.circle(image, index + 1, false, c, x.d(4));
    crossHair(image, index + 2, QPointF(x.d(1), x.d(2)), x.d(3), x.d(5), rotation, false);
    return 3;
}

bool handledCode(int code)
{
    return code == 1 || code == 2 || code == 4 || code == 5 || code == 6 || code == 7 || code == 20
        || code == 21 || code == 22;
}

// Adds primitive `code` at `index` (too few modifiers add nothing) and returns the extra indexes
// it used beyond its own. Circles, outlines and lines take their exposure from `dark`.
int addPrimitive(MacroImage& image, int code, const Expansion& x, int index, bool dark)
{
    const int n = x.count();
    int extra = 0;
    switch (code) {
    case 1:
        if (n >= 5) {
            const QPointF c = n >= 6 ? rotated(x.d(3), x.d(4), x.d(5)) : QPointF(x.d(3), x.d(4));
            MacroPrimitive prim;
            prim.shape = QStringLiteral("C");
            prim.x = c.x();
            prim.y = c.y();
            prim.width = x.d(2);
            prim.height = x.d(2);
            image.primitives.insert(index, prim);
        }
        break;
    case 4:
        if (n >= 8)
            outline(image, index, x);
        break;
    case 5:
        if (n >= 7)
            regularPolygon(image, index, x);
        break;
    case 6:
        if (n >= 10)
            extra = moire(image, index, x);
        break;
    case 7:
        if (n >= 7)
            extra = thermal(image, index, x);
        break;
    case 2: // the older code of the vector line
    case 20:
        if (n >= 7) {
            const double r = n >= 8 ? x.d(7) : 0.0;
            image.primitives.insert(
                index, Expansion::line(rotated(x.d(3), x.d(4), r), rotated(x.d(5), x.d(6), r), x.d(2)));
        }
        break;
    case 21:
        if (n >= 6) {
            const double r = n >= 7 ? x.d(6) : 0.0;
            const double half = x.d(2) / 2.0;
            image.primitives.insert(index,
                Expansion::line(
                    rotated(x.d(4) - half, x.d(5), r), rotated(x.d(4) + half, x.d(5), r), x.d(3)));
        }
        break;
    case 22: // lower-left line: a rectangle given by its lower left corner
        if (n >= 6) {
            const double r = n >= 7 ? x.d(6) : 0.0;
            const double middle = x.d(5) + x.d(3) / 2.0;
            image.primitives.insert(index,
                Expansion::line(rotated(x.d(4), middle, r), rotated(x.d(4) + x.d(2), middle, r), x.d(3)));
        }
        break;
    }
    if (code != 6 && code != 7) {
        image.exposures.insert(index, dark);
        image.indexes.append(index);
    }
    return extra;
}

void rejectExpression(QStringView text, const QString& reason)
{
    qDebug().noquote() << QStringLiteral("Makroausdruck fehlerhaft - Fehlerauslösender Zeileninhalt:")
                       << text.toString() + QStringLiteral(" (") + reason + QLatin1Char(')');
}

void rejectCode(QStringView code)
{
    qDebug().noquote() << QStringLiteral("Parameter: ") + code.toString();
}

// $1...$n: the aperture's modifiers after the macro name, separated by "X".
MacroVariables apertureVariables(QStringView block)
{
    MacroVariables variables;
    // The D-code and the macro's name come first and hold no ",".
    const qsizetype comma = block.indexOf(QLatin1Char(','));
    if (comma < 0)
        return variables;
    QStringView text = block.mid(comma + 1);
    const qsizetype star = text.indexOf(QLatin1Char('*'));
    if (star >= 0)
        text = text.left(star);
    quint32 number = 1;
    qsizetype from = 0;
    for (;;) {
        const qsizetype x = text.indexOf(QLatin1Char('X'), from);
        variables.set(number++, modifierValue(text.mid(from, x < 0 ? -1 : x - from).trimmed()));
        if (x < 0)
            return variables;
        from = x + 1;
    }
}

// The primitives of a macro that uses variables: definitions assign in order, every modifier of
// a primitive is an expression over the variables as they stand at that primitive.
bool expandWithVariables(MacroImage& image, QStringView block, const ApertureMacro& macro)
{
    MacroVariables variables = apertureVariables(block);
    Modifiers modifiers;
    Expansion::Values values;
    int index = 0;
    QString reason;
    for (const QString& primitive : macro.primitives) {
        quint32 number = 0;
        QStringView expression;
        double value = 0.0;
        if (MacroExpression::splitDefinition(primitive, &number, &expression)) {
            if (!MacroExpression::evaluate(expression, variables, &value, &reason)) {
                rejectExpression(primitive, reason);
                return false;
            }
            variables.set(number, value);
            continue;
        }
        splitModifiers(primitive, modifiers);
        values.clear();
        for (const QStringView m : modifiers) {
            if (!MacroExpression::evaluate(m, variables, &value, &reason)) {
                rejectExpression(primitive, reason);
                return false;
            }
            values.append(value);
        }
        const double codeValue = values.first();
        const int code = codeValue >= 0.0 && codeValue <= 99.0 && codeValue == std::floor(codeValue)
            ? int(codeValue)
            : -1;
        if (!handledCode(code)) {
            rejectCode(modifiers.first());
            return false;
        }
        const Expansion x(values);
        index += 1 + addPrimitive(image, code, x, index, x.count() > 1 && x.d(1) == 1.0);
    }
    return true;
}

// The primitives of a macro without variables, each modifier a plain number.
bool expandPlain(MacroImage& image, const ApertureMacro& macro)
{
    Modifiers modifiers;
    int index = 0;
    for (const QString& primitive : macro.primitives) {
        splitModifiers(primitive, modifiers);
        const int code = modifiers.first().toInt();
        if (!handledCode(code)) {
            rejectCode(modifiers.first());
            return false;
        }
        const bool dark = modifiers.size() > 1 && modifiers.at(1) == QLatin1String("1");
        index += 1 + addPrimitive(image, code, Expansion(modifiers), index, dark);
    }
    return true;
}

} // namespace

bool ApertureMacroReader::define(GerberLayer& layer, const QString& text)
{
    const QStringList pieces = text.split(QLatin1Char('*'));
    if (pieces.size() > maxPrimitives + 2) {
        int primitives = 0;
        for (const QString& piece : pieces)
            primitives
                += piece.isEmpty() || piece.front() == QLatin1Char('0') || piece.front() == QLatin1Char('%')
                ? 0
                : 1;
        if (primitives > maxPrimitives) // the name's piece starts with "%" and is not counted
            return false;
    }
    auto* macro = layer.addMacro(new ApertureMacro);
    macro->name = pieces.first().mid(3);
    for (int i = 1; i < pieces.size(); ++i) {
        const QString& piece = pieces.at(i);
        // Comments go first: some writers name the variables in them ("0 $1 Rounding radius").
        // An empty piece (a doubled "*") holds no primitive.
        if (piece.isEmpty() || piece.front() == QLatin1Char('0') || piece.front() == QLatin1Char('%'))
            continue;
        if (piece.contains(QLatin1Char('$')))
            macro->hasVariables = true;
        qCDebug(defaultLog).noquote() << piece;
        macro->primitives.append(piece);
    }
    return true;
}

Aperture* ApertureMacroReader::expand(QStringView block, const ApertureMacro& macro)
{
    qCDebug(defaultLog).noquote() << "Macro found";
    auto image = std::make_unique<MacroImage>();
    if (!(macro.hasVariables ? expandWithVariables(*image, block, macro) : expandPlain(*image, macro)))
        return nullptr;

    // The name runs up to the macro's name, which ends at the first "," or "*".
    qsizetype stop = 0;
    while (stop < block.size() && block.at(stop) != QLatin1Char(',') && block.at(stop) != QLatin1Char('*'))
        ++stop;
    const qsizetype end = std::max<qsizetype>(3, stop - macro.name.size());
    QString texts[Aperture::ParameterCount]
        = { QStringLiteral("0.005"), QStringLiteral("x"), QStringLiteral("x"), QStringLiteral("x") };
    auto* aperture = new Aperture(block.mid(3, end - 3).toString(), QStringLiteral("C"), texts);
    aperture->macroImage = std::move(image);
    return aperture;
}
