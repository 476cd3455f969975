// The board view's drawing, zoom, navigation, drops and background rendering.
#include "gerber/gerberlayer.h"
#include "model/fileio.h"
#include "view/renderthread.h"
#include "view/selectioncentring.h"
#include "view/selectionhits.h"
#include "view/ui/darstellg.h"

#include <QComboBox>
#include <QDebug>
#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QUrl>
#include <QWheelEvent>

namespace {

const int keyScrollPixels = 10;

// The local files a drag carries.
QStringList localFiles(const QMimeData* mime)
{
    return mime ? FileIo::localPaths(mime->urls()) : QStringList();
}

} // namespace

// ---- drawing

BoardScene Darstellg::scene() const
{
    BoardScene s;
    s.document = m_document.get();
    s.layers = m_layers.get();
    s.state = &m_state;
    s.list = shownLayerList();
    s.rotationOffsets = &m_rotationOffsets;
    s.centreOnSelection = m_centreOnSelection;
    s.overlays = m_overlays;
    return s;
}

QImage Darstellg::renderImage()
{
    centreSelection();
    QImage image(size(), QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    m_painter.paint(p, size(), scene());
    return image;
}

void Darstellg::centreSelection()
{
    const QList<QPointF> bases = SelectionHits::placementBases(*m_document);
    const QPointF base = bases.isEmpty() ? QPointF() : bases.first();
    SelectionCentring centring { m_selectionCentringCounter, m_lastCentredIndex };
    if (!m_document->gerberMode())
        centring.apply(m_state, m_document->currentList(), base, m_centreOnSelection, size());
    m_selectionCentringCounter = centring.counter;
    m_lastCentredIndex = centring.lastIndex;
}

void Darstellg::fitToBoard()
{
    ViewZoom::fit(m_state, BoardPainter::contentExtent(scene()), size());
    setZoomLevel(m_state.zoomLevel);
    update();
}

bool Darstellg::fitIfBoardOutOfView()
{
    // A view not on screen yet has no size to judge by; the file given at start keeps its zoom.
    if (!isVisible())
        return false;
    const QRectF board = BoardPainter::contentExtent(scene());
    if (board.isNull() || ViewZoom::showsAny(m_state, board, size()))
        return false;
    fitToBoard();
    return true;
}

// ---- zoom and navigation

void Darstellg::zoomStep(bool in, const QPointF& at)
{
    if (!ViewZoom::zoomAbout(m_state, in, at, height()))
        return;
    // The combo follows without zooming again: its slot only reads the level back.
    const QSignalBlocker block(zoomBox());
    zoomBox()->setCurrentIndex(m_state.zoomLevel - 1);
}

void Darstellg::wheelEvent(QWheelEvent* event)
{
    const int steps = m_wheel.add(event->angleDelta().y());
    for (int i = 0; i < qAbs(steps); ++i)
        zoomStep(steps > 0, event->position());
    if (steps != 0)
        update();
    event->accept();
}

void Darstellg::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::MiddleButton) {
        event->ignore();
        return;
    }
    m_panning = true;
    m_panFrom = event->pos();
    event->accept();
}

void Darstellg::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_panning) {
        event->ignore();
        return;
    }
    const QPoint d = event->pos() - m_panFrom;
    m_panFrom = event->pos();
    m_state.offsetX += d.x();
    m_state.offsetY -= d.y();
    update();
    event->accept();
}

void Darstellg::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::MiddleButton || !m_panning) {
        event->ignore();
        return;
    }
    m_panning = false;
    event->accept();
}

void Darstellg::keyPressEvent(QKeyEvent* event)
{
    const bool movement = m_state.tool == ToolMode::Movement;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
        // In movement mode the arrows move the selection; the main window handles them.
        if (movement) {
            event->ignore();
            return;
        }
        if (event->key() == Qt::Key_Up)
            m_state.offsetY -= keyScrollPixels;
        else if (event->key() == Qt::Key_Down)
            m_state.offsetY += keyScrollPixels;
        else if (event->key() == Qt::Key_Left)
            m_state.offsetX -= keyScrollPixels;
        else
            m_state.offsetX += keyScrollPixels;
        break;
    case Qt::Key_Plus:
        zoomStep(true, QPointF(width() / 2.0, height() / 2.0));
        break;
    case Qt::Key_Minus:
        zoomStep(false, QPointF(width() / 2.0, height() / 2.0));
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    update();
}

void Darstellg::keyReleaseEvent(QKeyEvent* event)
{
    QWidget::keyReleaseEvent(event);
}

// ---- file drops

void Darstellg::dragEnterEvent(QDragEnterEvent* event)
{
    if (!localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void Darstellg::dragMoveEvent(QDragMoveEvent* event)
{
    if (!localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void Darstellg::dragLeaveEvent(QDragLeaveEvent* event)
{
    event->accept();
}

void Darstellg::dropEvent(QDropEvent* event)
{
    const QStringList paths = localFiles(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    emit filesDropped(paths);
}

// ---- background rendering

void Darstellg::expectRenders(int count)
{
    RenderProgress& r = m_state.render;
    if (r.rendering && r.reached < r.total) {
        r.total += 2 * count;
    } else {
        r.total = 2 * count;
        r.reached = 0;
    }
    r.rendering = true;
    progressBar()->setRange(0, r.total);
    progressBar()->setValue(r.reached);
    progressBar()->show();
}

bool Darstellg::startRendering(GerberLayer* layer)
{
    if (!layer || layer->busy)
        return false;
    m_renderThreads.removeAll(QPointer<RenderThread>());
    auto* thread = new RenderThread(layer, this);
    connect(thread, &QThread::finished, this, &Darstellg::incrementProgress);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    m_renderThreads.append(thread);
    ++m_state.render.reached;
    qDebug() << "start rendering " << m_state.render.reached;
    thread->start(QThread::InheritPriority);
    return true;
}

bool Darstellg::layerImageChanged(GerberLayer* layer)
{
    if (!layer || layer->busy)
        return false;
    layer->rendered = false;
    layer->layerRaster.clear();
    m_composer.invalidate();
    expectRenders();
    startRendering(layer);
    update();
    return true;
}

void Darstellg::waitForRenders()
{
    for (const QPointer<RenderThread>& t : qAsConst(m_renderThreads))
        if (t)
            t->wait();
    m_renderThreads.clear();
    m_layers->collectRetired();
}
