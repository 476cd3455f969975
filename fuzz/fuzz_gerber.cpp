// libFuzzer target: the RS-274X reader with aperture macros over arbitrary bytes.
#include "gerber/gerberlayer.h"
#include "gerber/gerberreader.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

namespace {

void discardMessage(QtMsgType, const QMessageLogContext&, const QString&) { }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = (qInstallMessageHandler(discardMessage), true);
    (void)quiet;
    const QByteArray bytes
        = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<int>(size));
    GerberLayer layer;
    layer.rawLines = gerberLinesFromBytes(bytes);
    // The lines packed as a file read in two pieces read back unchanged, and are read from there.
    LineList packed;
    packed.pack();
    const int cut = bytes.indexOf('\n', bytes.size() / 2) + 1;
    if (cut > 0) {
        packed.appendLines(gerberLinesFromBytes(bytes.left(cut)));
        packed.appendLines(gerberLinesFromBytes(bytes.mid(cut)));
    } else {
        packed.appendLines(layer.rawLines);
    }
    if (packed != layer.rawLines)
        __builtin_trap();
    layer.rawLines = std::move(packed);
    parseGerber(layer);
    return 0;
}
