#include "app/panellayout.h"

#include "line/ui/feeder.h"
#include "ui_mainwindow.h"
#include "view/ui/darstellg.h"

#include <QCursor>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <algorithm>

PanelLayout::PanelLayout(
    Ui::MainWindow& ui, Darstellg& view, QMainWindow& window, std::function<bool()> layerModeActive)
    : m_ui(ui)
    , m_view(view)
    , m_window(window)
    , m_layerModeActive(std::move(layerModeActive))
{ }

void PanelLayout::apply()
{
    const WindowLayout l = computeLayout(m_window.width(), m_window.height(), m_panels.left, m_panels.right,
        m_panels.feederHeight, m_layerModeActive());
    // Widgets are only moved when their place changed, so a repaint does not cascade.
    auto place = [](QWidget* w, const QRect& r) {
        if (w->geometry() != r)
            w->setGeometry(r);
    };
    place(&m_view, l.view);
    if (l.layerMode) {
        place(m_ui.gerber_table, l.layerTable);
        return;
    }
    place(m_ui.feeder, l.feeder);
    place(m_ui.viewFeederButton, l.feederButton);
    place(m_ui.teile, l.partTable);
    place(m_ui.pickandplacepositionen, l.placementTable);
    place(m_ui.boardStuff, l.infoTabs);
    place(m_ui.OriginsTable, l.originsTable);
    place(m_ui.frame, l.machineFrame);
    place(m_ui.feeder_config, l.feederTable);
}

void PanelLayout::toggleFeeder()
{
    if (m_panels.feederHeight == PanelSizes::feederOpen) {
        m_ui.viewFeederButton->setText(QString(QChar(0x25B2)));
        m_panels.feederHeight = PanelSizes::feederClosed;
        m_ui.feeder->setFolded(true);
        m_view.viewState().offsetY -= PanelSizes::feederOffsetStep;
    } else {
        m_ui.viewFeederButton->setText(QString(QChar(0x25BC)));
        m_panels.feederHeight = PanelSizes::feederOpen;
        m_ui.feeder->setFolded(false);
        m_view.viewState().offsetY += PanelSizes::feederOffsetStep;
    }
    m_window.update();
    m_view.update();
}

bool PanelLayout::press(QMouseEvent* event)
{
    if (!m_panels.nearBoundary || event->button() != Qt::LeftButton)
        return false;
    m_panels.dragging = true;
    m_panels.dragX = event->pos().x();
    return true;
}

bool PanelLayout::move(QMouseEvent* event)
{
    if (!m_panels.dragging)
        return false;
    const QList<PnPEntry*> entries = m_view.document().currentList();
    const bool movingPlacement
        = std::any_of(entries.cbegin(), entries.cend(), [](const PnPEntry* e) { return e->moving(); });
    if (!movingPlacement) {
        dragPanels(m_window.width(), m_panels.left, m_panels.right, m_panels.dragX, event->pos().x());
        m_window.update();
    }
    return true;
}

bool PanelLayout::release()
{
    if (!m_panels.dragging)
        return false;
    m_panels.dragging = false;
    return true;
}

void PanelLayout::tickBoundary()
{
    if (m_layerModeActive())
        return;
    const QPoint p = m_window.mapFromGlobal(QCursor::pos());
    const QRect view = m_view.geometry().translated(m_ui.centralWidget->pos());
    const bool inHeight = p.y() >= view.top() && p.y() <= view.bottom();
    const bool nearLeft = qAbs(p.x() - view.left()) <= PanelSizes::grabDistance;
    const bool nearRight = qAbs(p.x() - (view.right() + 1)) <= PanelSizes::grabDistance;
    if (inHeight && (nearLeft || nearRight)) {
        m_window.setCursor(Qt::SizeHorCursor);
        m_panels.nearBoundary = true;
    } else if (!m_panels.dragging) {
        m_window.unsetCursor();
        m_panels.nearBoundary = false;
    }
}
