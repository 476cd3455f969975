#include "model/document.h"
#include "model/pnpentry.h"
#include "pnpio/positionupdate.h"

#include <QBuffer>
#include <QByteArray>
#include <QLoggingCategory>
#include <cstddef>
#include <cstdint>

// Position update over the fuzzer's bytes, applied to a few entries.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = [] {
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
        return true;
    }();
    (void)quiet;
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QVector<PositionUpdate::Record> records;
    PositionUpdate::read(buffer, records);
    Document document;
    document.appendEntry(new PnPEntry(QStringLiteral("R1"), QStringLiteral("0603"), 1, 2,
        QStringLiteral("top"), 0, QStringLiteral("10k"), QStringLiteral("1"), QString()));
    document.appendEntry(new PnPEntry(QStringLiteral("C1"), QStringLiteral("0402"), 3, 4,
        QStringLiteral("bottom"), 90, QStringLiteral("1u"), QStringLiteral("1"), QString()));
    int notes = 0;
    PositionUpdate::apply(document, document.currentList(), records, [&](const QString&) { ++notes; });
    return 0;
}
