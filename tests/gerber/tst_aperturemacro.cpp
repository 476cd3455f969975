// Aperture macros: definition, the primitives of a macro image, and the stops.
#include "datatable.h"
#include "gerber/gerberlayer.h"
#include "gerber/gerberreader.h"

#include <QRandomGenerator>
#include <QtTest>
#include <cmath>
#include <cstring>
#include <memory>

namespace {

std::unique_ptr<GerberLayer> parse(const QString& text, bool* ok)
{
    auto layer = std::make_unique<GerberLayer>();
    layer->rawLines = gerberLinesFromBytes(text.toUtf8());
    *ok = parseGerber(*layer);
    return layer;
}

// The image of macro aperture D20 built from `body`; null when the file does not read.
std::unique_ptr<GerberLayer> held;
const MacroImage* macro(const QString& body)
{
    bool ok = false;
    held = parse("%FSLAX24Y24*%\n%MOMM*%\n%AMM*\n" + body + "%\n%ADD20M*%\nD20*\nX0Y0D03*\nM02*\n", &ok);
    return ok && !held->apertures().isEmpty() ? held->apertures().first()->macroImage.get() : nullptr;
}

// Every index of a macro image in order: the index, "+" dark or "-" clear, then "C w x,y" for a circle of
// diameter w, "L w x,y x2,y2" for a line of width w, or "P" and the points of a polygon; "?" for an
// index without a shape. Numbers to six digits, with rounding noise below 1e-9 read as 0.
QStringList describe(const MacroImage& image)
{
    const auto n = [](double v) -> QString { return QString::number(qAbs(v) < 1e-9 ? 0.0 : v, 'g', 6); };
    const auto pt = [&](double x, double y) -> QString { return n(x) + QLatin1Char(',') + n(y); };
    QStringList out;
    for (qint32 i : image.indexes) {
        QString d = QString::number(i) + (image.exposures.value(i) ? QLatin1Char('+') : QLatin1Char('-'));
        if (image.primitives.contains(i)) {
            const MacroPrimitive& p = image.primitives[i];
            d += p.shape + QLatin1Char(' ') + n(p.width) + QLatin1Char(' ') + pt(p.x, p.y);
            if (p.shape == QLatin1String("L"))
                d += QLatin1Char(' ') + pt(p.x2, p.y2);
            else if (p.height != p.width)
                d += QStringLiteral(" h") + n(p.height);
        } else if (image.polygons.contains(i)) {
            d += QLatin1Char('P');
            for (const QPointF& q : image.polygons[i])
                d += QLatin1Char(' ') + pt(q.x(), q.y());
        } else {
            d += QLatin1Char('?');
        }
        out << d;
    }
    return out;
}

bool near(QPointF a, QPointF b)
{
    return qAbs(a.x() - b.x()) < 1e-9 && qAbs(a.y() - b.y()) < 1e-9;
}

} // namespace

class TestApertureMacro : public QObject
{
    Q_OBJECT

private slots:

    void definitionKeepsPrimitivesDropsComments()
    {
        bool ok = false;
        auto layer
            = parse("%FSLAX24Y24*%\n%AMBOX*\n0 a comment*\n21,1,0.5,0.2,0,0,45*\n1,0,0.1,0,0*%\nM02*\n", &ok);
        QVERIFY(ok);
        QCOMPARE(layer->macros().size(), 1);
        const ApertureMacro* m = layer->macros().first();
        QCOMPARE(m->name, QStringLiteral("BOX"));
        QCOMPARE(m->primitives, QStringList({ "21,1,0.5,0.2,0,0,45", "1,0,0.1,0,0" }));
        QVERIFY(!m->hasVariables);
        // A macro within one line of blocks.
        layer = parse("%FSLAX24Y24*%\nG04 x*%AMB*1,1,0.5,0,0*%\n%ADD21B*%\nM02*\n", &ok);
        QVERIFY(ok);
        QCOMPARE(layer->macros().first()->primitives, QStringList("1,1,0.5,0,0"));
        QVERIFY(layer->apertures().first()->macroImage);
        // A closing "*%" on its own line leaves an empty piece; it is no primitive.
        layer = parse("%FSLAX24Y24*%\n%AMAND15*\n1,1,0.05,0,0*\n*%\n%ADD15AND15*%\nM02*\n", &ok);
        QVERIFY(ok);
        QCOMPARE(layer->macros().first()->primitives, QStringList("1,1,0.05,0,0"));
        // An aperture names its macro exactly: "RECT" is not found in "ROUNDRECT".
        layer = parse("%FSLAX24Y24*%\n%AMROUNDRECT*1,1,1,0,0*%\n%AMRECT*1,1,2,0,0*%\n%ADD10ROUNDRECT,0.1*%\n"
                      "%ADD11RECT*%\nM02*\n",
            &ok);
        QVERIFY(ok);
        QCOMPARE(layer->apertures().at(0)->name, QStringLiteral("D10"));
        QCOMPARE(QPointF(layer->apertures().at(0)->macroImage->primitives.value(0).width,
                     layer->apertures().at(1)->macroImage->primitives.value(0).width),
            QPointF(1, 2));
    }

    // Lines with non-ASCII text take another decoding path; statements on them read alike. Here a
    // macro whose name is not ASCII opens on such a line and closes two lines later.
    void nonAsciiLinesReadLikeOthers()
    {
        bool ok = false;
        auto layer = parse(QString::fromUtf8("%FSLAX24Y24*%\nG04 Gr\xc3\xb6\xc3\x9f"
                                             "e*\n%AM\xc3\x84*\n"
                                             "1,1,0.5,0,0*\n%\n%ADD10\xc3\x84*%\nD10*\nX0Y0D03*\nM02*\n"),
            &ok);
        QVERIFY(ok && layer->apertures().first()->macroImage);
        QCOMPARE(QPoint(layer->macros().size(), layer->objects().size()), QPoint(1, 1));
        QCOMPARE(layer->macros().first()->name, QString::fromUtf8("\xc3\x84"));
    }

    // Eagle's octagon pad: the diameter comes from the aperture's modifier. The aperture stays
    // the tiny circle that stands for the flash in draws; the image is the octagon.
    void eagleOctagonFromItsVariable()
    {
        bool ok = false;
        auto layer = parse(
            "%FSLAX24Y24*%\n%AMOC8*\n5,1,8,0,0,1.08239X$1,22.5*%\n%ADD20OC8,0.5*%\nD20*\nX0Y0D03*\nM02*\n",
            &ok);
        QVERIFY(ok);
        QVERIFY(layer->macros().first()->hasVariables);
        QCOMPARE(layer->macros().first()->primitives, QStringList("5,1,8,0,0,1.08239X$1,22.5"));
        const Aperture* a = layer->apertures().first();
        QCOMPARE(
            QStringList({ a->name, a->shape, a->parameterText[0] }), QStringList({ "D20", "C", "0.005" }));
        QVERIFY(a->macroImage);
        const QPolygonF octagon = a->macroImage->polygons.value(0);
        QCOMPARE(octagon.size(), 9);
        const double radius = 1.08239 * 0.5 / 2.0;
        QVERIFY(near(octagon.first(), QPointF(radius * std::cos(M_PI / 8), radius * std::sin(M_PI / 8))));
    }

    // The primitives of a macro image, each placed, sized and turned as its modifiers say.
    void primitives_data()
    {
        columns<QString, QStringList>("body", "image");
        const auto row = [](const char* tag, const char* body, const QStringList& image) {
            QTest::newRow(tag) << QString(body) << image;
        };
        row("circle, then a clear one turned by 90 degrees", "1,1,0.5,1,0*\n1,0,0.2,1,0,90*\n",
            { "0+C 0.5 1,0", "1-C 0.2 0,1" });
        row("outline takes vertex count pairs", "4,1,4,0,0,1,0,1,1,0,1,0,0,90*\n",
            { "0+P 0,0 0,1 -1,1 -1,0" });
        // The standard's example: three vertices, the start point again to close, then 30 degrees.
        row("outline: the standard's triangle", "4,1,3,1,-1,1,1,2,1,1,-1,30*\n",
            { "0+P 1.36603,-0.366025 0.366025,1.36603 1.23205,1.86603" });
        row("outline: a closing point that differs is a vertex", "4,1,3,0,0,0,0.5,0.5,0.5,0.5,0,0*\n",
            { "0+P 0,0 0,0.5 0.5,0.5 0.5,0" });
        row("regular polygon", "5,1,6,3,4,2,0*\n",
            { "0+P 4,4 3.5,4.86603 2.5,4.86603 2,4 2.5,3.13397 3.5,3.13397 4,4" });
        row("vector and centre lines", "20,1,0.1,0,0,1,0,90*\n21,0,2,0.5,1,0*\n",
            { "0+L 0.1 0,0 0,1", "1-L 0.5 0,0 2,0" });
        row("thermal takes four indexes", "7,0,0,1,0.8,0.1,0*\n1,1,0.1,0,0*\n",
            { "0+C 1 0,0", "1-C 0.8 0,0", "2-L 0.1 0,-0.5 0,0.5", "3-L 0.1 -0.5,0 0.5,0", "4+C 0.1 0,0" });
        row("moire: two rings, two cross-hair lines", "6,0,0,1,0.1,0.1,2,0.01,1.2,0*\n1,1,0.1,0,0*\n",
            { "0+C 1 0,0", "1-C 0.8 0,0", "2+C 0.6 0,0", "3-C 0.4 0,0", "4+L 0.01 0,-0.6 0,0.6",
                "5+L 0.01 -0.6,0 0.6,0", "6+C 0.1 0,0" });
        // Thickness and gap are radial; a ring with no room for its hole is a disc.
        row("moire: rings stop at the centre", "6,0,0,1,0.2,0.1,5,0,0,0*\n",
            { "0+C 1 0,0", "1-C 0.6 0,0", "2+C 0.4 0,0", "3-C 0 0,0", "4+L 0 0,0 0,0", "5+L 0 0,0 0,0" });
        row("too few modifiers use the index only", "1,1,0.5*\n7,0,0*\n1,1,0.2,0,0*\n",
            { "0+?", "2+C 0.2 0,0" });
    }
    void primitives()
    {
        QFETCH(QString, body);
        const MacroImage* m = macro(body);
        QVERIFY(m);
        QTEST(describe(*m), "image");
    }

    void unhandledCodeStopsReading_data()
    {
        columns<QString>("primitive");
        for (const char* p : { "3,1", "8,1", "19,1", "23,1,0.5,0.25,0,0,0", "A,1" })
            row(p, QString(p));
    }

    void unhandledCodeStopsReading()
    {
        QFETCH(QString, primitive);
        QVERIFY(!macro(primitive + "*\n") && held->apertures().isEmpty() && held->objects().isEmpty());
    }

    // Modifier numbers must come out exactly as the general number reader gives them, whatever
    // their form: plain decimals are read on a shorter path than exponents, spaces and long texts.
    void modifierNumbersReadExactly()
    {
        QStringList texts = { ".005", "-.092345", "0.0", "-0", "20", "+1.5", "5.", "1e-3", " 0.25", "0.25 ",
            "123456789012345", "1234567890123456789", "0.30000000000000004", "-99999.999999", "x", "", "." };
        QRandomGenerator random(7);
        for (int i = 0; i < 300; ++i) {
            const int digits = 1 + int(random.bounded(15));
            QString t = random.bounded(2) ? QStringLiteral("-") : QString();
            const int point = int(random.bounded(digits + 1));
            for (int d = 0; d < digits; ++d) {
                if (d == point)
                    t += QLatin1Char('.');
                t += QChar('0' + int(random.bounded(10)));
            }
            texts << t;
        }
        for (const QString& t : texts) {
            const MacroImage* image = macro("1,1," + t + "," + t + "," + t + "*\n");
            QVERIFY2(image && image->primitives.contains(0), qPrintable(t));
            const MacroPrimitive& p = image->primitives.value(0);
            const double expected = t.toDouble();
            // Bit-identical, signs of zero included.
            for (const double* v : { &p.width, &p.x, &p.y })
                QVERIFY2(std::memcmp(v, &expected, sizeof expected) == 0, qPrintable(t));
        }
    }

    void absurdCountsStayBounded()
    {
        const MacroImage* m
            = macro("5,1,2000000000,0,0,1,0*\n4,1,2000000000,0,0,1,1,0*\n6,0,0,1,0,0,2000000000,0.01,1,0*\n");
        QVERIFY(m && !m->polygons.contains(0) && m->primitives.size() <= 2 * 10000 + 2);
        QCOMPARE(m->polygons.value(1).size(), 2);
        // Counts far beyond any integer, negative or not a number: nothing drawn, nothing undefined.
        for (const char* count : { "1e70", "-1e70", "nan", "inf" }) {
            const QString c = QString::fromLatin1(count);
            m = macro("5,1," + c + ",0,0,1,0*\n4,1," + c + ",0,0,1,1,0*\n6,0,0,1,0,0," + c + ",0.01,1,0*\n");
            QVERIFY2(m && !m->polygons.contains(0) && m->polygons.value(1).size() <= 2, count);
        }
    }
};

QTEST_GUILESS_MAIN(TestApertureMacro)
#include "tst_aperturemacro.moc"
