// Gerber X3 component reader and the file classifier on arbitrary bytes.
#include "fab/fabclassifier.h"
#include "fab/x3components.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    ImportedPlacements placements;
    QString error;
    X3Components::read(bytes, QStringLiteral("fuzz.gbr"), placements, &error);
    FabFile file;
    file.path = QString::fromUtf8(bytes.left(64));
    FabClassifier::classify(file, bytes);
    return 0;
}
