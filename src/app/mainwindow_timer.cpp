// The 20 ms driver: everything that happens outside the event handlers, in a fixed order.
#include "app/mainwindow.h"

#include "app/documentsession.h"
#include "app/feederpanel.h"
#include "app/hoverwatch.h"
#include "app/layerslots.h"
#include "app/placementtables.h"
#include "app/statustext.h"
#include "app/undoactions.h"
#include "app/windowlayout.h"
#include "model/fileio.h"
#include "ui_mainwindow.h"
#include "view/ui/darstellg.h"

#include <QComboBox>
#include <QCursor>
#include <QDebug>
#include <QLabel>
#include <QProgressBar>
#include <QTimerEvent>

void MainWindow::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_timerId) {
        QMainWindow::timerEvent(event);
        return;
    }
    tick();
}

void MainWindow::tick()
{
    // A step that processes events (a table rebuild, a project load) must not start the
    // next tick inside this one, nor run requests that change the list being shown.
    if (m_inTick || m_tables->creatingLists())
        return;
    m_inTick = true;
    // The order matters: the cursor position feeds the status line and hover, table requests
    // run before the save action looks at the modified flag, and the after-load step sees
    // everything a load changed in this tick.
    tickCursorPosition();
    m_document->tickPendingOpen();
    tickRenderProgress();
    tickEdgeScrolling();
    tickStatusText();
    tickPanelBoundary();
    m_tables->executeRequests();
    m_document->tickSaveAction();
    m_layers->executeRequests();
    m_tables->executeMachineRequests();
    m_feeders->executeRequests();
    m_feeders->tickLineChanged();
    m_tables->refreshSearch();
    m_document->tickAfterLoad();
    m_undo->tick();
    m_inTick = false;
}

void MainWindow::tickCursorPosition()
{
    const QPoint p = m_view->mapFromGlobal(QCursor::pos());
    m_cursorOverView = m_view->rect().contains(p);
    const int z = qMax(1, m_view->zoomLevel());
    m_cursor = QPointF(double(p.x() - m_view->viewOffsetX()) / z,
        double(m_view->height() - p.y() + m_view->viewOffsetY()) / z);
}

void MainWindow::tickRenderProgress()
{
    QAction* const guarded[3] = { m_ui->actionRotate, m_ui->actionMirror, m_ui->actionSetNewOrigin };
    bool anyDisabled = false;
    bool anyEnabled = false;
    for (QAction* a : guarded) {
        anyDisabled |= !a->isEnabled();
        anyEnabled |= a->isEnabled();
    }
    QProgressBar* bar = m_view->progressBar();
    const bool blocked = m_view->interactionBlocked();
    auto finish = [&] {
        qDebug() << "activate dat shit";
        // While interaction is blocked the unblock gives the actions back.
        if (!blocked) {
            for (QAction* a : guarded)
                a->setEnabled(true);
        }
        bar->hide();
        qDebug() << "go further";
    };
    const int reached = m_view->viewState().render.reached;
    const int total = m_view->viewState().render.total;
    if (!m_view->viewState().render.rendering) {
        if ((anyDisabled && !blocked) || bar->isVisible())
            finish();
    } else if (reached < total || m_view->layers().anyBusy()) {
        // A layer still read by a thread keeps the transforms off, whatever the counters say.
        if (anyEnabled || bar->isHidden()) {
            qDebug() << "deactivate dat shit";
            for (QAction* a : guarded)
                a->setEnabled(false);
            bar->setRange(0, total);
            bar->show();
            qDebug() << "go further";
        }
    } else {
        m_view->viewState().render.rendering = false;
        finish();
    }
    if (m_view->viewState().render.rendering && bar->value() != reached) {
        bar->setValue(reached);
        qDebug().nospace() << "increment Progress | int: " << reached << "/" << total
                           << " | progressbar: " << bar->value() << "/" << bar->maximum();
    }
}

void MainWindow::tickEdgeScrolling()
{
    if (!toolDragsAcrossView(m_view->toolMode()) || !m_mouseDragging)
        return;
    const QPoint p = m_view->mapFromGlobal(QCursor::pos());
    if (p.x() >= m_view->width() - 25)
        m_view->viewState().offsetX -= 10;
    else if (p.x() <= 25)
        m_view->viewState().offsetX += 10;
    if (p.y() >= m_view->height() - 25)
        m_view->viewState().offsetY += 10;
    else if (p.y() <= 25)
        m_view->viewState().offsetY -= 10;
    followCursorWithTool();
    m_view->update();
}

void MainWindow::tickStatusText()
{
    QComboBox* machines = m_ui->comboBox;
    const QString suffix = StatusText::machineSuffix(machines->count(), machines->currentIndex(),
        m_ui->lineselect->currentText(), machines->currentText());
    QString hoverText;
    const QList<PnPEntry*> entries = m_view->document().currentList();
    bool repaint = false;
    if (m_cursorOverView) {
        const HoverTracker::Result hover = m_hoverWatch->track(
            entries, m_cursor.x(), m_cursor.y(), SelectionHits::placementBases(m_view->document()));
        hoverText = hover.text;
        repaint = hover.repaint;
    } else {
        // A highlight must not stay behind when the cursor leaves the view over a placement.
        repaint = m_hoverWatch->fade(entries);
    }
    if (repaint)
        m_view->update();
    const QString text
        = StatusText::statusLine(m_cursorOverView, m_cursor.x(), m_cursor.y(), hoverText, suffix);
    m_statusLabel->setText(QLatin1Char(' ') + text);
}

void MainWindow::tickPanelBoundary()
{
    if (m_layerModeActive)
        return;
    const QPoint p = mapFromGlobal(QCursor::pos());
    const QRect view = m_view->geometry().translated(m_ui->centralWidget->pos());
    const bool inHeight = p.y() >= view.top() && p.y() <= view.bottom();
    const bool nearLeft = qAbs(p.x() - view.left()) <= PanelSizes::grabDistance;
    const bool nearRight = qAbs(p.x() - (view.right() + 1)) <= PanelSizes::grabDistance;
    if (inHeight && (nearLeft || nearRight)) {
        setCursor(Qt::SizeHorCursor);
        m_panels.nearBoundary = true;
    } else if (!m_panels.dragging) {
        unsetCursor();
        m_panels.nearBoundary = false;
    }
}
