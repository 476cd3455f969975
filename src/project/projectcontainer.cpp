#include "project/projectcontainer.h"

#include "model/version.h"
#include "project/huffman.h"
#include "project/projecttext.h"

#include <QTextCodec>

namespace ProjectContainer {

QByteArray headerLine()
{
    QString text = Version::programText();
    text.insert(11, QLatin1Char('v'));
    return text.toUtf8() + '\n';
}

QByteArray pack(const QByteArray& text)
{
    return headerLine() + Huffman::encode(text);
}

namespace {

// A hand-written file is most likely UTF-8; characters beyond Latin-1 become escapes so that
// the rest of the reader sees one byte a character, as in a compressed file.
QByteArray plainText(const QByteArray& file)
{
    bool ascii = true;
    for (const char c : file) {
        if (uchar(c) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii)
        return file;
    QTextCodec::ConverterState state;
    const QString text = QTextCodec::codecForName("UTF-8")->toUnicode(file.constData(), file.size(), &state);
    if (state.invalidChars > 0)
        return file; // Latin-1 already
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.unicode() <= 0xFF) {
            out += c;
            continue;
        }
        int length = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        out += ProjectText::escape(text.mid(i, length), ProjectText::Place::Field);
        i += length - 1;
    }
    return out.toLatin1();
}

} // namespace

bool unpack(const QByteArray& file, QByteArray* text, bool* compressed, QString* reason)
{
    const int lineEnd = file.indexOf('\n');
    const QByteArray first = file.left(lineEnd < 0 ? file.size() : lineEnd).trimmed();
    *compressed = first.contains(headerMark());
    if (!*compressed) {
        *text = plainText(file);
        return true;
    }
    if (lineEnd < 0) {
        *reason = QStringLiteral("the file ends after its header line");
        return false;
    }
    return Huffman::decode(file.constData() + lineEnd + 1, file.size() - lineEnd - 1, text, reason);
}

} // namespace ProjectContainer
