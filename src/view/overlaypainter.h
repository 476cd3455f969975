#pragma once

#include "view/boardscene.h"

#include <QSize>

class QPainter;
struct ViewMapping;

// The board view's marks above the placements: fiducials, the user's drawings, the rubber band,
// the label of a selected fiducial and the measurement read-out.
namespace OverlayPainter {

void drawFiducials(QPainter& p, const ViewMapping& m, const BoardScene& scene);
void drawDrawings(QPainter& p, const ViewMapping& m, const BoardScene& scene);
void drawRubberBand(QPainter& p, const BoardScene& scene);
void drawFiducialLabel(QPainter& p, const BoardScene& scene);
void drawMeasurement(QPainter& p, const QSize& size, const ViewMapping& m, const BoardScene& scene);

} // namespace OverlayPainter
