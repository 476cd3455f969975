// A saved document loads back equal: every record, both sides, layers, feeders and odd texts.
#include "datatable.h"
#include "gerber/gerberlayer.h"
#include "project/huffman.h"
#include "project/projectcontainer.h"
#include "project/projecttext.h"
#include "projectfixture.h"

#include <QTemporaryDir>
#include <QtTest>

class TestProjectRoundTrip : public QObject
{
    Q_OBJECT

private slots:
    void everyRecordLoadsBackEqual()
    {
        Document document;
        LayerSet layers;
        ProjectFixture::fill(document, layers);
        const ProjectColours colours { 3, 2 };
        const QString before = dumpProject(document, layers, colours);
        ProjectLoad load;
        const QString after = ProjectFixture::loadDump(projectBytes(document, layers, colours), &load);
        QCOMPARE(after, before);
        QVERIFY2(load.warning.isEmpty() && load.coloursRead, qPrintable(load.warning));
        // The same text stored plainly loads alike.
        QCOMPARE(ProjectFixture::loadDump(projectText(document, layers, colours)), before);
    }

    void layersAreReadAgainFromTheirLines()
    {
        Document document;
        LayerSet layers;
        ProjectFixture::fill(document, layers);
        Document loaded;
        LayerSet loadedLayers;
        QString error;
        QVERIFY(readProjectBytes(
            projectBytes(document, layers, {}), QStringLiteral("t"), loaded, loadedLayers, nullptr, &error));
        const GerberLayer* original = layers.layer(LayerList::Top, 0);
        const GerberLayer* reread = loadedLayers.layer(LayerList::Top, 0);
        QCOMPARE(reread->objects().size(), original->objects().size());
        QCOMPARE(reread->objects().last()->x, original->objects().last()->x);
        QCOMPARE(reread->rawLines, original->rawLines);
        const GerberLayer* drill = loadedLayers.slot(false, LayerSlot::Drill);
        QCOMPARE(drill->objects().size(), layers.slot(false, LayerSlot::Drill)->objects().size());
        QCOMPARE(drill->xDecimalDigits, 3);
    }

    void savingReplacesTheFileAndRenamesTheBoards()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("my.board.tvx"));
        Document document;
        LayerSet layers;
        ProjectFixture::fill(document, layers);
        QString error;
        QVERIFY(writeProject(path, document, layers, {}, &error));
        QCOMPARE(document.side(false).board.name(), QStringLiteral("my_board"));
        Document loaded;
        LayerSet loadedLayers;
        QVERIFY2(readProject(path, loaded, loadedLayers, nullptr, &error), qPrintable(error));
        QCOMPARE(loaded.side(true).board.name(), QStringLiteral("my_board"));

        // A failed write leaves the document and the old file as they were.
        QVERIFY(!writeProject(dir.filePath(QStringLiteral("missing/x.tvx")), document, layers, {}, &error)
            && error.contains(QStringLiteral("x.tvx")));
        QCOMPARE(document.side(true).board.name(), QStringLiteral("my_board"));
    }

    void escapedTextsComeBackWhole_data()
    {
        columns<QString, bool>("text", "unchanged");
        row("plain", QStringLiteral("R12_0603"), true);
        row("latin-1", QString::fromUtf8("10\u00b5F \u00b1"), true);
        row("backslash", QStringLiteral("a\\b"), true);
        row("plus inside", QStringLiteral("a+L"), true);
        row("semicolon", QStringLiteral("a;b"), false);
        row("line ends", QStringLiteral("a\r\nb"), false);
        row("tab", QStringLiteral("a\tb"), false);
        row("leading plus", QStringLiteral("+L2"), false);
        row("ohm", QString::fromUtf8("4k7\u03a9"), false);
        row("replacement", QString::fromUtf8("\ufffd"), false);
        row("emoji", QString::fromUtf8("\U0001F600"), false);
        row("escape lookalike", QStringLiteral("\\u{3B}"), false);
    }
    void escapedTextsComeBackWhole()
    {
        QFETCH(QString, text);
        const QString escaped = ProjectText::escape(text, ProjectText::Place::FirstField);
        QTEST(escaped == text, "unchanged");
        QVERIFY(!escaped.contains(QLatin1Char(';')) && !escaped.contains(QLatin1Char('\n'))
            && !escaped.contains(QLatin1Char('\t')) && !escaped.startsWith(QLatin1Char('+')));
        for (const QChar c : escaped)
            QVERIFY(c.unicode() < 0x100);
        QCOMPARE(ProjectText::unescape(escaped), text);
    }

    void numbersAreShortestExact_data()
    {
        columns<double, QString>("value", "text");
        row("six digits", 12.5, "12.5");
        row("small", 0.000125, "0.000125");
        row("above 1000 mm", 1234.567891, "1234.567891");
        row("exponent", 1e-7, "1e-07");
        row("tenth", 0.1, "0.1");
        row("not finite", qInf(), "0");
    }
    void numbersAreShortestExact()
    {
        QFETCH(double, value);
        QTEST(ProjectText::number(value), "text");
    }

    void rareCharactersKeepCodesShortAndTheTableWhole()
    {
        // Fibonacci counts give the deepest tree: 30 characters would need codes of 29 bits.
        QByteArray text;
        quint64 a = 1, b = 1;
        for (int c = 0; c < 30; ++c) {
            text.append(int(a), char('A' + c));
            const quint64 next = a + b;
            a = b;
            b = next;
        }
        text.append('\n');
        const QByteArray packed = Huffman::encode(text);
        for (int i = 0, entries = 0; entries < 30; ++entries) {
            QVERIFY(uchar(packed.at(i + 1)) <= Huffman::maxCodeLength);
            if (entries == 0)
                QCOMPARE(int(packed.at(i + 3)), 0); // the all-zero code leads the table
            i += 3 + packed.at(i + 2);
        }
        QByteArray decoded;
        QString reason;
        QVERIFY(Huffman::decode(packed.constData(), packed.size(), &decoded, &reason));
        QVERIFY(text.startsWith(decoded) && decoded.size() >= text.size() - 8);
    }
};

QTEST_GUILESS_MAIN(TestProjectRoundTrip)
#include "tst_projectroundtrip.moc"
