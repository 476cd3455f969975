#include "documentsetup.h"
#include "tables/ui/pnplist.h"
#include "ui_mainwindow.h"
#include "view/toolgeometry.h"
#include "view/ui/darstellg.h"
#include "view/ui/insert_text_dlg.h"
#include "windowfixture.h"

#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <cmath>

namespace {

// A window whose board view shows world (0, 0) well inside, at 10 pixels per mm.
struct ToolWindow
{
    TemporaryHome home;
    ScriptedPrompt prompt;
    MainWindow w;
    Document& doc;

    ToolWindow()
        : doc(w.view()->document())
    {
        w.resize(1400, 1000);
        w.panelLayout().apply();
        w.view()->viewState().offsetX = 300;
        w.view()->viewState().offsetY = -300;
    }
    QPoint at(const QPointF& mm) const
    {
        const ViewState& s = w.view()->viewState();
        return QPoint(s.offsetX + int(std::lround(s.zoomLevel * mm.x())),
            w.view()->height() + s.offsetY - int(std::lround(s.zoomLevel * mm.y())));
    }
    void press(const QPointF& mm, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {})
    {
        QTest::mousePress(w.view(), b, m, at(mm));
    }
    void drag(const QPointF& mm)
    {
        QMouseEvent e(QEvent::MouseMove, at(mm), w.view()->mapToGlobal(at(mm)), Qt::NoButton, Qt::LeftButton,
            Qt::NoModifier);
        QApplication::sendEvent(w.view(), &e);
    }
    void release(const QPointF& mm, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mouseRelease(w.view(), b, {}, at(mm));
    }
    void click(const QPointF& mm, Qt::KeyboardModifiers m = {}, Qt::MouseButton b = Qt::LeftButton)
    {
        press(mm, b, m);
        release(mm, b);
    }
    PnPEntry* add(const QString& ref, double x, double y, double rotation = 0)
    {
        auto* e = new PnPEntry(ref, "0805", x, y, "top", rotation, "10k", "1", "");
        doc.appendEntry(e);
        return e;
    }
    QList<bool> drawingSelection() const
    {
        QList<bool> flags;
        for (const Drawing& d : doc.drawings())
            flags.append(d.selected);
        return flags;
    }
};

bool near(const PnPEntry* e, double x, double y, double rotation)
{
    return std::fabs(e->x() - x) < 1e-9 && std::fabs(e->y() - y) < 1e-9
        && std::fabs(e->rotation() - rotation) < 1e-9;
}

} // namespace

// The board view's tools driven with the mouse and keyboard, as a user does.
class TstMainWindowTools : public QObject
{
    Q_OBJECT
private slots:
    void drawAndSelectDrawings()
    {
        ToolWindow t;
        t.w.tools().selectTool(ToolMode::DrawRectangle);
        t.press({ 2, 3 });
        t.drag({ 4.2, 5.6 });
        t.drag({ 6, 8 });
        t.release({ 6, 8 });
        t.w.tools().selectTool(ToolMode::DrawLine);
        t.click({ 10, 10 }); // no drag, nothing to draw
        t.press({ 10, 10 });
        t.drag({ 4, 10 });
        t.release({ 4, 10 });
        const Drawings drawings = t.doc.drawings();
        QCOMPARE(drawings.size(), 2);
        QCOMPARE(QRectF(QPointF(drawings[0].startX, drawings[0].startY),
                     QPointF(drawings[0].endX, drawings[0].endY)),
            QRectF(QPointF(2, 3), QPointF(6, 8)));
        QVERIFY(drawings[1].type == Drawing::Line && drawings[1].color == QColor(255, 0, 0));
        QVERIFY(t.w.view()->document().isModified());

        // The line was drawn right to left; a click near it still takes it.
        t.w.tools().selectTool(ToolMode::SetNewPosition);
        t.click({ 7, 10.2 });
        QCOMPARE(t.drawingSelection(), (QList<bool> { false, true }));
        t.click({ 2, 5 }, Qt::ControlModifier);
        QCOMPARE(t.drawingSelection(), (QList<bool> { true, true }));
        // Dragging a corner of a selected drawing resizes it.
        t.press({ 4.2, 10 });
        t.drag({ 4, 12.4 });
        t.release({ 4, 12.4 });
        QCOMPARE(QPointF(t.doc.drawings()[1].endX, t.doc.drawings()[1].endY), QPointF(4, 12));
        QCOMPARE(t.drawingSelection(), (QList<bool> { true, true }));
        t.click({ 4, 5 }); // deep inside the hollow rectangle: nothing
        QCOMPARE(t.drawingSelection(), (QList<bool> { false, false }));
    }

    // The band works in the positions where placements are drawn (board origin added); arrows
    // and the mouse then move the selection, fiducials with it.
    void bandSelectThenMove()
    {
        ToolWindow t;
        editBoard(t.doc, [&](BoardInfo& b) { b.setOriginX(10); });
        PnPEntry* inside = t.add("R1", 5, 5);
        PnPEntry* outside = t.add("R2", 30, 30);
        editFiducials(t.doc, [&](Fiducials& f) {
            f.setBoardExec(true);
            f.setBoard1X(6);
            f.setBoard1Y(6);
        });
        t.w.tables().createLists();
        t.w.tools().selectTool(ToolMode::MultipleSelection);
        t.press({ 13, 3 });
        t.drag({ 17, 7 });
        QVERIFY(t.w.view()->overlays().rubberBandShown);
        t.release({ 17, 7 });
        QVERIFY(!t.w.view()->overlays().rubberBandShown);
        QVERIFY(inside->selected() && !outside->selected() && t.doc.fiducials()->board1Selected());
        QCOMPARE(t.w.form()->pickandplacepositionen->selectedRowNumbers(), QList<int> { 0 });

        t.w.tools().selectTool(ToolMode::Movement);
        for (Qt::Key key : { Qt::Key_Right, Qt::Key_Right, Qt::Key_Up })
            QTest::keyClick(t.w.view(), key);
        QVERIFY(near(inside, 7, 6, 0));
        QCOMPARE(QPointF(t.doc.fiducials()->board1X(), t.doc.fiducials()->board1Y()), QPointF(8, 7));
        QVERIFY(near(outside, 30, 30, 0));
        t.press({ 17, 6 });
        QVERIFY(inside->moving());
        t.drag({ 19.2, 5.6 });
        t.release({ 19.2, 5.6 });
        QVERIFY(!inside->moving() && near(inside, 9, 6, 0) && t.w.view()->document().isModified());
        QCOMPARE(t.w.form()->pickandplacepositionen->selectedRowNumbers(), QList<int> { 0 });

        // A new document ends the drag: the next press leaves the deleted placements alone.
        t.press({ 19, 6 });
        t.prompt.questionAnswers.enqueue(QMessageBox::No);
        t.w.form()->actionNeu->trigger();
        t.click({ 1, 1 });
    }

    void rotateSelectionByDragging()
    {
        ToolWindow t;
        PnPEntry* turned = t.add("R1", 10, 0);
        PnPEntry* kept = t.add("R2", 0, 5, 45);
        turned->setSelected(true);
        t.w.tools().selectTool(ToolMode::RotateSelection);
        t.press({ 0, 10 });
        QCOMPARE(t.w.view()->cursor().shape(), Qt::ClosedHandCursor);
        t.drag({ 10, 0 }); // a quarter turn clockwise
        QVERIFY(near(turned, 0, -10, 270));
        t.drag({ 0, 0 }); // the pivot has no direction: ignored
        QVERIFY(near(turned, 0, -10, 270));
        t.drag({ -10, 0 });
        t.drag({ 0, 10 }); // the full turn returns to the snapshot
        QVERIFY(near(turned, 10, 0, 0) && near(kept, 0, 5, 45));
        t.release({ 0, 10 });
        QVERIFY(t.w.view()->cursor().shape() != Qt::ClosedHandCursor);

        // A drag that starts at the pivot counts from its first usable position; a turn that
        // would overflow a coordinate leaves that placement as it was.
        PnPEntry* huge = t.add("R3", 1.5e308, 1.5e308);
        huge->setSelected(true);
        t.press({ 0, 0 });
        t.drag({ 10, 0 });
        t.drag({ 10, -10 });
        t.release({ 10, -10 });
        QVERIFY(near(turned, 10 * std::sqrt(0.5), -10 * std::sqrt(0.5), 315));
        QCOMPARE(huge->x(), 1.5e308);
    }

    void measureTextAndOrigin()
    {
        ToolWindow t;
        t.w.tools().selectTool(ToolMode::Measure);
        t.press({ 1, 1 });
        t.drag({ 4.2, 4.9 });
        const BoardOverlays& o = t.w.view()->overlays();
        QVERIFY(o.measurementShown);
        QCOMPARE(ToolGeometry::measureBoxText(ToolGeometry::measure(o.measureFrom, o.measureTo)),
            QStringLiteral("X: 3.00mm   Y: 4.00mm   Total: 5.00mm"));
        t.release({ 4.2, 4.9 });
        QVERIFY(!o.measurementShown);

        // An empty text is aborted; a text is added with its size. Both end in set new position.
        t.prompt.dialogHandlers.enqueue([](QDialog*) { return int(QDialog::Accepted); });
        t.prompt.dialogHandlers.enqueue([](QDialog* d) {
            auto* dialog = qobject_cast<insert_text_dlg*>(d);
            dialog->textEdit()->setText(QStringLiteral("Rev;A"));
            dialog->sizeBox()->setValue(30);
            return int(QDialog::Accepted);
        });
        for (int i = 0; i < 2; ++i) {
            t.w.tools().selectTool(ToolMode::InsertText);
            t.click({ 5, 5 });
            QCOMPARE(t.w.view()->toolMode(), ToolMode::SetNewPosition);
        }
        QCOMPARE(t.prompt.callsOf("exec").first().title, QStringLiteral("Insert Text"));
        QCOMPARE(t.doc.drawings().size(), 1);
        QVERIFY(t.doc.drawings().first().text == "Rev;A" && t.doc.drawings().first().textSize == 30);
        t.click({ 6, 5.8 }); // on the text
        QCOMPARE(t.drawingSelection(), QList<bool> { true });

        // The clicked point becomes the origin; the board stays where it is on screen.
        PnPEntry* e = t.add("R1", 12.345, 7);
        const int offsetX = t.w.view()->viewOffsetX();
        t.w.tools().selectTool(ToolMode::SetNewOrigin);
        t.click({ 10, 5 });
        QVERIFY(near(e, 2.345, 2, 0)); // moved with its pad, not cut
        QCOMPARE(t.w.view()->viewOffsetX(), offsetX + 100);
    }

    // Clicks select by where the cursor is at the press, without waiting for a timer tick.
    void clickSelectionCtrlAndContextMenu()
    {
        ToolWindow t;
        PnPEntry* a = t.add("R1", 5, 5);
        PnPEntry* b = t.add("R2", 10, 5);
        PnPEntry* c = t.add("R3", 15, 5);
        t.w.tables().createLists();
        t.click({ 5.3, 4.8 });
        QVERIFY(a->selected() && !b->selected());
        QTest::keyPress(t.w.view(), Qt::Key_Control);
        QVERIFY(t.w.view()->ctrlHeld());
        t.click({ 10, 5 });
        QVERIFY(a->selected() && b->selected());
        t.click({ 5, 5 }); // Ctrl toggles
        QVERIFY(!a->selected() && b->selected());
        QTest::keyRelease(t.w.view(), Qt::Key_Control);
        QVERIFY(!t.w.view()->ctrlHeld());

        // A right click on a placement makes it the selection the menu acts on.
        t.click({ 15, 5 }, {}, Qt::RightButton);
        QVERIFY(c->selected() && !b->selected());
        QVERIFY(t.w.tables().viewContextMenu()->isVisible());
        t.w.tables().viewContextMenu()->hide();
        t.click({ 30, 30 });
        QVERIFY(t.doc.selectedEntries().isEmpty()
            && t.w.form()->pickandplacepositionen->selectedRowNumbers().isEmpty());
    }
};

QTEST_MAIN(TstMainWindowTools)
#include "tst_mainwindow_tools.moc"
