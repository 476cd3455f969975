#include "resources/resources.h"

#include <QImage>
#include <QMovie>
#include <QSignalSpy>
#include <QtTest>

// The program finds its icons and busy animation by resource path; a missing, empty or
// wrongly sized file shows up only as a blank toolbar button, so every path is checked here.
class TstResources : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { initTessavrantResources(); }

    void iconHasBothVariants_data()
    {
        QTest::addColumn<QString>("name");
        const char* names[] = { // file actions and board operations on the toolbar
            "new", "open", "save", "undo", "redo", "mirror", "rotate_board", "generate_origin", "search",
            // interactive tools
            "move", "origin", "line", "movement", "multiselect", "rect_empty", "rect_fill", "measure",
            "insert_text", "rotate", "drawingscolor",
            // view toggles and filters
            "top", "mask", "paste", "assy", "silk", "board_outline", "drill", "check", "place_hand",
            "place_machine", "place_tht", "placed", "showRefDes", "draw", "grid"
        };
        for (const char* name : names)
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void iconHasBothVariants()
    {
        QFETCH(QString, name);
        const QString base = QStringLiteral(":/ressources/icons/") + name;
        const QImage active(base + QStringLiteral(".png"));
        const QImage inactive(base + QStringLiteral("_inactive.png"));
        QCOMPARE(active.size(), QSize(32, 32)); // a missing file reads as a null image
        QCOMPARE(inactive.size(), QSize(32, 32));
        QVERIFY(active != inactive);

        // Drawn at all, with a transparent surround, and the inactive one grey and no more opaque.
        int visible = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const QRgb a = active.pixel(x, y);
                const QRgb i = inactive.pixel(x, y);
                if (qAlpha(a) > 128)
                    ++visible;
                QVERIFY(qAlpha(i) <= qAlpha(a));
                if (qAlpha(i) > 0) {
                    QCOMPARE(qRed(i), qGreen(i));
                    QCOMPARE(qGreen(i), qBlue(i));
                }
            }
        }
        QVERIFY2(visible >= 40, qPrintable(QStringLiteral("%1 visible pixels").arg(visible)));
        QVERIFY(visible < 32 * 32);
    }

    void spinnerPlaysInAMovie()
    {
        QMovie movie(QStringLiteral(":/ressources/images/spinner.gif"));
        QVERIFY(movie.isValid());
        QVERIFY(movie.frameCount() > 1);
        QCOMPARE(movie.loopCount(), -1); // loops for as long as the program is busy

        QVERIFY(movie.jumpToFrame(0));
        const QImage first = movie.currentImage();
        QVERIFY(movie.nextFrameDelay() > 0);
        QVERIFY(movie.jumpToFrame(1));
        const QImage second = movie.currentImage();
        QCOMPARE(first.size(), second.size());
        QVERIFY(first != second);
        QCOMPARE(qAlpha(first.pixel(0, 0)), 0);

        QSignalSpy frames(&movie, &QMovie::frameChanged);
        movie.start();
        QTRY_VERIFY_WITH_TIMEOUT(frames.count() > movie.frameCount(), 5000); // wraps around, keeps going
        movie.stop();
    }
};

QTEST_MAIN(TstResources)
#include "tst_resources.moc"
