#include "resources/icongen/gifwriter.h"

#include <QBuffer>
#include <QImageReader>
#include <QRandomGenerator>
#include <QtTest>

namespace {

QVector<QRgb> distinctPalette(int n)
{
    QVector<QRgb> palette;
    for (int i = 0; i < n; ++i)
        palette.append(qRgb((i * 37) & 0xff, (i * 91 + 13) & 0xff, i));
    return palette;
}

QVector<uchar> pattern(const QString& kind, int count, int colors, quint32 seed)
{
    QRandomGenerator random(seed);
    QVector<uchar> out(count);
    for (int i = 0; i < count; ++i) {
        if (kind == QLatin1String("random"))
            out[i] = uchar(random.bounded(colors));
        else if (kind == QLatin1String("uniform"))
            out[i] = uchar(colors - 1);
        else if (kind == QLatin1String("runs"))
            out[i] = uchar((i / (1 + i % 7)) % colors);
        else
            out[i] = uchar(i % colors);
    }
    return out;
}

QList<QImage> decode(const QByteArray& gif)
{
    QBuffer buffer;
    buffer.setData(gif);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    QList<QImage> frames;
    for (QImage image = reader.read(); !image.isNull(); image = reader.read())
        frames.append(image.convertToFormat(QImage::Format_ARGB32));
    return frames;
}

// Compares the decoded picture with what was encoded, naming the first wrong pixel.
bool sameAs(const QImage& image, const QVector<uchar>& indices, const QVector<QRgb>& palette, int transparent,
    QString* where)
{
    for (int i = 0; i < indices.size(); ++i) {
        const QRgb got = image.pixel(i % image.width(), i / image.width());
        const bool ok
            = indices[i] == transparent ? qAlpha(got) == 0 : got == (palette[indices[i]] | 0xff000000);
        if (!ok) {
            *where = QStringLiteral("pixel %1,%2").arg(i % image.width()).arg(i / image.width());
            return false;
        }
    }
    return true;
}

// A strict decoder of one LZW code stream: it must end with the end code, read at the width the
// decoder expects there, with nothing after it. Lenient decoders stop at the last pixel and miss that.
bool strictDecode(const QByteArray& blocks, int minCodeSize, QVector<uchar>* out, QString* error)
{
    QByteArray bytes;
    int pos = 0;
    while (pos < blocks.size() && blocks[pos] != 0) {
        const int len = uchar(blocks[pos]);
        bytes += blocks.mid(pos + 1, len);
        pos += 1 + len;
    }
    if (pos != blocks.size() - 1) {
        *error = QStringLiteral("sub-blocks not terminated");
        return false;
    }
    const int clear = 1 << minCodeSize;
    const int end = clear + 1;
    QVector<QByteArray> table;
    int width = minCodeSize + 1;
    qint64 bit = 0;
    QByteArray previous;
    auto reset = [&] {
        table.clear();
        for (int i = 0; i < clear + 2; ++i)
            table.append(QByteArray(1, char(i)));
        width = minCodeSize + 1;
        previous.clear();
    };
    reset();
    for (;;) {
        if (bit + width > bytes.size() * 8) {
            *error = QStringLiteral("no end code");
            return false;
        }
        int code = 0;
        for (int i = 0; i < width; ++i, ++bit)
            code |= ((uchar(bytes[int(bit / 8)]) >> (bit % 8)) & 1) << i;
        if (code == clear) {
            reset();
            continue;
        }
        if (code == end)
            break;
        QByteArray entry;
        if (code < table.size())
            entry = table[code];
        else if (code == table.size() && !previous.isEmpty())
            entry = previous + previous.left(1);
        else {
            *error = QStringLiteral("code %1 beyond table %2").arg(code).arg(table.size());
            return false;
        }
        for (char c : entry)
            out->append(uchar(c));
        if (!previous.isEmpty() && table.size() < 4096) {
            table.append(previous + entry.left(1));
            if (table.size() == (1 << width) && width < 12)
                ++width;
        }
        previous = entry;
    }
    if ((bit + 7) / 8 != bytes.size()) {
        *error = QStringLiteral("%1 bytes after the end code").arg(bytes.size() - (bit + 7) / 8);
        return false;
    }
    return true;
}

} // namespace

// The encoder's LZW must agree bit for bit with a real decoder, including where code widths grow,
// where the table fills and is cleared, and at the end code; a slip there corrupts the rest of the image.
class TstGifWriter : public QObject
{
    Q_OBJECT
private slots:
    void roundTripThroughQtDecoder_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("colors");
        QTest::addColumn<QString>("kind");
        QTest::newRow("single pixel") << 1 << 1 << 2 << "random";
        QTest::newRow("two colours, small alphabet") << 200 << 150 << 2 << "random";
        QTest::newRow("three colours, padded table") << 37 << 11 << 3 << "random";
        QTest::newRow("seventeen colours") << 64 << 64 << 17 << "sequence";
        QTest::newRow("full palette, table clears") << 300 << 200 << 256 << "random";
        QTest::newRow("one colour, long runs") << 500 << 400 << 4 << "uniform";
        QTest::newRow("mixed runs") << 123 << 77 << 16 << "runs";
    }

    void roundTripThroughQtDecoder()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, colors);
        QFETCH(QString, kind);
        const QVector<QRgb> palette = distinctPalette(colors);
        const QVector<uchar> indices = pattern(kind, width * height, colors, 7);
        GifWriter writer(QSize(width, height), palette);
        QVERIFY(writer.addFrame(indices, 10));
        const QList<QImage> frames = decode(writer.finish());
        QCOMPARE(frames.size(), 1);
        QCOMPARE(frames.first().size(), QSize(width, height));
        QString where;
        QVERIFY2(sameAs(frames.first(), indices, palette, -1, &where), qPrintable(where));
    }

    // Every stream length up to a few hundred codes ends once right at a code-width boundary.
    void everyLengthEndsCleanly()
    {
        const QVector<QRgb> palette = distinctPalette(4);
        for (int length = 1; length <= 700; ++length) {
            const QVector<uchar> indices = pattern(QStringLiteral("random"), length, 4, quint32(length));
            QVector<uchar> decoded;
            QString error;
            QVERIFY2(strictDecode(GifWriter::compress(indices, 2), 2, &decoded, &error),
                qPrintable(QStringLiteral("length %1: %2").arg(length).arg(error)));
            QCOMPARE(decoded, indices);
        }
        // Past the point where the table fills and is cleared.
        const QVector<uchar> big = pattern(QStringLiteral("random"), 40000, 256, 3);
        QVector<uchar> decoded;
        QString error;
        QVERIFY2(strictDecode(GifWriter::compress(big, 8), 8, &decoded, &error), qPrintable(error));
        QCOMPARE(decoded, big);
    }

    void framesKeepTransparencyAndOrder()
    {
        const QVector<QRgb> palette = distinctPalette(5);
        GifWriter writer(QSize(6, 4), palette, 0);
        QList<QVector<uchar>> sent;
        for (int f = 0; f < 3; ++f) {
            QVector<uchar> indices(24, 0);
            indices[f * 5] = uchar(f + 1); // one coloured pixel moving over a transparent frame
            sent.append(indices);
            QVERIFY(writer.addFrame(indices, 8));
        }
        const QList<QImage> frames = decode(writer.finish());
        QCOMPARE(frames.size(), 3);
        for (int f = 0; f < 3; ++f) {
            QString where;
            QVERIFY2(sameAs(frames[f], sent[f], palette, 0, &where),
                qPrintable(QStringLiteral("frame %1, %2").arg(f).arg(where)));
        }
    }

    void rejectsFramesThatDoNotFit()
    {
        GifWriter writer(QSize(3, 2), distinctPalette(3));
        QVERIFY(!writer.addFrame(QVector<uchar>(5, 0), 1)); // too few pixels
        QVERIFY(!writer.addFrame(QVector<uchar>(7, 0), 1)); // too many pixels
        QVERIFY(!writer.addFrame({ 0, 3, 0, 0, 0, 0 }, 1)); // index beyond the palette
        QCOMPARE(writer.frameCount(), 0);
    }
};

QTEST_MAIN(TstGifWriter)
#include "tst_gifwriter.moc"
