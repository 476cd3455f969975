// Drill files that state their own number format: the dialog and the command line start from it.
#include "datatable.h"
#include "gerber/excellonheader.h"
#include "gerber/excellonreader.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

namespace {

const QString corpusDir = QStringLiteral(TESSAVRANT_CORPUS_DIR "/gerber");

QString formatText(const ExcellonFormat& f)
{
    return QStringLiteral("%1,%2,%3").arg(f.zeroOmissionText()).arg(f.integerDigits).arg(f.decimalDigits);
}

} // namespace

class TestExcellonHeader : public QObject
{
    Q_OBJECT

private slots:
    void detection_data()
    {
        // format: as --drill writes it; "" when nothing is stated
        columns<QString, QString>("header", "format");
        row("nothing", "M48\nT1C0.8\n%", "");
        row("inch, leading zeros kept", "M48\nINCH,LZ\n%", "T,2,4");
        row("metric without digits takes 3.3", "M48\nMETRIC\n%", "");
        row("Eagle", "M48\nFMAT,2\nMETRIC,TZ,000.000\n%", "L,3,3");
        row("EasyEDA", "M48\nMETRIC,LZ,000.000\n;FILE_FORMAT=3:3\n%", "T,3,3");
        // LimeSDR's file states 4:3, then broken lines, then 4:4, which its coordinates fit.
        row("Altium, the last valid statement",
            "M48\n;FILE_FORMAT=4:3\n;FILE_FORMAT = 4 : x\n;FILE_FORMAT=4:4\nMETRIC,LZ", "T,4,4");
        row("KiCad", "M48\n;FORMAT={2:4/ absolute / inch / keep zeros}\nINCH,TZ\n%", "L,2,4");
        row("KiCad, trailing zeros suppressed",
            "M48\n;FORMAT={3:3/ absolute / metric / suppress trailing zeros}", "T,3,3");
        row("Siemens", "; Format  : 3.3 / Absolute / MM / Leading\nM48\nMETRIC,TZ\n%", "L,3,3");
        row("after the first hit nothing counts", "M48\n%\nT1\nX1Y1\n;FILE_FORMAT=4:4", "");
    }

    void detection()
    {
        QFETCH(QString, header);
        QFETCH(QString, format);
        const ExcellonHeaderFormat found = detectExcellonFormat(header.split(QLatin1Char('\n')));
        QCOMPARE(found.anyStated() ? formatText(found.format) : QString(), format);
        if (!found.anyStated())
            QCOMPARE(
                formatText(found.format), header.contains("METRIC") ? QString("L,3,3") : QString("L,2,4"));
    }

    // Every corpus drill file whose header states its format is read without a guess: the format
    // found is the one the manifest records for it.
    void corpusFilesStateTheirFormat()
    {
        QFile manifest(corpusDir + QStringLiteral("/MANIFEST.tsv"));
        if (!manifest.open(QIODevice::ReadOnly))
            QSKIP("the CAD file corpus (TESSAVRANT_CORPUS_DIR/gerber/MANIFEST.tsv) is not available");
        const QRegularExpression digits(
            QStringLiteral("(?:FILE_FORMAT=|FORMAT=\\{)(\\d):(\\d)|fmt(0+)\\.(0+)"));
        int checked = 0;
        for (const QString& row : QString::fromUtf8(manifest.readAll()).split(QLatin1Char('\n'))) {
            const QStringList f = row.split(QLatin1Char('\t'));
            if (f.size() < 13 || f[2] != QLatin1String("excellon"))
                continue;
            const QStringList features = f[6].split(QLatin1Char(' '));
            const bool zerosStated = features.contains("LZ") || features.contains("TZ");
            const QRegularExpressionMatch m = digits.match(f[6]);
            if (!zerosStated && !m.hasMatch())
                continue;
            LineList lines;
            QVERIFY(readExcellonLines(corpusDir + QLatin1Char('/') + f[0], &lines));
            const ExcellonHeaderFormat found = detectExcellonFormat(lines);
            QVERIFY2(found.zerosStated == zerosStated, qPrintable(f[0]));
            if (zerosStated)
                QVERIFY2(found.format.leadingZeroesOmitted == features.contains("TZ"), qPrintable(f[0]));
            // The manifest records LimeSDR's first statement; the last one holds (see above).
            if (m.hasMatch() && !f[0].contains(QLatin1String("LimeSDR"))) {
                QVERIFY2(found.digitsStated, qPrintable(f[0]));
                QCOMPARE(QPoint(found.format.integerDigits, found.format.decimalDigits),
                    m.capturedLength(3) ? QPoint(m.capturedLength(3), m.capturedLength(4))
                                        : QPoint(m.captured(1).toInt(), m.captured(2).toInt()));
            }
            ++checked;
        }
        QVERIFY(checked >= 25);
    }
};

QTEST_GUILESS_MAIN(TestExcellonHeader)
#include "tst_excellonheader.moc"
