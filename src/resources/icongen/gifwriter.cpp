#include "resources/icongen/gifwriter.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kMaxCodeBits = 12;
constexpr int kMaxCodes = 1 << kMaxCodeBits;

void appendWord(QByteArray& out, int value)
{
    out.append(char(value & 0xff));
    out.append(char((value >> 8) & 0xff));
}

// Collects variable-width codes least significant bit first and cuts them into sub-blocks.
class CodeStream
{
public:
    void put(int code, int width)
    {
        m_bits |= quint32(code) << m_bitCount;
        m_bitCount += width;
        while (m_bitCount >= 8) {
            m_bytes.append(char(m_bits & 0xff));
            m_bits >>= 8;
            m_bitCount -= 8;
        }
    }

    QByteArray blocks()
    {
        if (m_bitCount > 0) {
            m_bytes.append(char(m_bits & 0xff));
            m_bits = 0;
            m_bitCount = 0;
        }
        QByteArray out;
        for (int pos = 0; pos < m_bytes.size(); pos += 255) {
            const int len = std::min(255, int(m_bytes.size()) - pos);
            out.append(char(len));
            out.append(m_bytes.constData() + pos, len);
        }
        out.append(char(0));
        return out;
    }

private:
    QByteArray m_bytes;
    quint32 m_bits = 0;
    int m_bitCount = 0;
};

// Open-addressing dictionary from (prefix code, next index) to code; small enough to clear often.
class CodeTable
{
public:
    CodeTable()
        : m_keys(kSize, -1)
        , m_codes(kSize, 0)
    { }

    void clear() { std::fill(m_keys.begin(), m_keys.end(), -1); }

    int find(int key) const
    {
        for (int slot = hash(key);; slot = (slot + 1) % kSize) {
            if (m_keys[slot] == key)
                return m_codes[slot];
            if (m_keys[slot] == -1)
                return -1;
        }
    }

    void insert(int key, int code)
    {
        int slot = hash(key);
        while (m_keys[slot] != -1)
            slot = (slot + 1) % kSize;
        m_keys[slot] = key;
        m_codes[slot] = code;
    }

private:
    // Twice the number of codes, so probing stays short and always ends at an empty slot.
    static constexpr int kSize = 8209;
    static int hash(int key) { return int((quint32(key) * 2654435761u) % kSize); }
    std::vector<int> m_keys;
    std::vector<int> m_codes;
};

} // namespace

GifWriter::GifWriter(QSize size, const QVector<QRgb>& palette, int transparentIndex)
    : m_size(size)
    , m_palette(palette.mid(0, 256))
    , m_transparentIndex(transparentIndex >= 0 && transparentIndex < m_palette.size() ? transparentIndex : -1)
{
    if (m_palette.isEmpty())
        m_palette.append(qRgb(0, 0, 0));
}

int GifWriter::minCodeSizeFor(int paletteSize)
{
    int bits = 2; // GIF does not allow less, even for two colours
    while ((1 << bits) < paletteSize)
        ++bits;
    return bits;
}

QByteArray GifWriter::compress(const QVector<uchar>& indices, int minCodeSize)
{
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    CodeStream out;
    CodeTable table;
    int width = minCodeSize + 1;
    int nextCode = endCode + 1;
    out.put(clearCode, width);
    if (indices.isEmpty()) {
        out.put(endCode, width);
        return out.blocks();
    }
    int prefix = indices[0];
    for (int i = 1; i < indices.size(); ++i) {
        const int c = indices[i];
        const int key = (prefix << 8) | c;
        const int found = table.find(key);
        if (found >= 0) {
            prefix = found;
            continue;
        }
        out.put(prefix, width);
        prefix = c;
        table.insert(key, nextCode++);
        // The decoder learns each entry one code later, so it widens when the highest
        // assignable code no longer fits: exactly when nextCode passes 2^width.
        if (nextCode > (1 << width) && width < kMaxCodeBits)
            ++width;
        if (nextCode == kMaxCodes) {
            out.put(clearCode, width);
            table.clear();
            width = minCodeSize + 1;
            nextCode = endCode + 1;
        }
    }
    out.put(prefix, width);
    // Reading the last code adds one more entry on the decoder side, which may widen the end code.
    if (nextCode >= (1 << width) && width < kMaxCodeBits && nextCode != endCode + 1)
        ++width;
    out.put(endCode, width);
    return out.blocks();
}

bool GifWriter::addFrame(const QVector<uchar>& indices, int delayCentiseconds)
{
    if (indices.size() != m_size.width() * m_size.height())
        return false;
    for (uchar index : indices) {
        if (index >= m_palette.size())
            return false;
    }
    const int disposal = 2; // restore to background, so transparent pixels never show the last frame
    QByteArray& b = m_body;
    b.append("\x21\xf9\x04", 3);
    b.append(char((disposal << 2) | (m_transparentIndex >= 0 ? 1 : 0)));
    appendWord(b, std::clamp(delayCentiseconds, 0, 0xffff));
    b.append(char(m_transparentIndex >= 0 ? m_transparentIndex : 0));
    b.append(char(0));

    b.append(char(0x2c));
    appendWord(b, 0);
    appendWord(b, 0);
    appendWord(b, m_size.width());
    appendWord(b, m_size.height());
    b.append(char(0)); // no local colour table, not interlaced

    const int minCodeSize = minCodeSizeFor(m_palette.size());
    b.append(char(minCodeSize));
    b.append(compress(indices, minCodeSize));
    ++m_frames;
    return true;
}

QByteArray GifWriter::finish() const
{
    QByteArray out("GIF89a");
    appendWord(out, m_size.width());
    appendWord(out, m_size.height());
    int tableBits = 1;
    while ((1 << tableBits) < m_palette.size())
        ++tableBits;
    out.append(char(0x80 | (7 << 4) | (tableBits - 1)));
    out.append(char(m_transparentIndex >= 0 ? m_transparentIndex : 0));
    out.append(char(0));
    for (int i = 0; i < (1 << tableBits); ++i) {
        const QRgb c = i < m_palette.size() ? m_palette[i] : qRgb(0, 0, 0);
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    // Loop forever.
    out.append("\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
    out.append(m_body);
    out.append(char(0x3b));
    return out;
}
