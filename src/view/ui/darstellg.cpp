#include "view/ui/darstellg.h"

#include "app/prompt.h"
#include "gerber/gerberlayer.h"

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

const QColor initialBackground(10, 10, 10);
const QColor initialCross(0, 0, 255);
const QColor initialGrid(210, 210, 210);
const QColor initialOrigin(255, 200, 0);
const QColor initialMeasure(127, 127, 127);
const QColor initialBoardBody(12, 58, 12);
const QColor initialCopper(4, 180, 4);
const QColor initialSilk(252, 254, 252);

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
    , m_document(new Document)
    , m_backgroundColor(initialBackground)
    , m_crossColor(initialCross)
    , m_gridColor(initialGrid)
    , m_originColor(initialOrigin)
    , m_measureColor(initialMeasure)
    , m_boardBodyColor(initialBoardBody)
    , m_copperColor(initialCopper)
    , m_silkColor(initialSilk)
    , m_zoomBox(new QComboBox(this))
    , m_gridSpin(new QDoubleSpinBox(this))
    , m_button(new QPushButton(this))
    , m_progressBar(new QProgressBar(this))
    , m_stepLabel(new QLabel(this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAcceptDrops(true);
    setFocusPolicy(Qt::StrongFocus);

    QStringList zooms;
    zooms.reserve(MaxZoomLevel);
    for (int i = 1; i <= MaxZoomLevel; ++i)
        zooms << QString::number(i * 10) + QLatin1Char('%');
    m_zoomBox->addItems(zooms);
    m_zoomBox->setCurrentIndex(m_zoomLevel - 1);
    m_zoomBox->setObjectName(QStringLiteral("zoomBox"));

    m_gridSpin->setRange(0.01, 100.0);
    m_gridSpin->setSingleStep(0.1);
    m_gridSpin->setValue(1.0);
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

    createLayers();
}

Darstellg::~Darstellg()
{
    deleteLayers();
    qDeleteAll(m_retiredLayers);
    delete m_document;
}

void Darstellg::resetDocument()
{
    m_document->clear();
    deleteLayers();
    createLayers();
    m_showHandExec = true;
    m_showMachineExec = true;
    m_showThtExec = true;
    m_showPlaced = false;
    m_showRefDes = true;
    m_showPickAndPlace = true;
    m_showDrawings = true;
    m_loading = false;
    m_centreOnSelection = false;
    m_selectionCentringCounter = 0;
    m_lastCentredIndex = -1;
    m_pendingChanges = false;
    m_rendering = false;
    m_renderReached = 0;
    m_renderTotal = 0;
    m_progressBar->hide();
    update();
}

void Darstellg::setSide(bool top)
{
    m_document->setSide(top);
    update();
}

// ---- layers

void Darstellg::createLayers()
{
    for (int slot = 0; slot < SlotCount; ++slot) {
        m_topLayers.append(new GerberLayer(slot));
        m_bottomLayers.append(new GerberLayer(slot));
    }
    for (QList<GerberLayer*>* side : { &m_topLayers, &m_bottomLayers }) {
        side->at(Signal)->color = m_copperColor;
        side->at(Silk)->color = m_silkColor;
        // Drill holes are painted in the background colour so they look like holes.
        side->at(Drill)->color = m_backgroundColor;
    }
    for (int i = 0; i < GerberLayerCount; ++i) {
        auto* layer = new GerberLayer(i);
        layer->visible = false;
        m_gerberLayers.append(layer);
    }
}

void Darstellg::deleteLayers()
{
    for (QList<GerberLayer*>* list : { &m_topLayers, &m_bottomLayers, &m_gerberLayers }) {
        for (GerberLayer* layer : qAsConst(*list))
            retireLayer(layer);
        list->clear();
    }
}

void Darstellg::retireLayer(GerberLayer* layer)
{
    // A render thread may still be rasterising the layer; it is freed once the thread
    // has let go of it.
    QList<GerberLayer*> stillBusy;
    for (GerberLayer* old : qAsConst(m_retiredLayers)) {
        if (old->busy)
            stillBusy.append(old);
        else
            delete old;
    }
    m_retiredLayers = stillBusy;
    if (!layer)
        return;
    if (layer->busy)
        m_retiredLayers.append(layer);
    else
        delete layer;
}

const QList<GerberLayer*>& Darstellg::shownLayers() const
{
    if (gerberMode())
        return m_gerberLayers;
    return activeSideIsTop() ? m_topLayers : m_bottomLayers;
}

bool Darstellg::replaceSideLayer(bool top, int slot, GerberLayer* layer)
{
    QList<GerberLayer*>& list = top ? m_topLayers : m_bottomLayers;
    if (!layer || slot < 0 || slot >= list.size())
        return false;
    if (list.at(slot) != layer) {
        retireLayer(list.at(slot));
        list[slot] = layer;
    }
    return true;
}

bool Darstellg::replaceGerberLayer(int index, GerberLayer* layer)
{
    if (!layer || index < 0 || index >= m_gerberLayers.size())
        return false;
    if (m_gerberLayers.at(index) != layer) {
        retireLayer(m_gerberLayers.at(index));
        m_gerberLayers[index] = layer;
    }
    return true;
}

bool Darstellg::layerVisible(int slot) const
{
    if (slot == PickAndPlace)
        return m_showPickAndPlace;
    if (slot < 0 || slot >= m_topLayers.size())
        return false;
    return m_topLayers.at(slot)->visible;
}

void Darstellg::setLayerVisible(int slot, bool on)
{
    if (slot == PickAndPlace) {
        m_showPickAndPlace = on;
        return;
    }
    if (slot < 0 || slot >= SlotCount)
        return;
    m_topLayers.at(slot)->visible = on;
    m_bottomLayers.at(slot)->visible = on;
}

// ---- view state

void Darstellg::setZoomLevel(int z)
{
    m_zoomLevel = qBound(1, z, int(MaxZoomLevel));
    m_zoomBox->setCurrentIndex(m_zoomLevel - 1);
}

void Darstellg::setGridSpacing(double g)
{
    // The spin box's range keeps the pitch positive: a zero pitch would never finish
    // the grid's "multiply by 10 until wide enough" loop.
    if (!std::isfinite(g))
        return;
    m_gridSpin->setValue(g);
    m_gridSpacing = m_gridSpin->value();
}

PartListFilter Darstellg::partListFilter() const
{
    PartListFilter f;
    f.showHand = m_showHandExec;
    f.showMachine = m_showMachineExec;
    f.showTht = m_showThtExec;
    f.showPlaced = m_showPlaced;
    return f;
}

void Darstellg::setBoardColorIndex(int index)
{
    m_boardColorIndex = index;
    applyBoardColors();
    setModified(true);
    update();
}

void Darstellg::setSilkColorIndex(int index)
{
    m_silkColorIndex = index;
    applySilkColor();
    setModified(true);
    update();
}

void Darstellg::restoreColorIndexes(int boardIndex, int silkIndex)
{
    m_boardColorIndex = boardIndex;
    m_silkColorIndex = silkIndex;
    applyBoardColors();
    applySilkColor();
    update();
}

void Darstellg::applyBoardColors()
{
    if (m_boardColorIndex < 0 || m_boardColorIndex >= int(std::size(boardColorTable)))
        return;
    m_boardBodyColor = boardColorTable[m_boardColorIndex].body;
    setCopperColor(boardColorTable[m_boardColorIndex].copper);
}

void Darstellg::applySilkColor()
{
    if (m_silkColorIndex < 0 || m_silkColorIndex >= int(std::size(silkColorTable)))
        return;
    setSilkColor(silkColorTable[m_silkColorIndex]);
}

void Darstellg::setCopperColor(const QColor& c)
{
    m_copperColor = c;
    m_topLayers.at(Signal)->color = c;
    m_bottomLayers.at(Signal)->color = c;
}

void Darstellg::setSilkColor(const QColor& c)
{
    m_silkColor = c;
    m_topLayers.at(Silk)->color = c;
    m_bottomLayers.at(Silk)->color = c;
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
    m_zoomLevel = m_zoomBox->currentIndex() + 1;
    update();
}

void Darstellg::setNewGridAbst()
{
    m_gridSpacing = m_gridSpin->value();
    update();
}

void Darstellg::setNewBgColor()
{
    const QColor c = prompt().color(this, m_backgroundColor, QString());
    if (c.isValid())
        setBackgroundColor(c);
    update();
}

void Darstellg::incrementProgress()
{
    ++m_renderReached;
}

// ---- events

void Darstellg::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), m_backgroundColor);
}

void Darstellg::focusOutEvent(QFocusEvent* event)
{
    m_ctrlHeld = false;
    QWidget::focusOutEvent(event);
}
