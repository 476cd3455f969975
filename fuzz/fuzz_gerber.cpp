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
    GerberLayer layer;
    layer.rawLines = gerberLinesFromBytes(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<int>(size)));
    parseGerber(layer);
    return 0;
}
