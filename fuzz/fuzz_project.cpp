// libFuzzer target: the project reader (container, code table, stream, sections, layer re-read)
// over arbitrary bytes, compressed or plain.
#include "gerber/layerset.h"
#include "model/document.h"
#include "project/projectfile.h"

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
    Document document;
    LayerSet layers;
    ProjectLoad load;
    QString error;
    readProjectBytes(QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<int>(size)),
        QStringLiteral("fuzz.tvx"), document, layers, &load, &error);
    return 0;
}
