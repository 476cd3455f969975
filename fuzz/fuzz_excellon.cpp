// Excellon reader on arbitrary bytes, followed by the extent and a small drawing of what it read,
// so that odd coordinates and tool sizes also reach the layer painter.
#include "gerber/excellonreader.h"
#include "gerber/gerberlayer.h"
#include "view/layerbounds.h"
#include "view/layerpainter.h"

#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <cstddef>
#include <cstdint>

namespace {
void quiet(QtMsgType, const QMessageLogContext&, const QString&) { }
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const auto previous = qInstallMessageHandler(quiet); // the reader's log lines cost time
    Q_UNUSED(previous);
    if (size == 0)
        return 0;
    // The first byte picks the number format, as the import dialog would.
    ExcellonFormat format;
    format.leadingZeroesOmitted = (data[0] & 1) == 0;
    format.integerDigits = (data[0] >> 1) % 10;
    format.decimalDigits = (data[0] >> 4) % 10;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), int(size - 1));
    looksLikeExcellon(bytes);

    GerberLayer layer;
    applyExcellonFormat(layer, format);
    for (const QByteArray& line : bytes.split('\n'))
        layer.excellonLines.append(QString::fromUtf8(line).trimmed());
    parseExcellon(layer);

    const QRectF box = LayerBounds::extentMm(layer, true);
    QImage image(48, 48, QImage::Format_Grayscale8);
    image.fill(255);
    QPainter painter(&image);
    LayerPaintTransform transform;
    if (!box.isNull() && box.width() > 0.0 && box.height() > 0.0) {
        transform.scale = qMin(48.0 / box.width(), 48.0 / box.height());
        transform.originX = -box.left() * transform.scale;
        transform.originY = box.bottom() * transform.scale;
    }
    LayerPainter::paint(painter, layer, transform, Qt::black, Qt::white);
    // And once much closer, where most of the image lies far outside the picture.
    transform.scale *= 1000.0;
    LayerPainter::paint(painter, layer, transform, Qt::black, QColor(0, 0, 0, 0));
    return 0;
}
