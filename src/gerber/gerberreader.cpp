#include "gerber/gerberreader.h"

#include "gerber/gerberlayer.h"
#include "gerber/gerberparser.h"
#include "model/fileio.h"

#include <QFileInfo>

LineList gerberLinesFromBytes(QByteArray data)
{
    return LineList::fromFileBytes(std::move(data));
}

namespace {
// The file is read in small pieces into a buffer whose complete lines are read and packed once it
// holds a block: big enough that a block costs little beyond its bytes, small enough that the
// buffers stay in the cache and reuse the same memory.
constexpr int pieceBytes = 64 * 1024;
constexpr int blockBytes = 256 * 1024;
} // namespace

bool loadGerber(const QString& path, GerberLayer& layer, QString* error)
{
    // The file is read a piece at a time: the image is read from each piece's lines as they
    // stand in the piece, which is then kept packed, so the whole text is never held unpacked.
    layer.rawLines = LineList();
    layer.rawLines.pack();
    layer.visible = true;
    layer.fileName = FileIo::fileName(path);
    // Nearly every line of a large layer is one coordinate block of some 16 bytes or more.
    // Room reserved up front is taken only as it is written, and a list that never grows is
    // never copied.
    const qint64 fileSize = QFileInfo(path).size();
    layer.reserveObjects(int(qMin<qint64>(fileSize / 16, 1 << 26)));
    layer.rawLines.reserve(
        int(qMin<qint64>(fileSize / 10, 1 << 26)), int(qMin<qint64>(fileSize, LineList::MaxBytes)));

    GerberParser parser(layer);
    bool whole = true; // no line was dropped for want of room
    QByteArray pending; // the bytes read since the last complete line
    pending.reserve(blockBytes + pieceBytes);
    qint64 bytesTaken = 0;
    const auto takeLines = [&](int bytes) {
        // The block's lines are read where they stand, and packed before the buffer is reused.
        const LineList lines = LineList::fromFileBytes(QByteArray::fromRawData(pending.constData(), bytes));
        if (whole && layer.rawLines.appendLines(lines) == lines.size())
            parser.feed(lines);
        else
            whole = false; // the lines end here, as the reader then sees them
        // The estimate of the objects still to come follows what the text so far made, so that
        // storage for objects is not taken far beyond what the layer fills.
        bytesTaken += bytes;
        if (bytesTaken < fileSize) {
            const double perByte = double(layer.objects().size()) / double(bytesTaken);
            layer.reserveObjects(int(qMin(perByte * double(fileSize - bytesTaken), double(1 << 26))));
        }
    };
    const auto took = [&]() {
        if (pending.size() < blockBytes)
            return;
        const int complete = pending.lastIndexOf('\n') + 1;
        if (complete > 0) {
            takeLines(complete);
            pending.remove(0, complete);
        }
    };
    if (!FileIo::readPieces(path, pieceBytes, pending, took, error))
        return false;
    if (!pending.isEmpty())
        takeLines(pending.size());
    // The text's unused room was never written and costs address space only; giving it back
    // would cost more, since the next layer read would take fresh memory again.
    const bool ok = parser.finish();
    if (!ok && error)
        *error = parser.errorText();
    return ok;
}

bool parseGerber(GerberLayer& layer, QString* error)
{
    GerberParser parser(layer);
    const bool ok = parser.run();
    if (!ok && error)
        *error = parser.errorText();
    return ok;
}
