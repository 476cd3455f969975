#include "board/layerhistory.h"

#include "board/layertransform.h"
#include "gerber/gerberlayer.h"
#include "gerber/layerset.h"

#include <QHash>
#include <cmath>

namespace {

// What the window changes of a layer without replacing it.
struct LayerFields
{
    QString fileName;
    QColor color;
    bool visible = true;
    bool mirror1 = false;
    bool mirror2 = false;
    qint32 quarterTurns = 0;
    bool quarterTurnParity = false;
    double offsetX = 0.0;
    double offsetY = 0.0;

    static LayerFields of(const GerberLayer& l)
    {
        return { l.fileName, l.color, l.visible, l.mirror1, l.mirror2, l.quarterTurns, l.quarterTurnParity,
            l.offsetX, l.offsetY };
    }
    bool sameTransform(const LayerFields& o) const
    {
        return mirror1 == o.mirror1 && mirror2 == o.mirror2 && quarterTurns == o.quarterTurns
            && quarterTurnParity == o.quarterTurnParity && offsetX == o.offsetX && offsetY == o.offsetY;
    }
    bool operator==(const LayerFields& o) const
    {
        return fileName == o.fileName && color == o.color && visible == o.visible && sameTransform(o);
    }
};

constexpr LayerList allLists[] = { LayerList::Top, LayerList::Bottom, LayerList::GerberMode };

struct LayersState : HistoryFacet::State
{
    QList<std::shared_ptr<GerberLayer>> lists[3];
    QVector<LayerFields> fields[3];

    qint64 bytes() const override
    {
        qint64 n = 0;
        for (int i = 0; i < 3; ++i)
            n += lists[i].size() * qint64(sizeof(std::shared_ptr<GerberLayer>) + sizeof(LayerFields));
        return n;
    }
};

// Takes the image back to the file's own coordinates (the stored transform undone in reverse
// order), sets the wanted transform and replays it.
void retransform(GerberLayer& layer, const LayerFields& wanted)
{
    const double ox = std::isfinite(layer.offsetX) ? layer.offsetX : 0.0;
    const double oy = std::isfinite(layer.offsetY) ? layer.offsetY : 0.0;
    if (ox != 0.0 || oy != 0.0)
        LayerTransform::shift(layer, -ox, -oy);
    const int turns = ((layer.quarterTurns % 4) + 4) % 4;
    for (int i = 0; i < (4 - turns) % 4; ++i)
        LayerTransform::turnQuarter(layer, 0.0);
    if (layer.mirror2)
        LayerTransform::mirrorY(layer);
    if (layer.mirror1)
        LayerTransform::mirrorX(layer, 0.0);
    layer.mirror1 = wanted.mirror1;
    layer.mirror2 = wanted.mirror2;
    layer.quarterTurns = wanted.quarterTurns;
    layer.quarterTurnParity = wanted.quarterTurnParity;
    layer.offsetX = wanted.offsetX;
    layer.offsetY = wanted.offsetY;
    LayerTransform::replay(layer);
    layer.rendered = false;
}

} // namespace

std::shared_ptr<const HistoryFacet::State> LayerHistory::capture()
{
    auto state = std::make_shared<LayersState>();
    for (int i = 0; i < 3; ++i) {
        state->lists[i] = m_layers.shared(allLists[i]);
        state->fields[i].reserve(state->lists[i].size());
        for (const auto& layer : qAsConst(state->lists[i]))
            state->fields[i].append(LayerFields::of(*layer));
    }
    return state;
}

bool LayerHistory::same(const State& a, const State& b) const
{
    const auto& x = static_cast<const LayersState&>(a);
    const auto& y = static_cast<const LayersState&>(b);
    for (int i = 0; i < 3; ++i)
        if (x.lists[i] != y.lists[i] || x.fields[i] != y.fields[i])
            return false;
    return true;
}

void LayerHistory::restore(const State&, const State& wanted)
{
    const auto& w = static_cast<const LayersState&>(wanted);
    for (int i = 0; i < 3; ++i) {
        m_layers.restore(allLists[i], w.lists[i]);
        for (int k = 0; k < w.lists[i].size(); ++k) {
            GerberLayer& layer = *w.lists[i].at(k);
            const LayerFields& f = w.fields[i].at(k);
            if (!LayerFields::of(layer).sameTransform(f))
                retransform(layer, f);
            layer.fileName = f.fileName;
            layer.color = f.color;
            layer.visible = f.visible;
        }
    }
}
