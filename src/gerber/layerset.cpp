#include "gerber/layerset.h"

#include "gerber/gerberlayer.h"

LayerSet::LayerSet(const FreshLayerColours& colours)
{
    reset(colours);
}

LayerSet::~LayerSet()
{
    retireAll();
    // Whoever destroys the set has stopped the render threads; what is left is ours to free.
    m_retired.clear();
}

void LayerSet::reset(const FreshLayerColours& colours)
{
    retireAll();
    const auto add = [this](LayerList which, GerberLayer* layer) {
        owned(which).append(std::shared_ptr<GerberLayer>(layer));
        mutableList(which).append(layer);
    };
    for (int slot = 0; slot < layerSlotCount; ++slot) {
        add(LayerList::Top, new GerberLayer(slot));
        add(LayerList::Bottom, new GerberLayer(slot));
    }
    for (QList<GerberLayer*>* side : { &m_top, &m_bottom }) {
        side->at(slotIndex(LayerSlot::Signal))->color = colours.copper;
        side->at(slotIndex(LayerSlot::Silk))->color = colours.silk;
        side->at(slotIndex(LayerSlot::Drill))->color = colours.background;
    }
    for (int i = 0; i < gerberModeLayerCount; ++i) {
        auto* layer = new GerberLayer(i);
        layer->visible = false;
        add(LayerList::GerberMode, layer);
    }
}

void LayerSet::paintDrillsIn(const QColor& background)
{
    for (QList<GerberLayer*>* side : { &m_top, &m_bottom }) {
        if (GerberLayer* drill = side->value(slotIndex(LayerSlot::Drill)))
            drill->color = background;
    }
}

const QList<GerberLayer*>& LayerSet::list(LayerList which) const
{
    switch (which) {
    case LayerList::Top:
        return m_top;
    case LayerList::Bottom:
        return m_bottom;
    case LayerList::GerberMode:
        break;
    }
    return m_gerberMode;
}

QList<GerberLayer*>& LayerSet::mutableList(LayerList which)
{
    return const_cast<QList<GerberLayer*>&>(list(which));
}

LayerSet::Owned& LayerSet::owned(LayerList which)
{
    switch (which) {
    case LayerList::Top:
        return m_ownTop;
    case LayerList::Bottom:
        return m_ownBottom;
    case LayerList::GerberMode:
        break;
    }
    return m_ownGerberMode;
}

GerberLayer* LayerSet::layer(LayerList which, int index) const
{
    const QList<GerberLayer*>& l = list(which);
    return index >= 0 && index < l.size() ? l.at(index) : nullptr;
}

bool LayerSet::replace(LayerList which, int index, std::unique_ptr<GerberLayer> layer)
{
    QList<GerberLayer*>& l = mutableList(which);
    if (!layer || index < 0 || index >= l.size())
        return false;
    Owned& o = owned(which);
    std::shared_ptr<GerberLayer> old = o.at(index);
    l[index] = layer.get();
    o[index] = std::shared_ptr<GerberLayer>(layer.release());
    retire(std::move(old));
    return true;
}

QList<std::shared_ptr<GerberLayer>> LayerSet::shared(LayerList which) const
{
    return const_cast<LayerSet*>(this)->owned(which);
}

void LayerSet::restore(LayerList which, const QList<std::shared_ptr<GerberLayer>>& layers)
{
    Owned& o = owned(which);
    const Owned old = o;
    o = layers;
    QList<GerberLayer*>& l = mutableList(which);
    l.clear();
    for (const auto& layer : layers)
        l.append(layer.get());
    for (const auto& layer : old)
        if (!layers.contains(layer))
            retire(layer);
}

bool LayerSet::swap(LayerList which, int a, int b)
{
    QList<GerberLayer*>& l = mutableList(which);
    if (a < 0 || b < 0 || a >= l.size() || b >= l.size())
        return false;
    l.swapItemsAt(a, b);
    owned(which).swapItemsAt(a, b);
    return true;
}

bool LayerSet::anyBusy() const
{
    for (const QList<GerberLayer*>* l : { &m_top, &m_bottom, &m_gerberMode })
        for (const GerberLayer* layer : *l)
            if (layer->busy)
                return true;
    for (const auto& layer : m_retired)
        if (layer->busy)
            return true;
    return false;
}

void LayerSet::collectRetired()
{
    Owned stillBusy;
    for (const auto& old : qAsConst(m_retired))
        if (old->busy)
            stillBusy.append(old);
    m_retired = stillBusy;
}

void LayerSet::retire(std::shared_ptr<GerberLayer> layer)
{
    collectRetired();
    if (layer && layer->busy)
        m_retired.append(std::move(layer));
}

void LayerSet::retireAll()
{
    for (LayerList which : { LayerList::Top, LayerList::Bottom, LayerList::GerberMode }) {
        Owned o = owned(which);
        owned(which).clear();
        mutableList(which).clear();
        for (const auto& layer : o)
            retire(layer);
    }
}
