#include "corpus.h"
#include "datatable.h"
#include "gerber/drillfit.h"
#include "gerber/excellonreader.h"
#include "gerber/gerberlayer.h"
#include "gerber/gerberreader.h"
#include "view/layerbounds.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

namespace {

QString corpusDir()
{
    return corpusRoot() + QStringLiteral("/gerber");
}

// The number format a user would pick for the file, from what its header says.
ExcellonFormat formatFor(const QString& features, bool metric)
{
    ExcellonFormat format;
    format.integerDigits = metric ? 3 : 2;
    format.decimalDigits = metric ? 3 : 4;
    QRegularExpressionMatch m = QRegularExpression("(?:FILE_FORMAT=|FORMAT=\\{)(\\d):(\\d)").match(features);
    if (m.hasMatch()) {
        format.integerDigits = m.captured(1).toInt();
        format.decimalDigits = m.captured(2).toInt();
    } else if ((m = QRegularExpression("fmt(0+)\\.(0+)").match(features)).hasMatch()) {
        format.integerDigits = m.captured(1).size();
        format.decimalDigits = m.captured(2).size();
    }
    // Excellon's "LZ" keeps the leading zeros, so it is the trailing ones that are left out.
    format.leadingZeroesOmitted = !features.split(QLatin1Char(' ')).contains(QStringLiteral("LZ"));
    return format;
}

// Files that cannot be read without information they do not hold, and a file that selects an
// undefined tool on purpose.
bool expectedToFail(const QString& path, const QString& features, int hits)
{
    return (features.contains(QLatin1String("no-tool-sizes")) && hits > 0
               && !path.endsWith(QLatin1String("NCDRILL.drl"))) // Allegro: sizes in its comments
        || path.endsWith(QLatin1String("test_syntax_error.exc"));
}

// Whether the file declares millimetres before its first hit (INCH/METRIC or M71/M72, with or
// without a zero suffix); the manifest's unit column is not exact for every file.
bool declaresMetric(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bool metric = false;
    const QRegularExpression unit(QStringLiteral("^(INCH|METRIC|M71|M72)(,.*)?$"));
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QString line = QString::fromLatin1(raw).trimmed();
        if (line.startsWith(QLatin1Char('X')) || line.startsWith(QLatin1Char('Y')))
            break;
        const QRegularExpressionMatch m = unit.match(line);
        if (m.hasMatch())
            metric = m.captured(1) == QLatin1String("METRIC") || m.captured(1) == QLatin1String("M71");
    }
    return metric;
}

} // namespace

// Every drill file of the corpus: no crash, the unit the file declares, and hits where a board is.
class TestExcellonCorpus : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
        if (!corpusPresent(QStringLiteral("gerber")))
            QSKIP("the corpus of real CAD files is absent");
    }

    void load_data()
    {
        columns<QString, QString, int>("path", "features", "hits");
        QFile manifest(corpusDir() + QStringLiteral("/MANIFEST.tsv"));
        if (!manifest.open(QIODevice::ReadOnly))
            QSKIP("the CAD file corpus (TESSAVRANT_CORPUS_DIR/gerber/MANIFEST.tsv) is not available");
        for (const QString& line : QString::fromUtf8(manifest.readAll()).split(QLatin1Char('\n'))) {
            const QStringList f = line.split(QLatin1Char('\t'));
            if (f.size() >= 13 && f[2] == QLatin1String("excellon"))
                row(qPrintable(f[0]), f[0], f[6], f[12].toInt());
        }
    }
    void load()
    {
        QFETCH(QString, path);
        QFETCH(QString, features);
        QFETCH(int, hits);
        const QString file = corpusDir() + QLatin1Char('/') + path;
        const bool metric = declaresMetric(file);
        const ExcellonFormat format = formatFor(features, metric);

        GerberLayer layer;
        QString error;
        const bool ok = loadExcellon(file, layer, format, &error);
        int flashes = 0, draws = 0;
        QPolygonF points(1); // the origin, then the hits in millimetres
        for (const ImageObject* o : layer.objects()) {
            flashes += o->kind() == QLatin1String("D3");
            draws += o->kind() == QLatin1String("D1");
            points << QPointF(o->x, o->y) * layer.unitFactor;
        }
        const QSizeF spread = points.boundingRect().size();
        QVERIFY2(ok == !expectedToFail(path, features, hits), qPrintable(error));
        QCOMPARE(layer.unitFactor, metric ? 1.0 : 25.4);
        QCOMPARE(layer.unit, metric ? QStringLiteral("mm") : QStringLiteral("IN"));
        // Every counted coordinate is a hit, except in files with routed paths, which are drawn.
        // "R" repeats a hit: those files have more holes than coordinates.
        if (ok && !features.contains(QLatin1String("routed"))
            && !features.contains(QLatin1String("R-repeat")))
            QVERIFY2(flashes >= hits - 1 && flashes <= hits, "hits lost");
        if (ok && features.contains(QLatin1String("R-repeat")) && !features.contains(QLatin1String("routed")))
            QVERIFY2(flashes > hits, "repeated hits lost");
        if (ok && features.contains(QLatin1String("routed")))
            QVERIFY2(draws > 0 && flashes < hits, "routed paths not drawn or read as holes");
        if (ok && flashes > 1) {
            // Holes spread over some millimetres and not over metres: a unit taken wrongly
            // multiplies a board by 25.4.
            QVERIFY2(spread.width() > 1.0 || spread.height() > 1.0, "all holes in one spot");
            QVERIFY2(spread.width() < 2000.0 && spread.height() < 2000.0, "holes spread wider than a panel");
        }
    }

    // A real drill file read with the wrong digits lands off its copper, and the check names the
    // reading that puts it back; the digits the header states fit.
    void drillFitsItsCopper_data()
    {
        columns<QString, bool, QString>("format", "fits", "fitting");
        row("as stated", "L,3,3", true, "");
        row("ten times too near", "T,2,4", false, "Leading, 3, 3 in millimetres");
        row("ten times too far", "T,3,3", false, "Leading, 3, 3 in millimetres");
        row("far off", "T,4,4", false, "Leading, 3, 3 in millimetres");
    }
    void drillFitsItsCopper()
    {
        QFETCH(QString, format);
        const QString board = corpusDir() + QStringLiteral("/gerbonara/resources/p-cad/ZXINET.");
        GerberLayer copper;
        QVERIFY(loadGerber(board + QStringLiteral("GTL"), copper));
        ExcellonFormat digits;
        QVERIFY(ExcellonFormat::fromText(format, &digits));
        GerberLayer drill;
        QVERIFY(loadExcellon(board + QStringLiteral("DRL"), drill, digits));
        const DrillFit fit = DrillFit::check(drill, LayerBounds::copperExtentMm({ &copper, &drill }));
        QCOMPARE(fit.holes, 353);
        QTEST(fit.fits(), "fits");
        QTEST(fit.hasFitting ? fit.fitting.text() : QString(), "fitting");
    }
};

QTEST_GUILESS_MAIN(TestExcellonCorpus)
#include "tst_excellon_corpus.moc"
