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
    qDeleteAll(m_retired);
}

void LayerSet::reset(const FreshLayerColours& colours)
{
    retireAll();
    for (int slot = 0; slot < layerSlotCount; ++slot) {
        m_top.append(new GerberLayer(slot));
        m_bottom.append(new GerberLayer(slot));
    }
    for (QList<GerberLayer*>* side : { &m_top, &m_bottom }) {
        side->at(slotIndex(LayerSlot::Signal))->color = colours.copper;
        side->at(slotIndex(LayerSlot::Silk))->color = colours.silk;
        side->at(slotIndex(LayerSlot::Drill))->color = colours.background;
    }
    for (int i = 0; i < gerberModeLayerCount; ++i) {
        auto* layer = new GerberLayer(i);
        layer->visible = false;
        m_gerberMode.append(layer);
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
    retire(l.at(index));
    l[index] = layer.release();
    return true;
}

bool LayerSet::swap(LayerList which, int a, int b)
{
    QList<GerberLayer*>& l = mutableList(which);
    if (a < 0 || b < 0 || a >= l.size() || b >= l.size())
        return false;
    l.swapItemsAt(a, b);
    return true;
}

bool LayerSet::anyBusy() const
{
    for (const QList<GerberLayer*>* l : { &m_top, &m_bottom, &m_gerberMode, &m_retired })
        for (const GerberLayer* layer : *l)
            if (layer->busy)
                return true;
    return false;
}

void LayerSet::collectRetired()
{
    QList<GerberLayer*> stillBusy;
    for (GerberLayer* old : qAsConst(m_retired)) {
        if (old->busy)
            stillBusy.append(old);
        else
            delete old;
    }
    m_retired = stillBusy;
}

void LayerSet::retire(GerberLayer* layer)
{
    collectRetired();
    if (!layer)
        return;
    if (layer->busy)
        m_retired.append(layer);
    else
        delete layer;
}

void LayerSet::retireAll()
{
    for (QList<GerberLayer*>* l : { &m_top, &m_bottom, &m_gerberMode }) {
        for (GerberLayer* layer : qAsConst(*l))
            retire(layer);
        l->clear();
    }
}
