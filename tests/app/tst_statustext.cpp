#include "app/hovertracker.h"
#include "app/hoverwatch.h"
#include "app/statustext.h"
#include "datatable.h"
#include "model/pnpentry.h"

#include <QtTest>
#include <memory>

// What the user reads in the title and the status line, and which placement lights up
// under the cursor.
class TstStatusText : public QObject
{
    Q_OBJECT
private slots:
    void coordinateHasTwoDecimals_data()
    {
        columns<double, QString>("value", "text");
        row("one decimal is padded", 12.5, "12.50");
        row("more decimals are cut, not rounded", 1.239, "1.23");
        row("negative", -0.5, "-0.50");
        row("small", 0.001, "0.00");
        row("exponent form is avoided", 1234567.0, "1234567.00");
    }

    void coordinateHasTwoDecimals()
    {
        QFETCH(double, value);
        QTEST(StatusText::formatCoordinate(value), "text");
    }

    void statusLine_data()
    {
        columns<bool, QString, int, int, QString>("over", "hover", "machines", "index", "text");
        row("outside the view", false, QString(), 0, -1, "X: 0.00 mm Y: 0.00 mm | no machine selected");
        row("outside, machine chosen", false, QString(), 3, 1,
            "X: 0.00 mm Y: 0.00 mm | current machine: line 1 - Topaz");
        row("over the view", true, QString(), 3, -1, "X: 12.50 mm Y: 3.00 mm | no machine selected");
        row("over a placement", true, "R1 0805 10k", 3, 0,
            "X: 12.50 mm Y: 3.00 mm | R1 0805 10k | current machine: line 1 - Topaz");
        row("empty machine selector", true, QString(), 0, 0, "X: 12.50 mm Y: 3.00 mm | no machine selected");
    }

    void statusLine()
    {
        QFETCH(bool, over);
        QFETCH(QString, hover);
        QFETCH(int, machines);
        QFETCH(int, index);
        const QString suffix
            = StatusText::machineSuffix(machines, index, QStringLiteral("1"), QStringLiteral("Topaz"));
        QTEST(StatusText::statusLine(over, 12.5, 3.0, hover, suffix), "text");
    }

    void titleFromPath_data()
    {
        columns<QString, QString>("path", "title");
        const QStringList rows { "project", "/home/u/board.tvx", "board", "dots in the name",
            "/home/u/my.board.v2.tvx", "my.board.v2", "dot only in a folder", "/home/u.v/board", "board",
            "no folder", "board.tvx", "board" };
        for (int i = 0; i < rows.size(); i += 3)
            row(qPrintable(rows[i]), rows[i + 1], rows[i + 2]);
    }

    void titleFromPath()
    {
        QFETCH(QString, path);
        QTEST(StatusText::titleFromPath(path), "title");
    }

    void hoverLightsUpAndFades()
    {
        std::unique_ptr<PnPEntry> r1(new PnPEntry("R1", "0805", 3.0, 4.0, "top", 0, "10k", "1", ""));
        std::unique_ptr<PnPEntry> r2(new PnPEntry("R2", "0603", 30.0, 4.0, "top", 0, "1k", "1", ""));
        const QList<PnPEntry*> entries { r1.get(), r2.get() };
        // Board origin 5/4 plus a first panel origin 2/2: R1 lies at 10/10 on the board. Each track
        // gives the text named, whether to repaint, and the hover states of R1 and R2.
        const auto track = [&](double x, double y) -> QString {
            const HoverTracker::Result r = HoverTracker::track(entries, x, y, { QPointF(7.0, 6.0) });
            return r.text + QString::asprintf("|%d|%d%d", r.repaint, r1->hoverState(), r2->hoverState());
        };
        QCOMPARE(track(10.5, 9.3), QStringLiteral("R1 0805 10k|1|10"));
        // Staying over it keeps the highlight without another repaint.
        QCOMPARE(track(10.2, 10.2), QStringLiteral("R1 0805 10k|0|10"));
        // 0.8 mm away is no longer under the cursor.
        QCOMPARE(track(10.8, 10.0), QStringLiteral("|1|00"));

        // Leaving the view fades what is lit, and asks for a repaint only when something was.
        HoverTracker::track(entries, 10.5, 9.3, { QPointF(7.0, 6.0) });
        QVERIFY(HoverTracker::fade(entries) && r1->hoverState() == 0);
        QVERIFY(!HoverTracker::fade(entries));
    }

    void lastPlacementUnderTheCursorNamesTheHover()
    {
        std::unique_ptr<PnPEntry> a(new PnPEntry("C1", "0402", 1.0, 1.0, "top", 0, "100n", "1", ""));
        std::unique_ptr<PnPEntry> b(new PnPEntry("C2", "0402", 1.5, 1.0, "top", 0, "1u", "1", ""));
        const HoverTracker::Result r = HoverTracker::track({ a.get(), b.get() }, 1.2, 1.0, { QPointF() });
        QCOMPARE(QStringLiteral("%1 %2 %3").arg(r.text).arg(a->hoverState()).arg(b->hoverState()),
            QStringLiteral("C2 0402 1u 1 1"));
    }

    void watchGivesWhatTheScanGives_data()
    {
        QTest::addColumn<bool>("edits");
        row("cursor moves only", false);
        row("placements and list change between ticks", true);
    }

    // The watch (grid, lit list, settled ticks) lights, fades and names what the plain scan does.
    void watchGivesWhatTheScanGives()
    {
        QFETCH(bool, edits);
        QRandomGenerator rng(11);
        std::vector<std::unique_ptr<PnPEntry>> scanned, watched;
        QList<PnPEntry*> scanList, watchList;
        for (int i = 0; i < 2000; ++i) {
            // Several placements to a catch square, some on cell edges.
            scanned.emplace_back(new PnPEntry(QString("R%1").arg(i), "0402", rng.bounded(200) * 0.4,
                rng.bounded(100) * 0.4, "top", 0, "1k", "1", ""));
            watched.emplace_back(new PnPEntry(*scanned.back()));
            scanList << scanned.back().get();
            watchList << watched.back().get();
        }
        HoverWatch watch;
        double cx = 0, cy = 0;
        // One copy, or two panel cells side by side.
        QList<QPointF> bases { QPointF(1.0, 0.5) };
        for (int step = 0; step < 3000; ++step) {
            const int what = int(rng.bounded(10));
            if (what < 4) {
                cx = rng.bounded(830) * 0.1;
                cy = rng.bounded(420) * 0.1;
            }
            if (edits && what == 9) {
                const int i = int(rng.bounded(2000));
                const double x = rng.bounded(200) * 0.4;
                scanned[size_t(i)]->setX(x);
                watched[size_t(i)]->setX(x);
            }
            if (edits && what == 8 && !scanList.isEmpty()) {
                const int i = int(rng.bounded(scanList.size()));
                scanList.removeAt(i);
                watchList.removeAt(i);
            }
            if (what == 6)
                bases = bases.size() == 1 ? QList<QPointF> { QPointF(0.6, 0.5), QPointF(40.6, 0.5) }
                                          : QList<QPointF> { QPointF(1.0, 0.5) };
            if (what == 7) {
                QCOMPARE(watch.fade(watchList), HoverTracker::fade(scanList));
            } else {
                const HoverTracker::Result s = HoverTracker::track(scanList, cx, cy, bases);
                const HoverTracker::Result w = watch.track(watchList, cx, cy, bases);
                QVERIFY2(w.text == s.text && w.repaint == s.repaint, qPrintable(QString::number(step)));
            }
            for (size_t i = 0; i < scanned.size(); ++i)
                if (watched[i]->hoverState() != scanned[i]->hoverState())
                    QFAIL(qPrintable(QString("step %1: hover state of R%2 differs").arg(step).arg(i)));
        }
    }
};

QTEST_APPLESS_MAIN(TstStatusText)
#include "tst_statustext.moc"
