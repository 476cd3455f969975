#include "cli/commands.h"

#include "cli/clishared.h"
#include "gerber/excellonheader.h"
#include "gerber/excellonreader.h"
#include "gerber/gerberlayer.h"
#include "gerber/gerberreader.h"
#include "model/fileio.h"
#include "view/layerbounds.h"
#include "view/layerpainter.h"

#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <cmath>
#include <cstdio>

namespace {

// Larger images are refused with a message instead of running out of memory: one byte per
// pixel while drawing.
const qint64 maxPixels = 256LL * 1024 * 1024;
const int maxSide = 32767;

// Pure black and white, so one bit per pixel loses nothing and keeps the PNG small and quick.
QImage toMono(const QImage& gray)
{
    QImage mono(gray.width(), gray.height(), QImage::Format_Mono);
    mono.setColor(0, qRgb(0, 0, 0));
    mono.setColor(1, qRgb(255, 255, 255));
    const int w = gray.width();
    for (int y = 0; y < gray.height(); ++y) {
        const uchar* src = gray.constScanLine(y);
        uchar* dst = mono.scanLine(y);
        int x = 0;
        for (; x + 8 <= w; x += 8) {
            uchar bits = 0;
            for (int k = 0; k < 8; ++k)
                bits = uchar((bits << 1) | (src[x + k] >= 128 ? 1 : 0));
            dst[x >> 3] = bits;
        }
        if (x < w) {
            uchar bits = 0;
            for (int k = 0; k < 8; ++k)
                bits = uchar((bits << 1) | (x + k < w && src[x + k] >= 128 ? 1 : 0));
            dst[x >> 3] = bits;
        }
    }
    return mono;
}

int run(const CliCall& call)
{
    if (call.arguments().isEmpty())
        return call.usage(QStringLiteral("no input file"));
    const QString input = call.arguments().first();
    const QString output = call.value(QStringLiteral("output"));
    if (output.isEmpty())
        return call.usage(QStringLiteral("no output file (-o OUT.png)"));
    bool ok = true;
    const int dpi = call.value(QStringLiteral("dpi"), QStringLiteral("600")).toInt(&ok);
    if (!ok || dpi < 1 || dpi > 100000)
        return call.usage(QStringLiteral("--dpi needs a whole number from 1 to 100000"));
    ExcellonFormat drillFormat;
    bool drillFromHeader = true; // "--drill auto"
    // "--drill" reads the file as drill data, whatever it starts with.
    const bool drillGiven = call.isSet(QStringLiteral("drill"));
    if (drillGiven && !readDrillOption(call.value(QStringLiteral("drill")), &drillFormat, &drillFromHeader))
        return call.usage(QStringLiteral(
            "--drill needs auto, or L or T, integer digits and decimal digits, such as L,2,4"));
    QString error;
    if (!FileIo::checkReadable(input, &error))
        return call.failure(error);

    GerberLayer readLayer(0);
    readLayer.color = Qt::black;
    const bool drill = drillGiven || CliShared::isDrillFile(input);
    if (drill && drillFromHeader)
        detectExcellonFormat(input, &drillFormat);
    const bool read
        = drill ? loadExcellon(input, readLayer, drillFormat, &error) : loadGerber(input, readLayer, &error);
    int status = read ? 0 : 1;
    if (!read)
        call.note(error + QStringLiteral("; drawing what was read"));

    const GerberLayer& layer = readLayer;
    const QRectF box = LayerBounds::extentMm(layer, true);
    const double scale = dpi / 25.4; // pixels per millimetre
    // Whole pixels covering the box; the small allowance keeps 10 mm at 254 dpi at 100 pixels
    // rather than 101 from rounding noise.
    const double w = std::ceil(box.width() * scale - 1e-6);
    const double h = std::ceil(box.height() * scale - 1e-6);
    if (box.isNull() || !(w >= 0.0) || !(h >= 0.0)) {
        call.note(QStringLiteral("the layer draws nothing; writing a blank image"));
    } else if (w > maxSide || h > maxSide || w * h > double(maxPixels)) {
        return call.failure(
            QString::asprintf("the image would be %.0f x %.0f pixels (%.1f x %.1f mm at %d dpi), "
                              "more than this command draws; use a lower --dpi",
                w, h, box.width(), box.height(), dpi));
    }

    const int width = !box.isNull() ? qMax(1, int(w)) : 1;
    const int height = !box.isNull() ? qMax(1, int(h)) : 1;
    QImage image(width, height, QImage::Format_Grayscale8);
    if (image.isNull())
        return call.failure(QStringLiteral("not enough memory for the image"));
    image.fill(255);
    if (!box.isNull()) {
        QPainter painter(&image);
        LayerPaintTransform transform;
        transform.scale = scale;
        transform.originX = -box.left() * scale;
        transform.originY = box.bottom() * scale;
        LayerPainter::paint(painter, layer, transform, Qt::black, Qt::white);
    }

    QString writeError;
    if (!CliShared::writePng(toMono(image), output, &writeError))
        return call.failure(writeError);
    return status;
}

} // namespace

CliCommand renderCommand()
{
    return { QStringLiteral("render"), QStringLiteral("FILE -o OUT.png [--dpi N] [--drill auto|L|T,INT,DEC]"),
        QStringLiteral("Draw a Gerber or Excellon layer into a PNG image, black on white over its bounding "
                       "box."),
        { { { "o", "output" }, QStringLiteral("OUT.png"), QStringLiteral("The image to write.") },
            { { "dpi" }, QStringLiteral("N"), QStringLiteral("Pixels per inch, 1 to 100000 (default 600).") },
            CliShared::drillOption() },
        QStringLiteral("FILE  the Gerber or Excellon file; with --drill it is read as drill data."), 1, true,
        run };
}
