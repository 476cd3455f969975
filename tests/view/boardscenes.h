#pragma once

// Small single-feature scenes of the board view, shared by the painter's golden-image tests and
// the widget test that compares the widget's picture with the painter's.
#include "documentsetup.h"
#include "gerber/gerberlayer.h"
#include "gerber/layerset.h"
#include "model/document.h"
#include "view/boardpainter.h"

#include <QImage>
#include <QPainter>
#include <memory>

namespace BoardScenes {

const QSize sceneSize(160, 120);

inline Aperture* circle(GerberLayer& layer, double diameter)
{
    QString texts[Aperture::ParameterCount] = { QString::number(diameter), "x", "x", "x" };
    return layer.addAperture(new Aperture(QStringLiteral("D10"), QStringLiteral("C"), texts));
}

inline void flash(GerberLayer& layer, Aperture* a, double x, double y, bool dark = true)
{
    layer.createObject(a, x, y, ImageObject::flash(), dark);
}

inline void rect(GerberLayer& layer, const QRectF& r, bool dark)
{
    layer.addRegion(new QPolygonF(QPolygonF(r)), dark);
}

inline std::unique_ptr<GerberLayer> mmLayer(int slot)
{
    auto layer = std::make_unique<GerberLayer>(slot);
    layer->unitFactor = 1.0;
    return layer;
}

inline PnPEntry* entry(const char* ref, double x, double y, double rotation, const char* exec)
{
    return new PnPEntry(QLatin1String(ref), QStringLiteral("R0603"), x, y, QStringLiteral("top"), rotation,
        QStringLiteral("10k"), QLatin1String(exec), QString());
}

// Everything a scene draws from; the state starts with no grid and zoom 10 at offsets (15, -21).
struct Scene
{
    Document document;
    ViewState state;
    LayerSet layers;
    LayerList list = LayerList::Top;

    Scene()
        : layers(FreshLayerColours { state.colours.copper, state.colours.silk, state.colours.background })
    {
        state.gridShown = false;
    }

    BoardScene scene() const
    {
        BoardScene s;
        s.document = &document;
        s.layers = &layers;
        s.state = &state;
        s.list = list;
        return s;
    }

    QImage paint() const
    {
        QImage image(sceneSize, QImage::Format_ARGB32_Premultiplied);
        QPainter p(&image);
        BoardPainter().paint(p, sceneSize, scene());
        p.end();
        return image.convertToFormat(QImage::Format_RGB32);
    }
};

// Builds the named scene into a document, its layers and a view state (a Scene's or a board
// view's own); false for an unknown name.
inline bool build(const QString& name, Document& document, LayerSet& layers, ViewState& state)
{
    if (name == QLatin1String("flash")) {
        auto layer = mmLayer(0);
        flash(*layer, circle(*layer, 2.0), 2.0, 3.0);
        layers.replace(LayerList::Top, 0, std::move(layer));
    } else if (name == QLatin1String("clear over dark")) {
        // Paste with clear holes over copper: the copper shows through the first hole, the
        // background through the second.
        auto copper = mmLayer(0);
        rect(*copper, QRectF(1, 1, 6, 6), true);
        layers.replace(LayerList::Top, 0, std::move(copper));
        auto paste = mmLayer(2);
        rect(*paste, QRectF(2, 2, 4, 4), true);
        flash(*paste, circle(*paste, 2.0), 4.0, 4.0, false);
        rect(*paste, QRectF(8, 1, 4, 6), true);
        flash(*paste, circle(*paste, 2.0), 10.0, 4.0, false);
        layers.replace(LayerList::Top, 2, std::move(paste));
    } else if (name == QLatin1String("grid")) {
        state.gridShown = true;
        state.zoomLevel = 7;
        state.gridSpacing = 0.15;
    } else if (name == QLatin1String("markers")) {
        state.zoomLevel = 12;
        state.filters.showRefDes = false;
        document.appendEntry(entry("R1", 1.5, 1.5, 0, "1"));
        document.appendEntry(entry("R2", 4.5, 1.5, 90, "2"));
        document.appendEntry(entry("R3", 7.5, 1.5, 45, "3"));
        PnPEntry* grey = entry("R4", 1.5, 4.5, 0, "1");
        grey->setOnSelectedMachine(false);
        document.appendEntry(grey);
        PnPEntry* hover = entry("R5", 4.5, 4.5, 0, "1");
        hover->setHoverState(1);
        document.appendEntry(hover);
        PnPEntry* selected = entry("R6", 7.5, 4.5, 180, "2");
        selected->setSelected(true);
        document.appendEntry(selected);
    } else if (name == QLatin1String("panel")) {
        state.zoomLevel = 5;
        // 3 x 2 boards of 6 x 5 mm, 1 mm apart, borders of 2 mm
        document.setOriginGen(true, OriginGen { 3, 2, 6, 5, 1, 1, 2, 2, 2, 2 });
        document.setOrigins(
            { { 2, 2, 1 }, { 9, 2, 0 }, { 16, 2, 1 }, { 2, 8, 1 }, { 9, 8, 1 }, { 16, 8, 1 } });
        document.appendEntry(entry("C1", 3, 2.5, 0, "1"));
    } else if (name == QLatin1String("fiducials")) {
        state.zoomLevel = 8;
        editFiducials(document, [](Fiducials& f) {
            f.setBoardExec(true);
            f.setBoard1X(2);
            f.setBoard1Y(2);
            f.setBoard2X(12);
            f.setBoard2Y(8);
            f.setGeometryX(1.5);
            f.setBlockExec(true);
            f.setBlock1X(5);
            f.setBlock1Y(8);
            f.setBlock2X(9);
            f.setBlock2Y(2);
            f.setBlock2Selected(true);
        });
    } else if (name == QLatin1String("board")) {
        state.gridShown = true;
        editBoard(document, [](BoardInfo& b) {
            b.setWidth(10);
            b.setHeight(6);
            b.setOriginX(1);
            b.setOriginY(1);
        });
    } else {
        return false;
    }
    return true;
}

inline bool build(const QString& name, Scene& s)
{
    return build(name, s.document, s.layers, s.state);
}

inline QStringList names()
{
    return { "flash", "clear over dark", "grid", "markers", "panel", "fiducials", "board" };
}

} // namespace BoardScenes
