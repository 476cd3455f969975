#include "app/windowstatus.h"

#include "app/hoverwatch.h"
#include "app/statustext.h"
#include "ui_mainwindow.h"
#include "view/selectionhits.h"
#include "view/ui/darstellg.h"

#include <QComboBox>
#include <QCursor>
#include <QDebug>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QStatusBar>

WindowStatus::WindowStatus(Ui::MainWindow& ui, Darstellg& view, QMainWindow& window)
    : m_ui(ui)
    , m_view(view)
    , m_hoverWatch(std::make_unique<HoverWatch>())
    , m_statusLabel(new QLabel(&window))
{
    m_statusLabel->setObjectName(QStringLiteral("statusLabel"));
    window.statusBar()->addWidget(m_statusLabel);
    window.statusBar()->addWidget(m_view.progressBar());
    window.statusBar()->addWidget(m_view.stepLabel());
}

WindowStatus::~WindowStatus() = default;

void WindowStatus::tickCursorPosition()
{
    const QPoint p = m_view.mapFromGlobal(QCursor::pos());
    m_cursorOverView = m_view.rect().contains(p);
    const int z = qMax(1, m_view.zoomLevel());
    m_cursor = QPointF(
        double(p.x() - m_view.viewOffsetX()) / z, double(m_view.height() - p.y() + m_view.viewOffsetY()) / z);
}

void WindowStatus::tickRenderProgress()
{
    QAction* const guarded[3] = { m_ui.actionRotate, m_ui.actionMirror, m_ui.actionSetNewOrigin };
    bool anyDisabled = false;
    bool anyEnabled = false;
    for (QAction* a : guarded) {
        anyDisabled |= !a->isEnabled();
        anyEnabled |= a->isEnabled();
    }
    QProgressBar* bar = m_view.progressBar();
    const bool blocked = m_view.interactionBlocked();
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
    const int reached = m_view.viewState().render.reached;
    const int total = m_view.viewState().render.total;
    if (!m_view.viewState().render.rendering) {
        if ((anyDisabled && !blocked) || bar->isVisible())
            finish();
    } else if (reached < total || m_view.layers().anyBusy()) {
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
        m_view.viewState().render.rendering = false;
        finish();
    }
    if (m_view.viewState().render.rendering && bar->value() != reached) {
        bar->setValue(reached);
        qDebug().nospace() << "increment Progress | int: " << reached << "/" << total
                           << " | progressbar: " << bar->value() << "/" << bar->maximum();
    }
}

void WindowStatus::tickStatusText()
{
    QComboBox* machines = m_ui.comboBox;
    const QString suffix = StatusText::machineSuffix(
        machines->count(), machines->currentIndex(), m_ui.lineselect->currentText(), machines->currentText());
    QString hoverText;
    const QList<PnPEntry*> entries = m_view.document().currentList();
    bool repaint = false;
    if (m_cursorOverView) {
        const HoverTracker::Result hover = m_hoverWatch->track(
            entries, m_cursor.x(), m_cursor.y(), SelectionHits::placementBases(m_view.document()));
        hoverText = hover.text;
        repaint = hover.repaint;
    } else {
        // A highlight must not stay behind when the cursor leaves the view over a placement.
        repaint = m_hoverWatch->fade(entries);
    }
    if (repaint)
        m_view.update();
    const QString text
        = StatusText::statusLine(m_cursorOverView, m_cursor.x(), m_cursor.y(), hoverText, suffix);
    m_statusLabel->setText(QLatin1Char(' ') + text);
}
