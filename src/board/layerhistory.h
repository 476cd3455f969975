#pragma once

#include "model/documenthistory.h"

class LayerSet;

// The layers as undo steps keep them: the three lists by shared ownership, and of each layer
// the fields the window edits in place (name, colour, visibility) and its stored transform.
// A layer whose transform differs is brought to the wanted one by undoing its transform and
// replaying the wanted one, so no step copies a layer's image.
class LayerHistory : public HistoryFacet
{
public:
    explicit LayerHistory(LayerSet& layers)
        : m_layers(layers)
    { }

    std::shared_ptr<const State> capture() override;
    bool same(const State& a, const State& b) const override;
    void restore(const State& current, const State& wanted) override;

private:
    LayerSet& m_layers;
};
