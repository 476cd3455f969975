// The board view's interactive tools: mouse and key events over the view go to BoardTools, and
// what it asks for afterwards (tables, fields, the text dialog, the context menu, a new origin)
// happens here.
#include "app/mainwindow.h"

#include "app/boardpanel.h"
#include "app/placementtables.h"
#include "app/undoactions.h"
#include "board/boardtransform.h"
#include "ui_mainwindow.h"
#include "uikit/prompt.h"
#include "view/ui/darstellg.h"
#include "view/ui/insert_text_dlg.h"

#include <QCursor>
#include <QDebug>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <cmath>

BoardTools& MainWindow::boardTools()
{
    if (!m_tools)
        m_tools = std::make_unique<BoardTools>(m_view->document(), m_view->viewState(), m_view->overlays());
    return *m_tools;
}

bool MainWindow::toolPress(QMouseEvent* event)
{
    const QPoint at = m_view->mapFrom(this, event->pos());
    if (!m_view->rect().contains(at) || m_view->interactionBlocked())
        return false;
    m_view->setCentreOnSelection(false);
    const bool ctrl = (event->modifiers() & Qt::ControlModifier) || m_view->ctrlHeld();
    m_undo->toolPressed();
    applyToolResponse(
        boardTools().press(at, m_view->height(), event->button(), ctrl, m_drawingsColor), event);
    return true;
}

void MainWindow::toolMove(QMouseEvent* event)
{
    if (!m_tools || !m_tools->dragging())
        return;
    applyToolResponse(m_tools->move(m_view->mapFrom(this, event->pos()), m_view->height()), event);
}

void MainWindow::toolRelease(QMouseEvent* event)
{
    if (m_tools)
        applyToolResponse(
            m_tools->release(m_view->mapFrom(this, event->pos()), m_view->height(), event->button()), event);
    m_undo->toolReleased(UndoActions::toolStepName(m_view->viewState().tool));
}

void MainWindow::followCursorWithTool()
{
    if (m_tools && m_tools->dragging())
        applyToolResponse(m_tools->move(m_view->mapFromGlobal(QCursor::pos()), m_view->height()), nullptr);
}

void MainWindow::applyToolResponse(const ToolResponse& r, QMouseEvent* event)
{
    if (r.cursor == ToolResponse::Cursor::ClosedHand)
        m_view->setCursor(Qt::ClosedHandCursor);
    else if (r.cursor == ToolResponse::Cursor::Normal)
        m_view->unsetCursor();
    if (r.newOrigin)
        m_board->setOriginAt(*r.newOrigin);
    if (r.documentChanged)
        m_tables->rebuildTables();
    if (r.fiducialsChanged)
        m_board->fillFiducialFields();
    // Rebuilt tables show no selection until they are told it again.
    if (r.selectionChanged || r.documentChanged)
        m_tables->showViewSelection();
    if (r.repaint)
        m_view->update();
    if (r.askText)
        askDrawingText();
    if (r.contextMenu && event)
        m_tables->viewContextMenu()->popup(event->globalPos());
}

void MainWindow::askDrawingText()
{
    insert_text_dlg dialog(this);
    const bool accepted = prompt().exec(&dialog) == QDialog::Accepted;
    const QString text = dialog.text();
    const QFont font = dialog.selectedFont();
    const int size = dialog.textSize();
    // The text's box in mm: it is drawn with a pixel size of size × zoom / 10.
    QFont measured = font;
    measured.setPixelSize(qMax(1, size));
    const QFontMetricsF metrics(measured);
    const QSizeF extent(metrics.horizontalAdvance(text) / 10.0, metrics.ascent() / 10.0);
    applyToolResponse(boardTools().finishText(accepted, text, font, size, extent), nullptr);
    selectTool(ToolMode::SetNewPosition);
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Control) {
        if (!event->isAutoRepeat())
            qDebug() << "ctrl pressed";
        m_view->setCtrlHeld(true);
        return;
    }
    if (m_view->toolMode() == ToolMode::Movement && !m_view->interactionBlocked()) {
        const int key = event->key();
        const int dx = key == Qt::Key_Right ? 1 : key == Qt::Key_Left ? -1 : 0;
        const int dy = key == Qt::Key_Up ? 1 : key == Qt::Key_Down ? -1 : 0;
        if (dx != 0 || dy != 0) {
            applyToolResponse(boardTools().arrowKey(dx, dy), nullptr);
            return;
        }
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Control) {
        if (!event->isAutoRepeat())
            qDebug() << "ctrl release";
        m_view->setCtrlHeld(false);
        return;
    }
    QMainWindow::keyReleaseEvent(event);
}
