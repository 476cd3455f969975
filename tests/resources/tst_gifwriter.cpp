#include "datatable.h"
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

// The first pixel of the decoded picture that differs from what was encoded, or "".
QString firstWrongPixel(
    const QImage& image, const QVector<uchar>& indices, const QVector<QRgb>& palette, int transparent)
{
    for (int i = 0; i < indices.size(); ++i) {
        const QRgb got = image.pixel(i % image.width(), i / image.width());
        if (indices[i] == transparent ? qAlpha(got) != 0 : got != (palette[indices[i]] | 0xff000000))
            return QStringLiteral("pixel %1,%2").arg(i % image.width()).arg(i / image.width());
    }
    return QString();
}

} // namespace

// The encoder's LZW must agree with the decoder that shows the images (Qt's), including where code
// widths grow and where the table fills and is cleared; a slip there corrupts the rest of the image.
class TstGifWriter : public QObject
{
    Q_OBJECT
private slots:
    void roundTripThroughQtDecoder_data()
    {
        columns<int, int, int, QString>("width", "height", "colors", "kind");
        row("single pixel", 1, 1, 2, "random");
        row("two colours, small alphabet", 200, 150, 2, "random");
        row("three colours, padded table", 37, 11, 3, "random");
        row("seventeen colours", 64, 64, 17, "sequence");
        row("full palette, table clears", 300, 200, 256, "random");
        row("one colour, long runs", 500, 400, 4, "uniform");
        row("mixed runs", 123, 77, 16, "runs");
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
        QCOMPARE(firstWrongPixel(frames.first(), indices, palette, -1), QString());
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
        for (int f = 0; f < 3; ++f)
            QVERIFY2(
                firstWrongPixel(frames[f], sent[f], palette, 0).isEmpty(), qPrintable(QString::number(f)));
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
