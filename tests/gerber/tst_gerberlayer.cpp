// The layer model: index bookkeeping and the line store the reader keeps.
#include "datatable.h"
#include "gerber/gerberlayer.h"
#include "gerber/gerberreader.h"

#include <QtTest>

class TestGerberLayer : public QObject
{
    Q_OBJECT

private slots:

    void objectsAndRegionsShareIndexes()
    {
        GerberLayer layer;
        Aperture* a = layer.addAperture(Aperture::createDefault());
        ImageObject* first = layer.createObject(a, 1, 2, ImageObject::move(), true);
        const qint32 region
            = layer.addRegion(new QPolygonF(QVector<QPointF>({ QPointF(0, 0), QPointF(1, 0) })), false);
        auto* third = layer.createObject(a, 3, 4, ImageObject::draw(), true);
        QCOMPARE(QVector<qint32>({ layer.objectIndex(0), region, layer.objectIndex(1), layer.objectCounter }),
            QVector<qint32>({ 0, 1, 2, 3 }));
        QCOMPARE(layer.order().toVector(), QVector<qint32>({ 0, 1, 2 }));
        QCOMPARE(QVector<const ImageObject*>(
                     { layer.objectAt(0), layer.objectAt(1), layer.objectAt(2), layer.lastObject }),
            QVector<const ImageObject*>({ first, nullptr, third, third }));
        QVERIFY(layer.isRegionIndex(1) && !layer.regionDarkAt(1));
        layer.clearImage();
        QVERIFY(layer.objects().isEmpty() && layer.objectCounter == 0 && !layer.objectAt(0));
    }

    // Objects live in chunks, single or in large blocks; none may move or be overwritten when a
    // chunk fills, and a cleared layer fills again from scratch. Large blocks are only taken when
    // the reader expects enough objects to fill them. Each object keeps its own attributes whether
    // its chunk holds a few of them (the usual runs) or one for every object, also when the
    // apertures are replaced afterwards.
    void manyObjectsKeepTheirPlaceAcrossChunks()
    {
        GerberLayer layer;
        const int count = int(4 * ObjectArena::SmallBlockObjects + 2 * ObjectArena::LargeBlockObjects + 3);
        const size_t largeBefore = ObjectArena::largeBlockBytesInUse();
        for (const bool expected : { true, false }) {
            // Where expected, every object of a chunk has an aperture of its own.
            QVector<Aperture*> apertures;
            for (int i = 0; i < (expected ? 5000 : 3); ++i)
                apertures << layer.addAperture(Aperture::createDefault());
            const auto apertureOf
                = [&](int i) { return expected ? apertures.at(i * 7 % 5000) : apertures.at(i / 1000 % 3); };
            if (expected)
                layer.reserveObjects(count);
            QVector<ImageObject*> made;
            for (int i = 0; i < count; ++i)
                made << layer.createObject(
                    apertureOf(i), i, -i, i % 2 ? ImageObject::draw() : ImageObject::flash(), i % 3);
            QCOMPARE(layer.objects().toVector(), made);
            for (int i = 0; i < count; ++i) {
                const ImageObject* o = made.at(i);
                QVERIFY(o->x == i && o->y == -i && layer.objectIndex(i) == i && o->dark() == bool(i % 3));
                QVERIFY(layer.objects().at(i) == o && layer.objectAt(i) == o);
                QCOMPARE(o->kind(), i % 2 ? QStringLiteral("D1") : QStringLiteral("D3"));
                QCOMPARE(o->aperture(), apertureOf(i));
            }
            QCOMPARE(layer.objectAt(count - 1), made.last());
            // Two large blocks filled, the three objects left over in a single chunk.
            QCOMPARE(ObjectArena::largeBlockBytesInUse() - largeBefore,
                expected ? 2 * ObjectArena::LargeBlockBytes : size_t(0));

            // Each aperture is mapped once, in the order of first use.
            QVector<Aperture*> asked;
            QHash<const Aperture*, Aperture*> to;
            layer.mapApertures([&](Aperture* a) {
                asked << a;
                return to[a] = layer.adoptAperture(Aperture::createDefault());
            });
            QVector<Aperture*> firstUse;
            QSet<Aperture*> seen;
            for (int i = 0; i < count; ++i) {
                if (!seen.contains(apertureOf(i)))
                    firstUse << apertureOf(i);
                seen.insert(apertureOf(i));
            }
            QCOMPARE(asked, firstUse);
            for (int i = 0; i < count; ++i) {
                const ImageObject* o = made.at(i);
                QVERIFY(o->aperture() == to.value(apertureOf(i)) && o->dark() == bool(i % 3));
            }
            // Objects made after the mapping take their own words again.
            QCOMPARE(layer.createObject(apertures.at(1), 0, 0, ImageObject::move(), false)->aperture(),
                apertures.at(1));
            QCOMPARE(made.last()->aperture(), to.value(apertureOf(count - 1)));
            layer.clearImage();
            QCOMPARE(ObjectArena::largeBlockBytesInUse(), largeBefore);
        }
    }

    void restoredIndexesStayConsistent()
    {
        GerberLayer layer;
        auto restore = [](GerberLayer& into, qint32 index) {
            return into.restoreObject(nullptr, index, 0, ImageObject::flash(), true, index);
        };
        // Index 3 is taken by the region, 5 twice, -1 is none; 2e9 lies far away: no huge map.
        QCOMPARE(
            QVector<bool>({ restore(layer, 5), restore(layer, 2), layer.restoreRegion(new QPolygonF, true, 3),
                restore(layer, 3), restore(layer, 5), restore(layer, -1), restore(layer, 2000000000) }),
            QVector<bool>({ true, true, true, false, false, false, true }));
        QCOMPARE(layer.order().toVector(), QVector<qint32>({ 2, 3, 5, 2000000000 }));
        QCOMPARE(
            QVector<double>({ layer.objectAt(2)->x, layer.objectAt(5)->x, layer.objectAt(2000000000)->x }),
            QVector<double>({ 2, 5, 2000000000 }));
        QCOMPARE(layer.objectCounter, 2000000001);
        layer.createObject(nullptr, 0, 0, ImageObject::draw(), true);
        QCOMPARE(layer.objectAt(2000000001), layer.objects().last());
        // Each object's index, by position and walked in order, finds the object again.
        QVector<qint32> walked;
        ObjectIndexWalk walk(layer);
        for (int i = 0; i < layer.objects().size(); ++i) {
            walked << walk.next();
            QCOMPARE(layer.objectIndex(i), walked.last());
            QCOMPARE(layer.objectAt(walked.last()), layer.objects().at(i));
        }
        QCOMPARE(walked, QVector<qint32>({ 5, 2, 2000000000, 2000000001 }));
        // Filling the gaps brings back the plain order 0, 1, 2, ..., which new objects continue.
        GerberLayer filled;
        QVERIFY(filled.restoreRegion(new QPolygonF, false, 1) && restore(filled, 0));
        filled.createObject(nullptr, 0, 0, ImageObject::draw(), true);
        QCOMPARE(filled.objectIndex(1), 2);
        QCOMPARE(filled.order().toVector(), QVector<qint32>({ 0, 1, 2 }));
        QCOMPARE(filled.objectAt(2), filled.objects().last());
    }

    void linesFromBytes_data()
    {
        columns<QByteArray, QStringList>("bytes", "lines");
        row("empty", QByteArray(), QStringList());
        row("one line without end", QByteArray("M02*"), QStringList("M02*"));
        row("final newline adds nothing", QByteArray("A\nB\n"), QStringList({ "A", "B" }));
        row("crlf and blanks trimmed", QByteArray("  A*\t\r\n\r\n B \n"), QStringList({ "A*", "", "B" }));
        row("lone cr is no line end", QByteArray("A\rB\n"), QStringList("A\rB"));
        row("lone cr in a long line", QByteArray(20, '1') + "\r" + QByteArray(20, '2') + "\r\nX1Y-2D01*\n",
            QStringList(
                { QString(20, QLatin1Char('1')) + "\r" + QString(20, QLatin1Char('2')), "X1Y-2D01*" }));
        row("utf8", QByteArray("G04 \xc3\xa4\xe2\x82\xac*\n"),
            QStringList(QString::fromUtf8("G04 \xc3\xa4\xe2\x82\xac*")));
        row("one non-ascii line, the rest trimmed alike", QByteArray("  A*\r\n\xc3\xa4 \n\t B \n\n"),
            QStringList({ "A*", QString::fromUtf8("\xc3\xa4"), "B", "" }));
        row("invalid utf8 replaced", QByteArray("X\xffY\nM02*"),
            QStringList({ QString::fromUtf8("X\xef\xbf\xbdY"), "M02*" }));
        row("nul bytes kept", QByteArray("A\0B\n", 4), QStringList(QString::fromLatin1("A\0B", 3)));
        // Long texts are scanned in blocks: line ends and trimmed blanks at every place in a block,
        // and a byte to decode far from the start.
        QByteArray blocks;
        QStringList blockLines;
        for (int n = 0; n < 40; ++n) {
            blocks += " " + QByteArray(n, 'A') + QByteArray(n % 3, ' ') + (n % 2 ? "\r\n" : "\n");
            blockLines << QString(n, QLatin1Char('A'));
        }
        row("line ends anywhere in a block", blocks, blockLines);
        QStringList empty;
        for (int n = 0; n < 5000; ++n)
            empty << QString();
        row("thousands of empty lines", QByteArray(5000, '\n') + "A", empty << "A");
        // A line end is kept in a byte while it lies at most 255 bytes past the one before; past
        // that, its group of lines keeps them whole, from any line of the group on.
        QByteArray wide;
        QStringList wideLines;
        for (int n = 0; n < 600; ++n) {
            const bool near255 = n % 40 == 7 || n % 64 == 32; // some first in a group of 32
            const int length = n == 300 ? 70000 : near255 ? 250 + n / 40 % 9 : n % 7;
            wide += QByteArray(length, 'W') + "\r\n";
            wideLines << QString(length, QLatin1Char('W'));
        }
        row("long lines among short ones", wide, wideLines);
        // Gerber text packs four bits a character; text with many other characters stays plain.
        QByteArray mixed;
        QStringList mixedLines;
        for (int n = 0; n < 300; ++n) {
            const QByteArray number = QByteArray::number(n * 7919);
            const QByteArray line = n % 100 < 50 ? QByteArray("X" + number + "Y-" + number + "D01*")
                                                 : QByteArray("1,1,.005,.2537" + number + ",-.092345*");
            mixed += line + (n % 3 ? "\r\n" : "\n");
            mixedLines << QString::fromLatin1(line);
        }
        row("coordinate and decimal text", mixed, mixedLines);
        row("invalid utf8 in a block", QByteArray(4, 'A') + "\xff" + QByteArray(40, 'A') + "\n",
            QStringList(QString(4, QLatin1Char('A')) + QChar(0xfffd) + QString(40, QLatin1Char('A'))));
    }

    void linesFromBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        const LineList got = gerberLinesFromBytes(bytes);
        QCOMPARE(got.toStringList(), lines);
        QCOMPARE(got.size(), lines.size());
        int i = 0;
        for (const QString& line : got) {
            QCOMPARE(line, lines.at(i));
            // What a project stores: the line as valid UTF-8.
            std::string scratch;
            const std::string_view bytes = got.bytes(i, scratch);
            QCOMPARE(QByteArray(bytes.data(), int(bytes.size())), lines.at(i).toUtf8());
            ++i;
        }
        // A line appended to the lines of a file follows them, also once they are squeezed for
        // keeping.
        for (const bool squeezed : { false, true }) {
            LineList more = got;
            if (squeezed)
                more.squeeze();
            QVERIFY(more.append(u"M02*"));
            QCOMPARE(more.toStringList(), QStringList(lines) << "M02*");
        }
        QCOMPARE(got.toStringList(), lines);
        // Lines stored from Latin-1 text (as projects hold them) read back as the same characters,
        // packed or not.
        for (const bool packed : { false, true }) {
            LineList latin;
            if (packed)
                latin.pack();
            for (i = 0; i < lines.size(); ++i) {
                const QByteArray text = lines.at(i).toLatin1();
                latin.appendLatin1(text.constData(), text.size());
                QCOMPARE(latin.at(i), QString::fromLatin1(text.constData(), text.size()));
            }
        }
        // A file read in pieces cut after a line end and packed piece by piece (pieces of many
        // symbol-less bytes are kept plain) reads back the same, and takes more lines after.
        for (const int pieceBytes : { 5, 64, 300, 1 << 20 }) {
            LineList packed;
            packed.pack();
            int from = 0;
            while (from < bytes.size()) {
                const int to = qMin(from + pieceBytes, bytes.size());
                int cut = bytes.lastIndexOf('\n', to - 1) + 1;
                if (cut <= from)
                    cut = to == bytes.size() ? to : bytes.indexOf('\n', to) + 1;
                if (cut <= from)
                    cut = bytes.size();
                const LineList piece = LineList::fromFileBytes(bytes.mid(from, cut - from));
                QCOMPARE(packed.appendLines(piece), piece.size());
                from = cut;
            }
            QCOMPARE(packed.toStringList(), lines);
            QVERIFY(packed == got);
            QVERIFY(packed.append(u"M02*"));
            QCOMPARE(packed.toStringList(), QStringList(lines) << "M02*");
        }
    }
};

QTEST_GUILESS_MAIN(TestGerberLayer)
#include "tst_gerberlayer.moc"
