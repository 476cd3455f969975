// Image parameters of the older format revisions (%MI, %SF, %OF, %IR) and %SR step and repeat.
#include "gerber/gerberlayer.h"
#include "gerber/gerberreader.h"
#include "logcapture.h"

#include <QtTest>
#include <memory>

namespace {

const QByteArray head = "%FSLAX24Y24*%\n%MOIN*%\n%ADD10R,0.2X0.1*%\n%ADD11C,0.1*%\n";

std::unique_ptr<GerberLayer> parse(const QByteArray& text, bool* ok)
{
    auto layer = std::make_unique<GerberLayer>();
    layer->rawLines = gerberLinesFromBytes(text);
    *ok = parseGerber(*layer);
    return layer;
}

// "kind x y" of every object, "region x y ..." of every region, in index order.
QStringList describe(const GerberLayer& layer)
{
    QStringList out;
    const auto n = [](double v) { return QString::number(v, 'g', 10); };
    for (const qint32 index : layer.order()) {
        if (const ImageObject* o = layer.objectAt(index)) {
            out << o->kind + " " + n(o->x) + " " + n(o->y);
        } else if (const QPolygonF* region = layer.regionAt(index)) {
            QString text = QStringLiteral("region");
            for (const QPointF& p : *region)
                text += " " + n(p.x()) + " " + n(p.y());
            out << text;
        }
    }
    return out;
}

} // namespace

class TestImageTransform : public QObject
{
    Q_OBJECT

private slots:
    void placement_data()
    {
        QTest::addColumn<QByteArray>("parameters");
        QTest::addColumn<QStringList>("objects");
        QTest::newRow("none") << QByteArray() << QStringList { "D3 1 2" };
        QTest::newRow("mirror A") << QByteArray("%MIA1B0*%\n") << QStringList { "D3 -1 2" };
        QTest::newRow("mirror both") << QByteArray("%MIA1B1*%\n") << QStringList { "D3 -1 -2" };
        QTest::newRow("offset") << QByteArray("%OFA0.5B-1*%\n") << QStringList { "D3 1.5 1" };
        QTest::newRow("scale") << QByteArray("%SFA2B0.5*%\n") << QStringList { "D3 2 1" };
        QTest::newRow("quarter turn") << QByteArray("%IR90*%\n") << QStringList { "D3 -2 1" };
        QTest::newRow("three quarters") << QByteArray("%IR270*%\n") << QStringList { "D3 2 -1" };
        // Scale, then offset, then the turn of the whole image.
        QTest::newRow("all, in order")
            << QByteArray("%SFA2B1*%\n%OFA1B0*%\n%IR90*%\n%MIA0B1*%\n") << QStringList { "D3 2 3" };
        QTest::newRow("several in one statement")
            << QByteArray("%IR0*IPPOS*OFA1B2*MIA0B0*SFA1B1*%\n") << QStringList { "D3 2 4" };
        QTest::newRow("the last one holds")
            << QByteArray("%OFA5B5*%\n%OFA1B0*%\n") << QStringList { "D3 2 2" };
    }

    void placement()
    {
        QFETCH(QByteArray, parameters);
        QFETCH(QStringList, objects);
        bool ok = false;
        const QByteArray text = head + parameters + "D11*\nX10000Y20000D03*\nM02*\n";
        auto layer = parse(text, &ok);
        QVERIFY(ok);
        QCOMPARE(describe(*layer), objects);
        // The layer keeps the file as it came: export and the project write these lines.
        QCOMPARE(layer->rawLines.size(), text.count('\n'));
    }

    // Turning the image turns what is flashed: a 0.2 x 0.1 rectangle stands up, and a macro's
    // shape turns and mirrors with the image; regions move like every point.
    void shapesTurnWithTheImage()
    {
        bool ok = false;
        auto layer = parse(head
                + "%IR90*%\n%MIA1B0*%\n%AMT*20,1,0.1,0,0,1,0*%\n%ADD12T*%\nD10*\nX0Y0D03*\nD12*\nX0Y0D03*\n"
                  "G36*\nX0Y0D02*\nX10000Y0D01*\nX10000Y10000D01*\nG37*\nM02*\n",
            &ok);
        QVERIFY(ok);
        const Aperture* rectangle = layer->objects().at(0)->aperture;
        QCOMPARE(rectangle->name, QStringLiteral("D10"));
        QCOMPARE(rectangle->parameterValue[0], 0.1);
        QCOMPARE(rectangle->parameterValue[1], 0.2);
        // The aperture list keeps the definitions as the file wrote them.
        QCOMPARE(layer->apertures().first()->parameterValue[0], 0.2);
        // The line (0,0)-(1,0) mirrored to (0,0)-(-1,0), then turned to (0,0)-(0,-1).
        const MacroPrimitive line = layer->objects().at(1)->aperture->macroImage->primitives.value(0);
        QVERIFY(qAbs(line.x2) < 1e-12 && qAbs(line.y2 + 1.0) < 1e-12);
        QCOMPARE(describe(*layer).last(), QStringLiteral("region 0 0 0 -1 -1 -1 0 0"));
    }

    void stepAndRepeat_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QStringList>("objects");
        QTest::newRow("flash, 2 by 3")
            << QByteArray("%SRX2Y3I1J2*%\nD11*\nX0Y0D03*\n%SR*%\nX50000Y0D03*\n")
            << QStringList { "D3 0 0", "D3 1 0", "D3 0 2", "D3 1 2", "D3 0 4", "D3 1 4", "D3 5 0" };
        QTest::newRow("region and flash keep their order")
            << QByteArray("%SRX2Y1I3J0*%\nD11*\nG36*\nX0Y0D02*\nX10000Y0D01*\nX0Y10000D01*\nG37*\n"
                          "X0Y0D03*\n")
            << QStringList { "region 0 0 1 0 0 1 0 0", "D3 0 0", "region 3 0 4 0 3 1 3 0", "D3 3 0" };
        QTest::newRow("a draw that begins the block starts at the point before")
            << QByteArray("D11*\nX0Y0D02*\n%SRX2Y1I5J0*%\nX10000Y0D01*\n")
            << QStringList { "D2 0 0", "D1 1 0", "D2 5 0", "D1 6 0" };
        QTest::newRow("a new block closes the one before")
            << QByteArray("%SRX2Y1I1J0*%\nD11*\nX0Y0D03*\n%SRX1Y2I0J1*%\nX0Y5000D03*\n")
            << QStringList { "D3 0 0", "D3 1 0", "D3 0 0.5", "D3 0 1.5" };
        QTest::newRow("one by one repeats nothing")
            << QByteArray("%SRX1Y1I0J0*%\nD11*\nX0Y0D03*\n") << QStringList { "D3 0 0" };
    }

    void stepAndRepeat()
    {
        QFETCH(QByteArray, body);
        QFETCH(QStringList, objects);
        bool ok = false;
        auto layer = parse(head + body + "M02*\n", &ok);
        QVERIFY(ok);
        QCOMPARE(describe(*layer), objects);
    }

    void refusedParameters_data()
    {
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<QString>("message");
        QTest::newRow("turn by 45 degrees")
            << QByteArray("%IR45*%") << "Bildparameter ungültig - Fehlerauslösender Zeileninhalt: %IR45*%";
        QTest::newRow("offset no number") << QByteArray(
            "%OFAxB0*%") << "Bildparameter ungültig - Fehlerauslösender Zeileninhalt: %OFAxB0*%";
        QTest::newRow("no copies") << QByteArray("%SRX0Y1I0J0*%")
                                   << "SR ungültig - Fehlerauslösender Zeileninhalt: %SRX0Y1I0J0*%";
    }

    void refusedParameters()
    {
        QFETCH(QByteArray, block);
        QFETCH(QString, message);
        LogCapture log;
        bool ok = true;
        parse(head + block + "\nD11*\nX0Y0D03*\nM02*\n", &ok);
        QVERIFY(!ok);
        QVERIFY2(log.lines().contains(message), qPrintable(log.lines().join(" | ")));
    }

    // A million copies of a thousand objects cannot be made: the repeat is refused and what was
    // read stays, without exhausting memory.
    void hugeRepeatIsRefused_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("objects");
        QByteArray many = "%SRX1000Y1000I1J1*%\nD11*\n";
        for (int i = 0; i < 1000; ++i)
            many += "X" + QByteArray::number(i) + "Y0D03*\n";
        QTest::newRow("closed by the end of the image") << many + "" << 1000;
        QTest::newRow("closed by the next block") << many + "%SR*%\n" << 1000;
    }

    void hugeRepeatIsRefused()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, objects);
        LogCapture log;
        bool ok = true;
        auto layer = parse(head + body + "M02*\n", &ok);
        QVERIFY(!ok);
        QCOMPARE(layer->objects().size(), objects);
        QVERIFY(log.lines().contains("SR zu groß - Fehlerauslösender Zeileninhalt: %SRX1000Y1000I1J1*%"));
    }
};

QTEST_GUILESS_MAIN(TestImageTransform)
#include "tst_imagetransform.moc"
