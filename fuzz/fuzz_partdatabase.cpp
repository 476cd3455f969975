// database.cfg reader and the editor on arbitrary bytes: read, edit one entry, delete
// another, write, read again.
#include "line/partdatabase.h"
#include "line/partdbedit.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

namespace {
void quiet(QtMsgType, const QMessageLogContext&, const QString&) { }
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const auto previous = qInstallMessageHandler(quiet);
    Q_UNUSED(previous);
    if (size < 2)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 2), int(size - 2));
    PartDatabase db;
    db.parse(bytes);
    for (const PartDbEntry& entry : db.entries()) {
        db.entryByNumber(entry.dbNo());
        entry.category();
        entry.type();
    }
    for (const QString& category : db.categories())
        db.entriesOf(category);

    PartDbEdit edit;
    edit.newEntry = (data[0] & 1) != 0;
    edit.originalNo = db.entries().isEmpty() ? 0 : db.entries().first().dbNo();
    edit.dbNo = 100 + data[0] * 3 % 900;
    edit.name = QStringLiteral("n m-x");
    edit.type = QStringLiteral("t");
    edit.keywords = (data[1] & 1) ? QStringLiteral("k1,k2") : QString();
    PartDbEditor::validate(edit, db.usedNumbers());
    QStringList lines = PartDbEditor::applyEdit(db.lines(), edit);
    lines = PartDbEditor::removeNumber(lines, 100 + data[1] * 7 % 900);

    PartDatabase again;
    again.parse(PartDbEditor::serialize(lines));
    // The edited entry is found under its number, with its aliases.
    if (again.entryByNumber(edit.dbNo) == nullptr && edit.dbNo != 100 + data[1] * 7 % 900)
        __builtin_trap();
    return 0;
}
