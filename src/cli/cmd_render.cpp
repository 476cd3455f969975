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

int usage(const char* problem)
{
    std::fprintf(stderr, "tessavrant-cli render: %s\n", problem);
    std::fputs("Usage: tessavrant-cli render FILE -o OUT.png [--dpi N] [--drill auto|L|T,INT,DEC]\n", stderr);
    return 2;
}

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

} // namespace

int runRender(const QStringList& args)
{
    QString input;
    QString output;
    int dpi = 600;
    ExcellonFormat drillFormat;
    bool drillFromHeader = true; // "--drill auto"
    bool drillGiven = false; // "--drill" reads the file as drill data, whatever it starts with
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("-o") || a == QLatin1String("--output")) {
            if (!hasValue)
                return usage("-o needs a file name");
            output = args[++i];
        } else if (a == QLatin1String("--dpi")) {
            bool ok = false;
            dpi = hasValue ? args[++i].toInt(&ok) : 0;
            if (!ok || dpi < 1 || dpi > 100000)
                return usage("--dpi needs a whole number from 1 to 100000");
        } else if (a == QLatin1String("--drill")) {
            if (!hasValue || !readDrillOption(args[++i], &drillFormat, &drillFromHeader))
                return usage(
                    "--drill needs auto, or L or T, integer digits and decimal digits, such as L,2,4");
            drillGiven = true;
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            return usage("unknown option");
        } else if (input.isEmpty()) {
            input = a;
        } else {
            return usage("only one input file");
        }
    }
    if (input.isEmpty())
        return usage("no input file");
    if (output.isEmpty())
        return usage("no output file (-o OUT.png)");
    QString error;
    if (!FileIo::checkReadable(input, &error)) {
        std::fprintf(stderr, "tessavrant-cli render: %s\n", qPrintable(error));
        return 1;
    }

    GerberLayer readLayer(0);
    readLayer.color = Qt::black;
    const bool drill = drillGiven || CliShared::isDrillFile(input);
    if (drill && drillFromHeader)
        detectExcellonFormat(input, &drillFormat);
    const bool read
        = drill ? loadExcellon(input, readLayer, drillFormat, &error) : loadGerber(input, readLayer, &error);
    int status = read ? 0 : 1;
    if (!read)
        std::fprintf(stderr, "tessavrant-cli render: %s; drawing what was read\n", qPrintable(error));

    const GerberLayer& layer = readLayer;
    const QRectF box = LayerBounds::extentMm(layer, true);
    const double scale = dpi / 25.4; // pixels per millimetre
    // Whole pixels covering the box; the small allowance keeps 10 mm at 254 dpi at 100 pixels
    // rather than 101 from rounding noise.
    const double w = std::ceil(box.width() * scale - 1e-6);
    const double h = std::ceil(box.height() * scale - 1e-6);
    if (box.isNull() || !(w >= 0.0) || !(h >= 0.0)) {
        std::fputs("tessavrant-cli render: the layer draws nothing; writing a blank image\n", stderr);
    } else if (w > maxSide || h > maxSide || w * h > double(maxPixels)) {
        std::fprintf(stderr,
            "tessavrant-cli render: the image would be %.0f x %.0f pixels (%.1f x %.1f mm at %d dpi), "
            "more than this command draws; use a lower --dpi\n",
            w, h, box.width(), box.height(), dpi);
        return 1;
    }

    const int width = !box.isNull() ? qMax(1, int(w)) : 1;
    const int height = !box.isNull() ? qMax(1, int(h)) : 1;
    QImage image(width, height, QImage::Format_Grayscale8);
    if (image.isNull()) {
        std::fputs("tessavrant-cli render: not enough memory for the image\n", stderr);
        return 1;
    }
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
    if (!CliShared::writePng(toMono(image), output, &writeError)) {
        std::fprintf(stderr, "tessavrant-cli render: %s\n", qPrintable(writeError));
        return 1;
    }
    return status;
}
