// Aperture macros with variables: the expression evaluator, definitions, and the shapes that real
// CAD tools build from the aperture's modifiers.
#include "gerber/gerberlayer.h"
#include "gerber/gerberreader.h"
#include "gerber/macroexpression.h"
#include "logcapture.h"

#include <QtTest>
#include <memory>

namespace {

std::unique_ptr<GerberLayer> held;

// The image of aperture D10 = `aperture` of macro M = `body`; null when the file does not read.
const MacroImage* image(const QString& body, const QString& modifiers)
{
    held = std::make_unique<GerberLayer>();
    held->rawLines = gerberLinesFromBytes(
        ("%FSLAX24Y24*%\n%MOMM*%\n%AMM*\n" + body + "%\n%ADD10M," + modifiers + "*%\nD10*\nX0Y0D03*\nM02*\n")
            .toUtf8());
    const bool ok = parseGerber(*held);
    return ok && !held->apertures().isEmpty() ? held->apertures().first()->macroImage.get() : nullptr;
}

bool near(double a, double b)
{
    return qAbs(a - b) < 1e-9;
}

bool near(QPointF a, QPointF b)
{
    return near(a.x(), b.x()) && near(a.y(), b.y());
}

} // namespace

class TestMacroVariables : public QObject
{
    Q_OBJECT

private slots:
    void expressions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("reason"); // empty when the expression is valid
        const auto ok
            = [](const char* text, double v) { QTest::newRow(text) << QString(text) << v << QString(); };
        const auto bad = [](const char* tag, const QString& text, const char* reason) {
            QTest::newRow(tag) << text << 0.0 << QString(reason);
        };
        // $1 = 2, $2 = 3 below.
        ok("1.5", 1.5);
        ok(".5", 0.5);
        ok("$1x$2", 6.0);
        ok("$1X$2", 6.0);
        ok("$1+$2x2", 8.0);
        ok("($1+$2)x2", 10.0);
        ok("$1-$2-1", -2.0);
        ok("8/2/2", 2.0);
        ok("-$1", -2.0);
        ok("--$1", 2.0);
        ok("+$1", 2.0);
        ok("$1x-1", -2.0);
        ok("$2/$1", 1.5);
        ok("$9", 0.0);
        ok(" $1 + 1 ", 3.0);
        ok("((((1))))", 1.0);
        bad("empty", "", "value missing");
        bad("dangling operator", "1+", "value missing");
        bad("open parenthesis", "(1+2", "missing \")\"");
        bad("closing parenthesis", "1)", "unexpected \")\"");
        bad("division by zero", "1/0", "division by zero");
        bad("division by a zero variable", "$1/($2-3)", "division by zero");
        bad("overflow",
            "99999999999999999999x" + QString(20, QLatin1Char('9')).repeated(1) + "x1"
                + QStringLiteral("0").repeated(300),
            "result is not a finite number");
        bad("bare dollar", "$", "invalid variable");
        bad("variable zero", "$0", "invalid variable");
        bad("huge variable", "$99999999999", "invalid variable");
        bad("letter", "a", "unexpected \"a\"");
        bad("two points", "1.2.3", "unexpected \".\"");
        bad("deep parentheses", QString(5000, QLatin1Char('(')) + "1" + QString(5000, QLatin1Char(')')),
            "nested too deeply");
        bad("many signs", QString(100000, QLatin1Char('-')) + "1", "nested too deeply");
    }

    void expressions()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QFETCH(QString, reason);
        MacroVariables variables;
        variables.set(1, 2.0);
        variables.set(2, 3.0);
        double result = 0.0;
        QString why;
        QCOMPARE(MacroExpression::evaluate(text, variables, &result, &why), reason.isEmpty());
        QCOMPARE(why, reason);
        if (reason.isEmpty())
            QCOMPARE(result, value);
    }

    // KiCad's rounded rectangle: an outline through four corners, a circle on each corner and a
    // line along each side, all from the aperture's nine modifiers.
    void kicadRoundedRectangle()
    {
        const MacroImage* m = image("0 Rectangle with rounded corners*\n0 $1 Rounding radius*\n"
                                    "4,1,4,$2,$3,$4,$5,$6,$7,$8,$9,$2,$3,0*\n1,1,$1+$1,$2,$3*\n"
                                    "1,1,$1+$1,$4,$5*\n1,1,$1+$1,$6,$7*\n1,1,$1+$1,$8,$9*\n"
                                    "20,1,$1+$1,$2,$3,$4,$5,0*\n20,1,$1+$1,$4,$5,$6,$7,0*\n"
                                    "20,1,$1+$1,$6,$7,$8,$9,0*\n20,1,$1+$1,$8,$9,$2,$3,0*\n",
            "0.25X-0.5X-0.4X0.5X-0.4X0.5X0.4X-0.5X0.4X0");
        QVERIFY(m);
        QCOMPARE(m->indexes.size(), 9);
        const QPolygonF body = m->polygons.value(0);
        QCOMPARE(body,
            QPolygonF({ QPointF(-0.5, -0.4), QPointF(0.5, -0.4), QPointF(0.5, 0.4), QPointF(-0.5, 0.4) }));
        const MacroPrimitive corner = m->primitives.value(3);
        QCOMPARE(corner.shape, QStringLiteral("C"));
        QVERIFY(near(QPointF(corner.x, corner.y), QPointF(0.5, 0.4)));
        QCOMPARE(corner.width, 0.5);
        const MacroPrimitive side = m->primitives.value(6);
        QCOMPARE(side.shape, QStringLiteral("L"));
        QVERIFY(near(QPointF(side.x, side.y), QPointF(0.5, -0.4)));
        QVERIFY(near(QPointF(side.x2, side.y2), QPointF(0.5, 0.4)));
        QCOMPARE(side.width, 0.5);
        for (qint32 index : m->indexes)
            QVERIFY(m->exposures.value(index));
    }

    void definitionsAssignInOrder()
    {
        // $3 from $1, $4 from $3 and $2; then $1 redefined from its own old value.
        const MacroImage* m = image("$3=$1x2*\n$4=$3+$2*\n1,1,$3,$4,0*\n$1=$1+1*\n1,1,$1,0,0*\n", "0.5X0.25");
        QVERIFY(m);
        QCOMPARE(m->indexes, QList<qint32>({ 0, 1 })); // definitions take no image index
        QCOMPARE(m->primitives.value(0).width, 1.0);
        QCOMPARE(m->primitives.value(0).x, 1.25);
        QCOMPARE(m->primitives.value(1).width, 1.5);
        // The same macro with other modifiers gives another image.
        m = image("$3=$1x2*\n1,1,$3,0,0*\n", "2");
        QVERIFY(m);
        QCOMPARE(m->primitives.value(0).width, 4.0);
        // Without modifiers every variable is 0: a circle of no size, and no failure.
        QVERIFY(image("1,1,$1,0,0*\n", QString()));
    }

    void exposureAndCodeFromVariables()
    {
        const MacroImage* m = image("1,$2,1,0,0*\n$3,1,0.5,0,0*\n", "1X0X1");
        QVERIFY(m);
        QCOMPARE(m->exposures.value(0), false);
        QCOMPARE(m->exposures.value(1), true);
        QCOMPARE(m->primitives.value(1).width, 0.5);
    }

    // The older line codes: 2 draws as 20, 22 is a rectangle given by its lower left corner.
    void vectorAndLowerLeftLines_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QPointF>("start");
        QTest::addColumn<QPointF>("end");
        QTest::addColumn<double>("width");
        QTest::newRow("2") << "2,1,0.25,0,0,1,0.5,0*\n" << QPointF(0, 0) << QPointF(1, 0.5) << 0.25;
        QTest::newRow("2 rotated") << "2,1,0.25,1,0,2,0,90*\n" << QPointF(0, 1) << QPointF(0, 2) << 0.25;
        QTest::newRow("22") << "22,1,0.5,0.25,0.1,0.2,0*\n"
                            << QPointF(0.1, 0.325) << QPointF(0.6, 0.325) << 0.25;
        QTest::newRow("22 rotated about the origin") << "22,1,0.5,0.25,0,0,90*\n"
                                                     << QPointF(-0.125, 0) << QPointF(-0.125, 0.5) << 0.25;
        QTest::newRow("22 with variables") << "22,1,$1,$2,$3,$4,0*\n"
                                           << QPointF(0.1, 0.325) << QPointF(0.6, 0.325) << 0.25;
    }

    void vectorAndLowerLeftLines()
    {
        QFETCH(QString, body);
        QFETCH(QPointF, start);
        QFETCH(QPointF, end);
        QFETCH(double, width);
        const MacroImage* m = image(body, "0.5X0.25X0.1X0.2");
        QVERIFY(m);
        const MacroPrimitive line = m->primitives.value(0);
        QCOMPARE(line.shape, QStringLiteral("L"));
        QVERIFY2(near(QPointF(line.x, line.y), start), qPrintable(QString("%1 %2").arg(line.x).arg(line.y)));
        QVERIFY2(
            near(QPointF(line.x2, line.y2), end), qPrintable(QString("%1 %2").arg(line.x2).arg(line.y2)));
        QCOMPARE(line.width, width);
    }

    // A malformed expression stops the reading like every other rejected construct, naming the
    // primitive and the reason; what came before stays.
    void malformedExpressionIsRejected_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("message");
        const QString head = QStringLiteral("Makroausdruck fehlerhaft - Fehlerauslösender Zeileninhalt: ");
        QTest::newRow("division") << "1,1,$1/0,0,0*\n" << head + "1,1,$1/0,0,0 (division by zero)";
        QTest::newRow("syntax") << "1,1,($1,0,0*\n" << head + "1,1,($1,0,0 (missing \")\")";
        QTest::newRow("definition") << "$2=$1xx2*\n1,1,$2,0,0*\n" << head + "$2=$1xx2 (unexpected \"x\")";
        QTest::newRow("unknown code") << "$1,1,0.5,0,0*\n" << QStringLiteral("Parameter: $1");
    }

    void malformedExpressionIsRejected()
    {
        QFETCH(QString, body);
        QFETCH(QString, message);
        LogCapture log;
        QVERIFY(!image(body, "3"));
        QVERIFY(held->apertures().isEmpty());
        QCOMPARE(log.lines().last(), message);
    }
};

QTEST_GUILESS_MAIN(TestMacroVariables)
#include "tst_macrovariables.moc"
