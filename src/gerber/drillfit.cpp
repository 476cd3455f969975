#include "gerber/drillfit.h"

#include "gerber/excellonreader.h"
#include "gerber/gerberlayer.h"
#include "gerber/imageobject.h"

#include <QVector>
#include <cmath>

namespace {

// Hole centres in file units: the flashes of the layer.
QVector<QPointF> holesOf(const GerberLayer& layer)
{
    QVector<QPointF> holes;
    for (const ImageObject* o : layer.objects()) {
        if (o->kind() == ImageObject::flash() && std::isfinite(o->x) && std::isfinite(o->y))
            holes.append(QPointF(o->x, o->y));
    }
    return holes;
}

struct Placed
{
    int outside = 0;
    QRectF spread; // the extent of the holes in millimetres
};

Placed place(const QVector<QPointF>& holes, double factor, const QRectF& board)
{
    Placed result;
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (int i = 0; i < holes.size(); ++i) {
        const double x = holes[i].x() * factor;
        const double y = holes[i].y() * factor;
        if (!board.contains(x, y))
            ++result.outside;
        minX = i ? qMin(minX, x) : x;
        maxX = i ? qMax(maxX, x) : x;
        minY = i ? qMin(minY, y) : y;
        maxY = i ? qMax(maxY, y) : y;
    }
    result.spread = QRectF(QPointF(minX, minY), QPointF(maxX, maxY));
    return result;
}

} // namespace

QString DrillReading::text() const
{
    return QStringLiteral("%1, %2, %3 in %4")
        .arg(format.leadingZeroesOmitted ? QStringLiteral("Leading") : QStringLiteral("Trailing"))
        .arg(format.integerDigits)
        .arg(format.decimalDigits)
        .arg(metric ? QStringLiteral("millimetres") : QStringLiteral("inches"));
}

DrillFit DrillFit::check(const GerberLayer& drill, const QRectF& copperMm)
{
    DrillFit fit;
    const QVector<QPointF> holes = holesOf(drill);
    fit.holes = holes.size();
    if (copperMm.isNull() || holes.isEmpty())
        return fit;
    const QRectF board = copperMm.normalized().adjusted(-marginMm, -marginMm, marginMm, marginMm);
    fit.outside = place(holes, drill.unitFactor, board).outside;
    if (fit.outside == 0)
        return fit;

    // The usual choices of drill files; of those that put every hole on the board, the one whose
    // holes spread widest is the one that fits: a reading ten times too small also lands inside.
    static const int digitChoices[][2] = { { 2, 4 }, { 3, 3 }, { 2, 3 }, { 3, 4 }, { 2, 5 }, { 4, 4 } };
    double bestSpread = -1.0;
    for (const bool leading : { true, false }) {
        for (const auto& digits : digitChoices) {
            DrillReading reading;
            reading.format.leadingZeroesOmitted = leading;
            reading.format.integerDigits = digits[0];
            reading.format.decimalDigits = digits[1];
            GerberLayer trial;
            applyExcellonFormat(trial, reading.format);
            trial.excellonLines = drill.excellonLines;
            parseExcellon(trial);
            const QVector<QPointF> trialHoles = holesOf(trial);
            if (trialHoles.size() != holes.size())
                continue;
            for (const bool metric : { true, false }) {
                const Placed p = place(trialHoles, metric ? 1.0 : 25.4, board);
                const double spread = p.spread.width() + p.spread.height();
                if (p.outside == 0 && spread > bestSpread) {
                    bestSpread = spread;
                    reading.metric = metric;
                    fit.fitting = reading;
                    fit.hasFitting = true;
                }
            }
        }
    }
    return fit;
}
