// Placement of the central widgets, the feeder overview toggle and dragging the side panels.
#include "app/mainwindow.h"

#include "app/windowlayout.h"
#include "line/ui/feeder.h"
#include "ui_mainwindow.h"
#include "view/ui/darstellg.h"

#include <QMouseEvent>
#include <QPushButton>
#include <algorithm>

void MainWindow::paintEvent(QPaintEvent* event)
{
    applyLayout();
    QMainWindow::paintEvent(event);
}

void MainWindow::applyLayout()
{
    const WindowLayout l = computeLayout(
        width(), height(), m_panels.left, m_panels.right, m_panels.feederHeight, m_layerModeActive);
    // Widgets are only moved when their place changed, so a repaint does not cascade.
    auto place = [](QWidget* w, const QRect& r) {
        if (w->geometry() != r)
            w->setGeometry(r);
    };
    place(m_view, l.view);
    if (l.layerMode) {
        place(m_ui->gerber_table, l.layerTable);
        return;
    }
    place(m_ui->feeder, l.feeder);
    place(m_ui->viewFeederButton, l.feederButton);
    place(m_ui->teile, l.partTable);
    place(m_ui->pickandplacepositionen, l.placementTable);
    place(m_ui->boardStuff, l.infoTabs);
    place(m_ui->OriginsTable, l.originsTable);
    place(m_ui->frame, l.machineFrame);
    place(m_ui->feeder_config, l.feederTable);
}

void MainWindow::on_viewFeederButton_clicked()
{
    if (m_panels.feederHeight == PanelSizes::feederOpen) {
        m_ui->viewFeederButton->setText(QString(QChar(0x25B2)));
        m_panels.feederHeight = PanelSizes::feederClosed;
        m_ui->feeder->setFolded(true);
        m_view->viewState().offsetY -= PanelSizes::feederOffsetStep;
    } else {
        m_ui->viewFeederButton->setText(QString(QChar(0x25BC)));
        m_panels.feederHeight = PanelSizes::feederOpen;
        m_ui->feeder->setFolded(false);
        m_view->viewState().offsetY += PanelSizes::feederOffsetStep;
    }
    update();
    m_view->update();
}

void MainWindow::mousePressEvent(QMouseEvent* event)
{
    if (m_panels.nearBoundary && event->button() == Qt::LeftButton) {
        m_panels.dragging = true;
        m_panels.dragX = event->pos().x();
        return;
    }
    // A press inside the view hands it the keyboard and goes to the current tool.
    if (m_view->geometry().translated(m_ui->centralWidget->pos()).contains(event->pos()))
        m_view->setFocus();
    if (!toolPress(event))
        QMainWindow::mousePressEvent(event);
}

void MainWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (m_panels.dragging) {
        const QList<PnPEntry*> entries = m_view->document().currentList();
        const bool movingPlacement
            = std::any_of(entries.cbegin(), entries.cend(), [](const PnPEntry* e) { return e->moving(); });
        if (!movingPlacement) {
            dragPanels(width(), m_panels.left, m_panels.right, m_panels.dragX, event->pos().x());
            update();
        }
        return;
    }
    if (toolDragsAcrossView(m_view->toolMode()) && (event->buttons() & Qt::LeftButton))
        m_mouseDragging = true;
    toolMove(event);
    QMainWindow::mouseMoveEvent(event);
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event)
{
    m_mouseDragging = false;
    if (m_panels.dragging) {
        m_panels.dragging = false;
        return;
    }
    toolRelease(event);
    QMainWindow::mouseReleaseEvent(event);
}
