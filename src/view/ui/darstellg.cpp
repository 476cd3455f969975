#include "view/ui/darstellg.h"

#include "gerber/gerberlayer.h"
#include "uikit/prompt.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFocusEvent>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <cmath>
#include <iterator>

namespace {

struct BoardColors
{
    QColor body;
    QColor copper;
};

// BoardColorBox entries: Green, White, Black, Red, Blue.
const BoardColors boardColorTable[] = {
    { QColor(12, 58, 12), QColor(0, 130, 0) },
    { QColor(230, 230, 230), QColor(245, 245, 245) },
    { QColor(35, 35, 35), QColor(75, 75, 75) },
    { QColor(120, 5, 5), QColor(150, 0, 0) },
    { QColor(10, 10, 150), QColor(30, 30, 150) },
};

// SilkColorBox entries: White, Black, Yellow, Red.
const QColor silkColorTable[]
    = { QColor(252, 254, 252), QColor(35, 35, 35), QColor(200, 200, 0), QColor(200, 0, 0) };

} // namespace

Darstellg::Darstellg(QWidget* parent)
    : QWidget(parent)
    , m_document(std::make_unique<Document>())
    , m_zoomBox(new QComboBox(this))
    , m_gridSpin(new QDoubleSpinBox(this))
    , m_button(new QPushButton(this))
    , m_progressBar(new QProgressBar(this))
    , m_stepLabel(new QLabel(this))
{
    m_layers = std::make_unique<LayerSet>(freshLayerColours());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAcceptDrops(true);
    setFocusPolicy(Qt::StrongFocus);

    QStringList zooms;
    zooms.reserve(ViewState::maxZoomLevel);
    for (int i = 1; i <= ViewState::maxZoomLevel; ++i)
        zooms << QString::number(i * 10) + QLatin1Char('%');
    m_zoomBox->addItems(zooms);
    m_zoomBox->setCurrentIndex(m_state.zoomLevel - 1);
    m_zoomBox->setObjectName(QStringLiteral("zoomBox"));

    m_gridSpin->setRange(0.01, 100.0);
    m_gridSpin->setSingleStep(0.1);
    m_gridSpin->setValue(m_state.gridSpacing);
    m_gridSpin->setObjectName(QStringLiteral("gridSpinBox"));

    m_progressBar->hide();
    m_stepLabel->hide();

    // The main window moves the controls into its tool and status bars; until then they
    // sit in a row in the view's corner.
    m_zoomBox->move(2, 2);
    m_gridSpin->move(m_zoomBox->sizeHint().width() + 6, 2);
    m_button->hide();

    connect(m_zoomBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &Darstellg::setNewZoom);
    connect(
        m_gridSpin, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &Darstellg::setNewGridAbst);
}

Darstellg::~Darstellg()
{
    // The layers go with this object: no thread may still read one.
    waitForRenders();
}

FreshLayerColours Darstellg::freshLayerColours() const
{
    return { m_state.colours.copper, m_state.colours.silk, m_state.colours.background };
}

void Darstellg::resetDocument()
{
    m_document->clear();
    m_layers->reset(freshLayerColours());
    m_state.filters = ViewFilters();
    m_state.render = RenderProgress();
    m_composer.invalidate();
    m_loading = false;
    m_centreOnSelection = false;
    m_selectionCentringCounter = 0;
    m_lastCentredIndex = -1;
    // A band, measurement or drawing in progress belonged to the old document.
    m_overlays = BoardOverlays();
    m_progressBar->hide();
    update();
}

void Darstellg::setSide(bool top)
{
    m_document->setSide(top);
    update();
}

// ---- layers

LayerList Darstellg::shownLayerList() const
{
    if (m_document->gerberMode())
        return LayerList::GerberMode;
    return m_document->activeSideIsTop() ? LayerList::Top : LayerList::Bottom;
}

void Darstellg::installSideLayer(LayerSlot slot, std::unique_ptr<GerberLayer> layer)
{
    const LayerList list = m_document->activeSideIsTop() ? LayerList::Top : LayerList::Bottom;
    if (!m_layers->replace(list, slotIndex(slot), std::move(layer)))
        return;
    // Signal and Silk take the board's configured colours, whatever the file was.
    if (slot == LayerSlot::Signal)
        setCopperColor(m_state.colours.copper);
    else if (slot == LayerSlot::Silk)
        setSilkColor(m_state.colours.silk);
    update();
}

bool Darstellg::layerVisible(LayerSlot slot) const
{
    if (slot == LayerSlot::PickAndPlace)
        return m_state.filters.showPickAndPlace;
    const GerberLayer* layer = m_layers->slot(true, slot);
    return layer && layer->visible;
}

void Darstellg::setLayerVisible(LayerSlot slot, bool on)
{
    if (slot == LayerSlot::PickAndPlace) {
        m_state.filters.showPickAndPlace = on;
        return;
    }
    for (bool top : { true, false })
        if (GerberLayer* layer = m_layers->slot(top, slot))
            layer->visible = on;
}

// ---- view state

void Darstellg::setZoomLevel(int z)
{
    m_state.zoomLevel = qBound(1, z, int(ViewState::maxZoomLevel));
    m_zoomBox->setCurrentIndex(m_state.zoomLevel - 1);
}

void Darstellg::setGridSpacing(double g)
{
    // The spin box's range keeps the pitch positive: a zero pitch would never finish
    // the grid's "multiply by 10 until wide enough" loop.
    if (!std::isfinite(g))
        return;
    m_gridSpin->setValue(g);
    m_state.gridSpacing = m_gridSpin->value();
}

PartListFilter Darstellg::partListFilter() const
{
    PartListFilter f;
    f.showHand = m_state.filters.showHandExec;
    f.showMachine = m_state.filters.showMachineExec;
    f.showTht = m_state.filters.showThtExec;
    f.showPlaced = m_state.filters.showPlaced;
    return f;
}

void Darstellg::setBoardColorIndex(int index)
{
    m_state.boardColorIndex = index;
    applyBoardColors();
    m_document->setModified(true);
    update();
}

void Darstellg::setSilkColorIndex(int index)
{
    m_state.silkColorIndex = index;
    applySilkColor();
    m_document->setModified(true);
    update();
}

void Darstellg::restoreColorIndexes(int boardIndex, int silkIndex)
{
    m_state.boardColorIndex = boardIndex;
    m_state.silkColorIndex = silkIndex;
    applyBoardColors();
    applySilkColor();
    update();
}

void Darstellg::applyBoardColors()
{
    if (m_state.boardColorIndex < 0 || m_state.boardColorIndex >= int(std::size(boardColorTable)))
        return;
    m_state.colours.boardBody = boardColorTable[m_state.boardColorIndex].body;
    setCopperColor(boardColorTable[m_state.boardColorIndex].copper);
}

void Darstellg::applySilkColor()
{
    if (m_state.silkColorIndex < 0 || m_state.silkColorIndex >= int(std::size(silkColorTable)))
        return;
    setSilkColor(silkColorTable[m_state.silkColorIndex]);
}

void Darstellg::setCopperColor(const QColor& c)
{
    m_state.colours.copper = c;
    for (bool top : { true, false })
        m_layers->slot(top, LayerSlot::Signal)->color = c;
}

void Darstellg::setSilkColor(const QColor& c)
{
    m_state.colours.silk = c;
    for (bool top : { true, false })
        m_layers->slot(top, LayerSlot::Silk)->color = c;
}

// ---- steps

void Darstellg::showSteps(int total, int current)
{
    m_stepTotal = total;
    m_currentStep = current;
    updateStepLabel();
    m_stepLabel->show();
}

void Darstellg::advanceStep()
{
    ++m_currentStep;
    updateStepLabel();
}

void Darstellg::hideSteps()
{
    m_stepLabel->hide();
}

void Darstellg::updateStepLabel()
{
    m_stepLabel->setText(QStringLiteral("%1 / %2").arg(m_currentStep).arg(m_stepTotal));
    m_stepLabel->adjustSize();
}

// ---- slots

void Darstellg::setNewZoom()
{
    m_state.zoomLevel = m_zoomBox->currentIndex() + 1;
    update();
}

void Darstellg::setNewGridAbst()
{
    m_state.gridSpacing = m_gridSpin->value();
    update();
}

void Darstellg::setNewBgColor()
{
    const QColor c = prompt().color(this, m_state.colours.background, QString());
    if (c.isValid())
        m_state.colours.background = c;
    matchDrillsToBackground();
    update();
}

void Darstellg::matchDrillsToBackground()
{
    m_layers->paintDrillsIn(m_state.colours.background);
}

void Darstellg::incrementProgress()
{
    ++m_state.render.reached;
    m_layers->collectRetired();
    update();
}

// ---- events

void Darstellg::paintEvent(QPaintEvent*)
{
    centreSelection();
    QPainter p(this);
    m_painter.paint(p, size(), scene());
}

void Darstellg::focusOutEvent(QFocusEvent* event)
{
    m_ctrlHeld = false;
    QWidget::focusOutEvent(event);
}
