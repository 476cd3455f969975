// Circular interpolation: an arc block is flattened into one-degree chords at load time.
#include "gerber/gerberlayer.h"
#include "gerber/gerberparser.h"

#include <cmath>

namespace {

constexpr double degreesPerRadian = 180.0 / M_PI;

// Cosine and sine of every whole degree, computed as the chords would compute them one by one.
struct DegreeTable
{
    double cosine[360];
    double sine[360];
    DegreeTable()
    {
        for (int angle = 0; angle < 360; ++angle) {
            const double rad = angle / degreesPerRadian;
            cosine[angle] = std::cos(rad);
            sine[angle] = std::sin(rad);
        }
    }
};

const DegreeTable& degrees()
{
    static const DegreeTable table;
    return table;
}

double polarAngle(double dx, double dy)
{
    double a = std::atan2(dy, dx) * degreesPerRadian;
    if (a < 0.0)
        a += 360.0;
    if (a >= 360.0)
        a -= 360.0;
    return a;
}

// Degrees travelled from `s` to `e` about `c`: positive counter-clockwise, negative clockwise.
double sweepAbout(QPointF c, QPointF s, QPointF e, bool counterClockwise)
{
    double sweep = counterClockwise
        ? polarAngle(e.x() - c.x(), e.y() - c.y()) - polarAngle(s.x() - c.x(), s.y() - c.y())
        : polarAngle(s.x() - c.x(), s.y() - c.y()) - polarAngle(e.x() - c.x(), e.y() - c.y());
    if (sweep < 0.0)
        sweep += 360.0;
    return counterClockwise ? sweep : -sweep;
}

// In single-quadrant mode I and J are distances without sign: of the four centres they allow,
// the arc's is the one about which start and end lie at the same radius (up to rounding in the
// file) and the arc turns by at most a quarter.
QPointF singleQuadrantCentre(QPointF s, QPointF e, double i, double j, bool counterClockwise)
{
    i = std::fabs(i);
    j = std::fabs(j);
    QPointF best(s.x() + i, s.y() + j);
    bool bestTooLong = true;
    double bestMismatch = HUGE_VAL;
    for (const QPointF sign : { QPointF(1, 1), QPointF(-1, 1), QPointF(1, -1), QPointF(-1, -1) }) {
        const QPointF c(s.x() + sign.x() * i, s.y() + sign.y() * j);
        // A hair over 90 degrees is still a quarter: the end point is rounded to the file's digits.
        // Should no choice turn by a quarter at most, the one nearest a true arc is taken.
        const bool tooLong = std::fabs(sweepAbout(c, s, e, counterClockwise)) > 90.5;
        const double mismatch = std::fabs(std::hypot(e.x() - c.x(), e.y() - c.y()) - std::hypot(i, j));
        if ((bestTooLong && !tooLong) || (tooLong == bestTooLong && mismatch < bestMismatch)) {
            bestTooLong = tooLong;
            bestMismatch = mismatch;
            best = c;
        }
    }
    return best;
}

} // namespace

bool GerberParser::readArc(QStringView text, bool singleQuadrant, QStringView block)
{
    // Each of X, Y, I, J runs from after its letter to before the next of these letters.
    static const char letters[4] = { 'X', 'Y', 'I', 'J' };
    qsizetype at[4];
    for (int k = 0; k < 4; ++k)
        at[k] = text.indexOf(QLatin1Char(letters[k]));
    QStringView field[4];
    for (int k = 0; k < 4; ++k) {
        if (at[k] < 0) {
            field[k] = u"0";
            continue;
        }
        qsizetype end = text.size();
        for (int j = k + 1; j < 4; ++j) {
            if (at[j] > at[k]) {
                end = at[j];
                break;
            }
        }
        field[k] = text.mid(at[k] + 1, end - at[k] - 1);
    }
    m_layer.arcXMissing = at[0] < 0;
    m_layer.arcYMissing = at[1] < 0;

    const bool trailing = m_layer.zeroOmission == QLatin1String("T");
    const int xn = m_layer.xIntegerDigits, xm = m_layer.xDecimalDigits;
    const int yn = m_layer.yIntegerDigits, ym = m_layer.yDecimalDigits;
    const double x = convertArcCoordinate(field[0], xn, xm, trailing);
    const double y = convertArcCoordinate(field[1], yn, ym, trailing);
    const double i = convertArcCoordinate(field[2], xn, xm, trailing);
    const double j = convertArcCoordinate(field[3], yn, ym, trailing);

    const QPointF s = m_currentPoint;
    QPointF e;
    if (m_layer.coordinateMode == QLatin1String("I"))
        e = QPointF(s.x() + x, s.y() + y);
    else
        e = QPointF(m_layer.arcXMissing ? s.x() : x, m_layer.arcYMissing ? s.y() : y);

    const double r = std::sqrt(i * i + j * j);
    const bool counterClockwise = m_layer.currentG == QLatin1String("G03");
    const QPointF c
        = singleQuadrant ? singleQuadrantCentre(s, e, i, j, counterClockwise) : QPointF(s.x() + i, s.y() + j);
    const double startAngle = polarAngle(s.x() - c.x(), s.y() - c.y());
    double sweep = sweepAbout(c, s, e, counterClockwise);
    if (s == e && !singleQuadrant)
        sweep = counterClockwise ? 360.0 : -360.0;

    // Whole degrees: a clockwise arc starts at the next whole degree above its exact start.
    const int a0 = counterClockwise ? int(std::trunc(startAngle)) : 360 - int(std::trunc(360.0 - startAngle));
    const int steps = int(std::trunc(std::fabs(sweep)));
    const bool finite = std::isfinite(r) && std::isfinite(c.x()) && std::isfinite(c.y());
    m_arcPoints += qMax(1, steps);
    if (m_arcPoints > maxArcPoints) {
        refuse(QStringLiteral("the arcs ask for more than %1 points so far; at most %1 are drawn")
                   .arg(maxArcPoints),
            block);
        return false;
    }

    Aperture* aperture = objectAperture();
    m_layer.arcAperture = aperture;
    const bool region = m_layer.regionMode;
    if (region && !m_layer.currentRegion) {
        m_layer.currentRegion = new QPolygonF;
        m_layer.currentRegion->append(s);
    }
    auto emitPoint = [&](const QPointF& p) {
        if (region)
            m_layer.currentRegion->append(p);
        else
            m_layer.createObject(aperture, p.x(), p.y(), ImageObject::draw(), m_layer.darkPolarity);
    };
    const DegreeTable& table = degrees();
    for (int k = 1; finite && k < steps; ++k) {
        int angle = (counterClockwise ? a0 + k : a0 - k) % 360;
        if (angle < 0)
            angle += 360;
        emitPoint(QPointF(c.x() + r * table.cosine[angle], c.y() + r * table.sine[angle]));
    }
    emitPoint(e);
    if (region)
        m_layer.createObject(aperture, e.x(), e.y(), ImageObject::move(), m_layer.darkPolarity);
    m_currentPoint = e;
    m_haveCurrentPoint = true;
    m_layer.arcXMissing = false;
    m_layer.arcYMissing = false;
    return true;
}
