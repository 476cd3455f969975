#pragma once

#include "pnpio/pnpimport.h"

#include <QBuffer>
#include <QByteArray>
#include <cstddef>
#include <cstdint>

// Runs one centroid reader over the fuzzer's bytes; any outcome but a crash is fine.
inline int fuzzPnPReader(PnPFormat format, const uint8_t* data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    ImportedPlacements out;
    QString error;
    PnPImport::read(format, buffer, QStringLiteral("fuzz"), out, &error);
    return 0;
}
