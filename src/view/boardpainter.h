#pragma once

#include "view/boardscene.h"

#include <QRectF>
#include <QSize>
#include <memory>

class Document;
class LayerComposer;
class MarkerSprites;
class PnPEntry;
class QPainter;
struct ViewMapping;

// Draws the board view: background, board body, grid, layers, coordinate cross, board frame,
// placements with their panel copies, board origin, selection marks, fiducials, drawings and the
// tool overlays, in that order, over a document, its layers and the view state. Needs no widget:
// the board view, the tests and tessavrant-cli draw through it.
class BoardPainter
{
public:
    // With a composer, the composed layers are kept between paints (the widget's hover and
    // selection repaints); without, each paint composes afresh.
    explicit BoardPainter(LayerComposer* composer = nullptr);
    ~BoardPainter();

    void paint(QPainter& painter, const QSize& size, const BoardScene& scene);

    // Grid pitch in pixels: zoom × spacing, times 10 until at least 10 pixels. 0 for a spacing
    // that is not positive and finite. Kept as a fraction: whole pixels would drift off the
    // snapping grid over the width of the view.
    static double gridPitch(int zoomLevel, double spacing);

    // World position of a placement drawn for the board (origin null) or for a panel origin.
    static QPointF worldPosition(const PnPEntry& entry, const BoardScene& scene, const QPointF& origin);

    // What a fitted view shows whole: the visible layers of the drawn list and, outside Gerber
    // mode, the board body and the placements of the shown side. Null when there is nothing.
    static QRectF contentExtent(const BoardScene& scene);

    // The board body and its red outline, from world (0, 0): the panel of the side's generator
    // when the side has origins and a generated grid, else the board data's size. Null when
    // there is no size.
    static QRectF boardOutline(const Document& doc);

private:
    void drawBoardBody(QPainter& p, const ViewMapping& m, const BoardScene& scene) const;
    void drawGrid(QPainter& p, const QSize& size, const BoardScene& scene) const;
    void drawLayers(QPainter& p, const QSize& size, const BoardScene& scene);
    void drawCross(QPainter& p, const QSize& size, const ViewMapping& m, const BoardScene& scene) const;
    void drawBoardFrame(QPainter& p, const ViewMapping& m, const BoardScene& scene) const;
    void drawPlacements(QPainter& p, const QSize& size, const ViewMapping& m, const BoardScene& scene) const;
    void drawPanelFrame(QPainter& p, const ViewMapping& m, const BoardScene& scene) const;
    void drawBoardOrigin(QPainter& p, const ViewMapping& m, const BoardScene& scene) const;
    void drawSelection(QPainter& p, const QSize& size, const ViewMapping& m, const BoardScene& scene) const;

    LayerComposer* m_composer;
    LayerComposer* m_ownComposer = nullptr;
    std::unique_ptr<MarkerSprites> m_sprites;
};
