// Fitting a board into the view and telling whether any of it is in view.
#include "datatable.h"
#include "view/viewmapping.h"
#include "view/viewzoom.h"

#include <QtTest>

class TstViewZoom : public QObject
{
    Q_OBJECT

private slots:
    // A KiCad board lies at negative Y, far off the start view; after a fit it is whole in view at
    // the largest step that holds it.
    void fitShowsTheWholeBoard_data()
    {
        columns<QRectF, bool>("board", "inViewAtStart");
        row("KiCad, negative Y", QRectF(95, -140, 80, 60), false);
        row("partly in view", QRectF(-10, -10, 30, 30), true);
        row("one part, 1 mm", QRectF(2, 2, 1, 1), true);
        row("panel wider than the view at zoom 1", QRectF(0, 0, 2000, 300), true);
        row("far away", QRectF(5000, 5000, 100, 100), false);
    }
    void fitShowsTheWholeBoard()
    {
        QFETCH(QRectF, board);
        const QSize size(800, 500);
        ViewState state;
        QTEST(ViewZoom::showsAny(state, board, size), "inViewAtStart");
        ViewZoom::fit(state, board, size);
        QVERIFY(ViewZoom::showsAny(state, board, size));
        const ViewMapping m = ViewMapping::of(state, size.height());
        const QRect view = QRect(QPoint(0, 0), size).adjusted(0, 0, 1, 1); // edges may land on the last pixel
        const QPoint topLeft(m.x(board.left()), m.y(board.bottom()));
        const QPoint bottomRight(m.x(board.right()), m.y(board.top()));
        if (board.width() * state.zoomLevel <= size.width()) {
            QVERIFY2(view.contains(topLeft) && view.contains(bottomRight), "board not whole in view");
            // The next step would cut it: the fit uses the room it has.
            const int next = ViewZoom::stepIn(state.zoomLevel);
            QVERIFY(board.width() * next > size.width() || board.height() * next > size.height());
        }
        // Centred, to a pixel.
        QVERIFY(qAbs((topLeft.x() + bottomRight.x()) - size.width()) <= 2
            && qAbs((topLeft.y() + bottomRight.y()) - size.height()) <= 2);
        // Panning it off the view by its own width leaves nothing of it in view.
        state.offsetX -= m.x(board.right()) + 1;
        QVERIFY(!ViewZoom::showsAny(state, board, size));
    }
};

QTEST_GUILESS_MAIN(TstViewZoom)
#include "tst_viewzoom.moc"
