#pragma once

#include <QByteArray>
#include <QString>

// The project file's compression: a code table of the characters used, then the text's codes
// packed most significant bit first. Characters are single bytes (Latin-1).
namespace Huffman {

// Longest code the writer makes. Longer codes (characters seen once in a huge file) could hold
// three zero bytes in a row, which ends the table early; shorter ones keep the decoder's tables
// small.
constexpr int maxCodeLength = 16;

// Table, the three zero bytes that end it, then the packed codes of `text`. The bits of a final
// partial byte are not written, so the reader never sees the text's last line when it has no
// line feed.
QByteArray encode(const QByteArray& text);

// Decodes what encode wrote, starting at `data`. False with `reason` when the table is malformed
// (ends inside, lengths of 0 or over 32 bits, values that do not fit their length, duplicate or
// prefix-conflicting codes, a tree with gaps) or a code leaves the tree.
bool decode(const char* data, qint64 size, QByteArray* text, QString* reason);

} // namespace Huffman
