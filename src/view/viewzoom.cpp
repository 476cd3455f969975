#include "view/viewzoom.h"

#include <cmath>

namespace ViewZoom {

int stepIn(int zoom)
{
    const int z = zoom >= 5 ? zoom + zoom / 5 : zoom + 1;
    return qBound(1, z, int(ViewState::maxZoomLevel));
}

int stepOut(int zoom)
{
    const int z = zoom >= 5 ? zoom - zoom / 5 : zoom - 1;
    return qBound(1, z, int(ViewState::maxZoomLevel));
}

bool zoomAbout(ViewState& state, bool in, const QPointF& at, int height)
{
    const int z = qBound(1, state.zoomLevel, int(ViewState::maxZoomLevel));
    if (in ? z >= ViewState::maxZoomLevel : z < 2)
        return false;
    // World point under `at`, kept there after the step.
    const double a = (state.offsetX - at.x()) / z;
    const double b = (state.offsetY + (height - at.y())) / z;
    const int next = in ? stepIn(z) : stepOut(z);
    state.zoomLevel = next;
    const double limit = 1.0e7;
    state.offsetX = int(std::lround(qBound(-limit, next * a + at.x(), limit)));
    state.offsetY = int(std::lround(qBound(-limit, next * b - (height - at.y()), limit)));
    return true;
}

void fit(ViewState& state, const QRectF& world, const QSize& size)
{
    if (world.isNull() || !std::isfinite(world.width()) || !std::isfinite(world.height())
        || !std::isfinite(world.left()) || !std::isfinite(world.top()) || size.isEmpty())
        return;
    int z = 1;
    for (int next = stepIn(1); next > z; next = stepIn(z)) {
        if (world.width() * next > size.width() || world.height() * next > size.height())
            break;
        z = next;
    }
    const QPointF c = world.center();
    state.zoomLevel = z;
    const double limit = 1.0e7; // a corrupt coordinate must not overflow the offsets
    state.offsetX = int(std::lround(qBound(-limit, size.width() / 2.0 - z * c.x(), limit)));
    state.offsetY = int(std::lround(qBound(-limit, z * c.y() - size.height() / 2.0, limit)));
}

bool showsAny(const ViewState& state, const QRectF& world, const QSize& size)
{
    if (world.isNull() || size.isEmpty())
        return false;
    const double z = qMax(1, state.zoomLevel);
    const QRectF w = world.normalized();
    // x = offsetX + z·X, y = height + offsetY − z·Y
    const QRectF pixels(QPointF(state.offsetX + z * w.left(), size.height() + state.offsetY - z * w.bottom()),
        QPointF(state.offsetX + z * w.right(), size.height() + state.offsetY - z * w.top()));
    const QRectF view(QPointF(0, 0), QSizeF(size));
    return pixels.right() >= view.left() && pixels.left() <= view.right() && pixels.bottom() >= view.top()
        && pixels.top() <= view.bottom();
}

} // namespace ViewZoom

int WheelSteps::add(int angleDelta)
{
    if (angleDelta == 0)
        return 0;
    // A change of direction starts afresh: the rest of a scroll the other way is dropped.
    if ((m_pending > 0 && angleDelta < 0) || (m_pending < 0 && angleDelta > 0))
        m_pending = 0;
    m_pending += angleDelta;
    const int steps = m_pending / notch;
    m_pending -= steps * notch;
    return steps;
}
