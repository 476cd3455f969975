#include "datatable.h"
#include "line/feederentry.h"
#include "line/feederoverview.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

using namespace FeederOverview;

// Where the overview draws the benches and a feeder of each kind.
class TestFeederOverview : public QObject
{
    Q_OBJECT
private slots:
    void setCentres_data()
    {
        // centre: in a 1000 x 200 panel; (-1, -1) for no slot
        columns<int, QPointF>("setNo", "centre");
        row("first front", 1, QPointF(50, 150));
        row("last front", 50, QPointF(932, 150));
        row("first rear", 101, QPointF(50, 50));
        row("last rear", 150, QPointF(932, 50));
        row("none", 0, QPointF(-1, -1));
        row("between the benches", 51, QPointF(-1, -1));
        row("past the rear", 151, QPointF(-1, -1));
    }
    void setCentres()
    {
        QFETCH(int, setNo);
        QTEST(setCentre(QSize(1000, 200), setNo).value_or(QPointF(-1, -1)), "centre");
    }

    // The outline colour marks a feeder's body; a folded panel draws none.
    void paintsFeedersOnlyUnfolded()
    {
        FeederEntry f;
        f.setNo = 2;
        f.feederType = "44mm";
        QImage image(1000, 218, QImage::Format_RGB32);
        const Colours colours;
        for (const bool folded : { true, false }) {
            QPainter p(&image);
            paint(p, image.size(), { &f }, colours, folded);
            p.end();
            const QRectF body = bodyRect(*setCentre(image.size(), 2), f.feederType);
            QCOMPARE(image.pixelColor(body.left(), 150) == colours.outline, !folded);
        }
    }
};

QTEST_MAIN(TestFeederOverview)
#include "tst_feederoverview.moc"
