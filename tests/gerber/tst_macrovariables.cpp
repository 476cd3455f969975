// Aperture macros with variables: the expression evaluator, definitions, and the shapes that real
// CAD tools build from the aperture's modifiers.
#include "datatable.h"
#include "gerber/gerberlayer.h"
#include "gerber/gerberreader.h"
#include "gerber/macroexpression.h"

#include <QtTest>
#include <memory>

namespace {

std::unique_ptr<GerberLayer> held;

// The image of aperture D10 = macro M (`body`) with `modifiers`; null when the file does not read.
const MacroImage* image(const QString& body, const QString& modifiers)
{
    held = std::make_unique<GerberLayer>();
    held->rawLines = gerberLinesFromBytes(
        ("%FSLAX24Y24*%\n%MOMM*%\n%AMM*\n" + body + "%\n%ADD10M," + modifiers + "*%\nD10*\nX0Y0D03*\nM02*\n")
            .toUtf8());
    const bool ok = parseGerber(*held);
    return ok && !held->apertures().isEmpty() ? held->apertures().first()->macroImage.get() : nullptr;
}

// "shape x y x2 y2 width" of image index i.
QString primitive(const MacroImage& m, int i)
{
    const MacroPrimitive p = m.primitives.value(i);
    QStringList t { p.shape };
    for (double v : { p.x, p.y, p.x2, p.y2, p.width })
        t << QString::number(qAbs(v) < 1e-12 ? 0.0 : v, 'g', 10);
    return t.join(QLatin1Char(' '));
}

} // namespace

class TestMacroVariables : public QObject
{
    Q_OBJECT

private slots:
    void expressions_data()
    {
        // reason: empty when the expression is valid
        columns<QString, double, QString>("text", "value", "reason");
        const auto ok
            = [](const char* text, double v) { QTest::newRow(text) << QString(text) << v << QString(); };
        const auto bad = [](const char* tag, const QString& text, const char* reason) {
            row(tag, text, 0.0, QString(reason));
        };
        // $1 = 2, $2 = 3 below.
        ok("$1x$2", 6.0);
        ok("$1+$2x2", 8.0);
        ok("($1+$2)x2", 10.0);
        ok("8/2/2", 2.0);
        ok("--$1x-1", -2.0);
        ok(" $1 + 1 ", 3.0);
        bad("dangling operator", "1+", "value missing");
        bad("open parenthesis", "(1+2", "missing \")\"");
        bad("closing parenthesis", "1)", "unexpected \")\"");
        bad("division by a zero variable", "$1/($2-3)", "division by zero");
        bad("overflow", "1" + QString(300, QLatin1Char('0')) + "x1" + QString(300, QLatin1Char('0')),
            "result is not a finite number");
        bad("huge variable", "$99999999999", "invalid variable");
        bad("deep parentheses", QString(5000, QLatin1Char('(')) + "1" + QString(5000, QLatin1Char(')')),
            "nested too deeply");
        bad("many signs", QString(100000, QLatin1Char('-')) + "1", "nested too deeply");
    }

    void expressions()
    {
        QFETCH(QString, text);
        QFETCH(QString, reason);
        MacroVariables variables;
        variables.set(1, 2.0);
        variables.set(2, 3.0);
        double result = 0.0;
        QString why;
        QCOMPARE(MacroExpression::evaluate(text, variables, &result, &why), reason.isEmpty());
        QCOMPARE(why, reason);
        if (reason.isEmpty())
            QTEST(result, "value");
    }

    // KiCad's rounded rectangle: an outline through four corners, a circle on each corner and a
    // line along each side, all from the aperture's modifiers.
    void kicadRoundedRectangle()
    {
        const MacroImage* m = image("0 $1 Rounding radius*\n4,1,4,$2,$3,$4,$5,$6,$7,$8,$9,$2,$3,0*\n"
                                    "1,1,$1+$1,$2,$3*\n1,1,$1+$1,$4,$5*\n20,1,$1+$1,$2,$3,$4,$5,0*\n",
            "0.25X-0.5X-0.4X0.5X-0.4X0.5X0.4X-0.5X0.4X0");
        QVERIFY(m);
        QCOMPARE(m->indexes, QList<qint32>({ 0, 1, 2, 3 }));
        QCOMPARE(m->polygons.value(0),
            QPolygonF({ QPointF(-0.5, -0.4), QPointF(0.5, -0.4), QPointF(0.5, 0.4), QPointF(-0.5, 0.4) }));
        QCOMPARE(QStringList({ primitive(*m, 2), primitive(*m, 3) }),
            QStringList({ "C 0.5 -0.4 0 0 0.5", "L -0.5 -0.4 0.5 -0.4 0.5" }));
        QVERIFY(m->exposures.value(0) && m->exposures.value(3));
    }

    void definitionsAssignInOrder()
    {
        // $3 from $1, $4 from $3 and $2; $1 redefined from its own value; exposure from $2.
        const MacroImage* m
            = image("$3=$1x2*\n$4=$3+$2*\n1,1,$3,$4,0*\n$1 = $1+1*\n1,$5,$1,0,0*\n", "0.5X0.25X0X0X1");
        QVERIFY(m);
        QCOMPARE(m->indexes, QList<qint32>({ 0, 1 })); // definitions take no image index
        QCOMPARE(QStringList({ primitive(*m, 0), primitive(*m, 1) }),
            QStringList({ "C 1.25 0 0 0 1", "C 0 0 0 0 1.5" }));
        QVERIFY(m->exposures.value(1));
        // Without modifiers every variable is 0: a circle of no size, and no failure.
        QVERIFY(image("1,1,$1,0,0*\n", QString()));
    }

    // The older line codes: 2 draws as 20, 22 is a rectangle given by its lower left corner.
    void vectorAndLowerLeftLines_data()
    {
        columns<QString, QString>("body", "line");
        row("2", "2,1,0.25,0,0,1,0.5,0*\n", "L 0 0 1 0.5 0.25");
        row("22", "22,1,0.5,0.25,0.1,0.2,0*\n", "L 0.1 0.325 0.6 0.325 0.25");
        row("22 rotated about the origin", "22,1,0.5,0.25,0,0,90*\n", "L -0.125 0 -0.125 0.5 0.25");
    }

    void vectorAndLowerLeftLines()
    {
        QFETCH(QString, body);
        const MacroImage* m = image(body, "0.5X0.25X0.1X0.2");
        QVERIFY(m);
        QTEST(primitive(*m, 0), "line");
    }

    // A malformed expression stops the reading like every other rejected construct.
    void malformedExpressionIsRejected_data()
    {
        // The evaluator's reasons: expressions_data.
        columns<QString>("body");
        row("division", QString("1,1,$1/0,0,0*\n"));
        row("definition", QString("$2=$1xx2*\n1,1,$2,0,0*\n"));
        row("unknown code", QString("$1,1,0.5,0,0*\n"));
    }

    void malformedExpressionIsRejected()
    {
        QFETCH(QString, body);
        QVERIFY(!image(body, "3") && held->apertures().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestMacroVariables)
#include "tst_macrovariables.moc"
