#include "gerber/imagetransform.h"

#include "gerber/gerberlayer.h"

#include <cmath>
#include <memory>

namespace {

// The number after `letter` in a parameter block ("%OFA-2.0B-1.0*%"), or `fallback`.
double valueAfter(QStringView block, char letter, double fallback, bool* ok)
{
    const qsizetype at = block.indexOf(QLatin1Char(letter), 3);
    if (at < 0)
        return fallback;
    qsizetype end = at + 1;
    while (end < block.size()) {
        const QChar c = block.at(end);
        // An exponent is read too, so that "X1E20" is the absurd count it says and not 1.
        if (!(c.isDigit() || c == QLatin1Char('.') || c == QLatin1Char('-') || c == QLatin1Char('+')
                || c == QLatin1Char('E') || c == QLatin1Char('e')))
            break;
        ++end;
    }
    bool converted = false;
    const double v = block.mid(at + 1, end - at - 1).toString().toDouble(&converted);
    if (!converted || !std::isfinite(v))
        *ok = false;
    return converted ? v : fallback;
}

QPointF turned(QPointF p, int quarterTurns)
{
    switch (quarterTurns) {
    case 1:
        return QPointF(-p.y(), p.x());
    case 2:
        return QPointF(-p.x(), -p.y());
    case 3:
        return QPointF(p.y(), -p.x());
    }
    return p;
}

} // namespace

bool ImageTransform::read(QStringView block)
{
    bool ok = true;
    const QStringView command = block.mid(1, 2);
    if (command == QLatin1String("MI")) {
        m_mirrorA = valueAfter(block, 'A', 0.0, &ok) != 0.0;
        m_mirrorB = valueAfter(block, 'B', 0.0, &ok) != 0.0;
    } else if (command == QLatin1String("SF")) {
        m_scaleA = valueAfter(block, 'A', 1.0, &ok);
        m_scaleB = valueAfter(block, 'B', 1.0, &ok);
    } else if (command == QLatin1String("OF")) {
        m_offsetA = valueAfter(block, 'A', 0.0, &ok);
        m_offsetB = valueAfter(block, 'B', 0.0, &ok);
    } else if (command == QLatin1String("IR")) {
        qsizetype end = 3;
        while (end < block.size()
            && (block.at(end).isDigit() || (end == 3 && block.at(end) == QLatin1Char('-'))))
            ++end;
        bool converted = false;
        const int degrees = block.mid(3, end - 3).toString().toInt(&converted);
        if (!converted || degrees % 90 != 0)
            return false;
        m_quarterTurns = ((degrees / 90) % 4 + 4) % 4;
    }
    return ok;
}

bool ImageTransform::isIdentity() const
{
    return !m_mirrorA && !m_mirrorB && m_scaleA == 1.0 && m_scaleB == 1.0 && m_offsetA == 0.0
        && m_offsetB == 0.0 && m_quarterTurns == 0;
}

QPointF ImageTransform::map(QPointF p) const
{
    const QPointF placed(m_offsetA + m_scaleA * (m_mirrorA ? -p.x() : p.x()),
        m_offsetB + m_scaleB * (m_mirrorB ? -p.y() : p.y()));
    return turned(placed, m_quarterTurns);
}

QPointF ImageTransform::orient(QPointF p) const
{
    return turned(QPointF(m_mirrorA ? -p.x() : p.x(), m_mirrorB ? -p.y() : p.y()), m_quarterTurns);
}

Aperture* ImageTransform::transformed(
    const Aperture& a, GerberLayer& layer, QHash<const Aperture*, Aperture*>& done) const
{
    if (Aperture* known = done.value(&a, nullptr))
        return known;
    QString texts[Aperture::ParameterCount];
    for (int i = 0; i < Aperture::ParameterCount; ++i)
        texts[i] = a.parameterText[i];
    const bool sideways = m_quarterTurns % 2 == 1;
    if (sideways && (a.shape == QLatin1String("R") || a.shape == QLatin1String("O"))) {
        std::swap(texts[0], texts[1]);
        if (texts[1] == QLatin1String("x"))
            texts[1] = texts[0]; // a square given by one size stays one
        std::swap(texts[2], texts[3]);
    }
    auto* copy = new Aperture(a.name, a.shape, texts);
    if (a.shape == QLatin1String("P") && !a.macroImage) {
        const double rotation = texts[2] == QLatin1String("x") ? 0.0 : a.parameterValue[2];
        double mirrored = rotation;
        if (m_mirrorA)
            mirrored = 180.0 - mirrored;
        if (m_mirrorB)
            mirrored = -mirrored;
        copy->setParameterText(2, QString::number(mirrored + 90.0 * m_quarterTurns, 'g', 12));
    }
    if (a.macroImage) {
        copy->macroImage = std::make_unique<MacroImage>(*a.macroImage);
        for (MacroPrimitive& p : copy->macroImage->primitives) {
            const QPointF start = orient(QPointF(p.x, p.y));
            const QPointF end = orient(QPointF(p.x2, p.y2));
            p.x = start.x();
            p.y = start.y();
            p.x2 = end.x();
            p.y2 = end.y();
        }
        for (QPolygonF& polygon : copy->macroImage->polygons) {
            for (QPointF& point : polygon)
                point = orient(point);
        }
    }
    layer.adoptAperture(copy);
    done.insert(&a, copy);
    return copy;
}

void ImageTransform::apply(GerberLayer& layer) const
{
    if (isIdentity())
        return;
    // Only turning and mirroring change a flashed shape; offset and scale move the points.
    const bool shapesChange = m_mirrorA || m_mirrorB || m_quarterTurns != 0;
    for (ImageObject* o : layer.objects()) {
        const QPointF p = map(QPointF(o->x, o->y));
        o->x = p.x();
        o->y = p.y();
    }
    if (shapesChange) {
        QHash<const Aperture*, Aperture*> done;
        layer.mapApertures([&](Aperture* a) { return transformed(*a, layer, done); });
    }
    for (QPolygonF* polygon : layer.regionPolygons()) {
        for (QPointF& point : *polygon)
            point = map(point);
    }
}

bool StepRepeat::start(QStringView block, GerberLayer& layer)
{
    bool ok = true;
    const double x = valueAfter(block, 'X', 1.0, &ok);
    const double y = valueAfter(block, 'Y', 1.0, &ok);
    m_refusal.clear();
    if (ok && (x * y > double(MaxCopiedObjects))) {
        m_refusal = QStringLiteral("the file asks for %1 copies; at most %2 are made")
                        .arg(x * y, 0, 'g', 3)
                        .arg(MaxCopiedObjects);
        return false;
    }
    if (!ok || !(x >= 1.0 && x <= MaxCopiedObjects && y >= 1.0 && y <= MaxCopiedObjects))
        return false;
    m_countX = int(x);
    m_countY = int(y);
    m_stepX = valueAfter(block, 'I', 0.0, &ok);
    m_stepY = valueAfter(block, 'J', 0.0, &ok);
    m_open = ok && (m_countX > 1 || m_countY > 1);
    m_from = int(layer.order().size());
    return ok;
}

bool StepRepeat::close(GerberLayer& layer)
{
    if (!m_open)
        return true;
    m_open = false;
    const int to = int(layer.order().size());
    const qint64 copies = qint64(m_countX) * m_countY - 1;
    // The bound holds for all blocks of the image together: many small blocks add up.
    m_copied += copies * (to - m_from);
    if (m_copied > MaxCopiedObjects) {
        m_refusal = QStringLiteral("the file asks for %1 copied objects; at most %2 are made")
                        .arg(m_copied)
                        .arg(MaxCopiedObjects);
        return false;
    }
    // A draw that begins the block starts at the point before it: each copy moves there first.
    const ImageObject* first = to > m_from ? layer.objectAt(layer.order().at(m_from)) : nullptr;
    const ImageObject* before = m_from > 0 ? layer.objectAt(layer.order().at(m_from - 1)) : nullptr;
    const bool needsStart = first && first->kind() == ImageObject::draw();
    const QPointF start = before ? QPointF(before->x, before->y) : QPointF();
    for (int iy = 0; iy < m_countY; ++iy) {
        for (int ix = 0; ix < m_countX; ++ix) {
            if (ix == 0 && iy == 0)
                continue;
            const QPointF step(ix * m_stepX, iy * m_stepY);
            if (needsStart)
                layer.createObject(first->aperture(), start.x() + step.x(), start.y() + step.y(),
                    ImageObject::move(), first->dark());
            for (int k = m_from; k < to; ++k) {
                const qint32 index = layer.order().at(k);
                if (const ImageObject* o = layer.objectAt(index)) {
                    layer.createObject(o->aperture(), o->x + step.x(), o->y + step.y(), o->kind(), o->dark());
                } else if (const QPolygonF* region = layer.regionAt(index)) {
                    layer.addRegion(new QPolygonF(region->translated(step)), layer.regionDarkAt(index));
                }
            }
        }
    }
    return true;
}
