#pragma once

#include <QColor>
#include <QList>
#include <memory>

class GerberLayer;

// Fixed layer positions of a board side. PickAndPlace stands for the placements wherever the
// visibility switches treat them like a layer.
enum class LayerSlot
{
    PickAndPlace = -1,
    Signal = 0,
    Mask = 1,
    Paste = 2,
    Assy = 3,
    Silk = 4,
    BoardOutline = 5,
    Drill = 6
};
constexpr int layerSlotCount = 7;
constexpr int gerberModeLayerCount = 255;
constexpr int slotIndex(LayerSlot slot)
{
    return int(slot);
}

// The three layer lists of a document: the seven slots of each side and the rows of the
// Gerber mode.
enum class LayerList
{
    Top,
    Bottom,
    GerberMode
};

// Colours that fresh empty layers take: copper for Signal, silk for Silk, and the view's
// background for Drill, so that holes look like holes.
struct FreshLayerColours
{
    QColor copper;
    QColor silk;
    QColor background;
};

// Owns every layer of a document. Only this class puts a layer into a list or takes one out;
// a layer that a render thread still reads (its busy flag) is kept until the thread lets go,
// so replacing or clearing never frees memory another thread uses. Ownership is shared: the
// undo history keeps a replaced layer alive to put it back.
class LayerSet
{
public:
    explicit LayerSet(const FreshLayerColours& colours = {});
    ~LayerSet();
    LayerSet(const LayerSet&) = delete;
    LayerSet& operator=(const LayerSet&) = delete;

    // Every list back to fresh empty layers (Gerber-mode rows hidden).
    void reset(const FreshLayerColours& colours);

    const QList<GerberLayer*>& list(LayerList which) const;
    // The layer at a position, or null outside the list.
    GerberLayer* layer(LayerList which, int index) const;
    GerberLayer* slot(bool top, LayerSlot slot) const
    {
        return layer(top ? LayerList::Top : LayerList::Bottom, slotIndex(slot));
    }

    // Puts `layer` at a position; the old layer is retired. False, and the new layer is
    // dropped, for a null layer or a position outside the list.
    bool replace(LayerList which, int index, std::unique_ptr<GerberLayer> layer);
    // The layers of a list with shared ownership, and a list put back as that gave it (layers
    // that leave are retired).
    QList<std::shared_ptr<GerberLayer>> shared(LayerList which) const;
    void restore(LayerList which, const QList<std::shared_ptr<GerberLayer>>& layers);
    // Swaps two positions of one list (a layer moved in the table).
    bool swap(LayerList which, int a, int b);
    // The drill layers of both sides in `background`: their holes show the board view behind.
    void paintDrillsIn(const QColor& background);

    // True while a render thread still holds one of the layers, in a list or retired.
    bool anyBusy() const;
    // Frees the retired layers whose render thread has finished.
    void collectRetired();
    int retiredCount() const { return m_retired.size(); }

private:
    using Owned = QList<std::shared_ptr<GerberLayer>>;
    QList<GerberLayer*>& mutableList(LayerList which);
    Owned& owned(LayerList which);
    void retire(std::shared_ptr<GerberLayer> layer);
    void retireAll();

    // The lists as the view reads them, and the owners in the same order.
    QList<GerberLayer*> m_top;
    QList<GerberLayer*> m_bottom;
    QList<GerberLayer*> m_gerberMode;
    Owned m_ownTop;
    Owned m_ownBottom;
    Owned m_ownGerberMode;
    Owned m_retired; // replaced while a render thread still read them
};
