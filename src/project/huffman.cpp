#include "project/huffman.h"

#include <QVector>
#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace Huffman {

namespace {

struct Code
{
    int length = 0;
    quint32 value = 0;
};
using CodeTable = std::array<Code, 256>;

// The classic construction: the two lightest nodes become children of a new node (the first
// for bit 0), which goes back after every node of smaller or equal weight.
CodeTable buildCodes(const std::array<quint64, 256>& counts)
{
    struct Node
    {
        quint64 weight;
        int child0;
        int child1;
        int symbol;
    };
    std::vector<Node> nodes;
    std::vector<int> order;
    for (int c = 0; c < 256; ++c) {
        if (counts[size_t(c)] == 0)
            continue;
        nodes.push_back({ counts[size_t(c)], -1, -1, c });
        order.push_back(int(nodes.size()) - 1);
    }
    std::stable_sort(order.begin(), order.end(),
        [&](int a, int b) { return nodes[size_t(a)].weight < nodes[size_t(b)].weight; });
    while (order.size() > 1) {
        const int a = order[0];
        const int b = order[1];
        order.erase(order.begin(), order.begin() + 2);
        nodes.push_back({ nodes[size_t(a)].weight + nodes[size_t(b)].weight, a, b, -1 });
        const int parent = int(nodes.size()) - 1;
        auto at = std::upper_bound(order.begin(), order.end(), nodes[size_t(parent)].weight,
            [&](quint64 w, int n) { return w < nodes[size_t(n)].weight; });
        order.insert(at, parent);
    }
    CodeTable codes {};
    if (order.empty())
        return codes;
    struct Walk
    {
        int node;
        int length;
        quint64 value;
    };
    std::vector<Walk> stack { { order[0], 0, 0 } };
    while (!stack.empty()) {
        const Walk w = stack.back();
        stack.pop_back();
        const Node& n = nodes[size_t(w.node)];
        if (n.symbol >= 0) {
            // A single character still needs one bit per occurrence. Values of codes longer than
            // the limit are never written: the caller flattens the weights first.
            codes[size_t(n.symbol)] = { std::max(w.length, 1), quint32(w.value) };
            continue;
        }
        stack.push_back({ n.child0, w.length + 1, w.value << 1 });
        stack.push_back({ n.child1, w.length + 1, (w.value << 1) | 1 });
    }
    return codes;
}

int longest(const CodeTable& codes)
{
    int m = 0;
    for (const Code& c : codes)
        m = std::max(m, c.length);
    return m;
}

void appendEntry(QByteArray& out, int symbol, const Code& code)
{
    int bytes = 1;
    while (bytes < 4 && (code.value >> (8 * bytes)) != 0)
        ++bytes;
    out.append(char(symbol));
    out.append(char(code.length));
    out.append(char(bytes));
    for (int i = 0; i < bytes; ++i)
        out.append(char((code.value >> (8 * i)) & 0xFF));
}

} // namespace

QByteArray encode(const QByteArray& text)
{
    std::array<quint64, 256> counts {};
    for (const char c : text)
        ++counts[uchar(c)];
    CodeTable codes = buildCodes(counts);
    // Flatten the weights until every code fits; files without very rare characters never
    // get here, so their codes are the plain construction's.
    for (int shift = 1; longest(codes) > maxCodeLength; ++shift) {
        std::array<quint64, 256> flat {};
        for (size_t c = 0; c < 256; ++c)
            flat[c] = counts[c] == 0 ? 0 : std::max<quint64>(1, counts[c] >> shift);
        codes = buildCodes(flat);
    }

    QByteArray out;
    out.reserve(int(std::min<qint64>(text.size() / 2 + 2048, 0x7fffff00)));
    // The all-zero code goes first: stored as a single 0 byte at the end of the table, it
    // would run into the table's end mark and end the table one byte early.
    int zeroCode = -1;
    for (int c = 0; c < 256; ++c) {
        if (codes[size_t(c)].length > 0 && codes[size_t(c)].value == 0) {
            zeroCode = c;
            appendEntry(out, c, codes[size_t(c)]);
        }
    }
    for (int c = 0; c < 256; ++c) {
        if (codes[size_t(c)].length > 0 && c != zeroCode)
            appendEntry(out, c, codes[size_t(c)]);
    }
    out.append(3, '\0');

    quint64 buffer = 0;
    int bits = 0;
    for (const char ch : text) {
        const Code& code = codes[uchar(ch)];
        buffer = (buffer << code.length) | code.value;
        bits += code.length;
        while (bits >= 8) {
            bits -= 8;
            out.append(char((buffer >> bits) & 0xFF));
        }
    }
    return out;
}

namespace {

struct TreeNode
{
    int child[2] = { -1, -1 };
    int symbol = -1;
};

// One step of the byte-wise decoder: from an inner node, eight bits lead to another inner node
// after emitting up to eight characters.
struct Step
{
    std::uint16_t next = 0;
    std::uint8_t count = 0;
    char out[8] = {};
};

bool readTable(const uchar* p, qint64 size, std::vector<TreeNode>& tree, qint64* used, QString* reason)
{
    struct Entry
    {
        int symbol;
        int length;
        int bytes;
        quint64 value;
    };
    std::vector<Entry> entries;
    std::array<bool, 256> seen {};
    Entry current { 0, 0, 0, 0 };
    int state = 0;
    int readBytes = 0;
    int zeros = 0;
    qint64 i = 0;
    for (;; ++i) {
        if (i >= size) {
            *reason = QStringLiteral("the code table ends before its end mark");
            return false;
        }
        const uchar b = p[i];
        zeros = b == 0 ? zeros + 1 : 0;
        if (zeros == 3)
            break;
        switch (state) {
        case 0:
            current = { b, 0, 0, 0 };
            state = 1;
            break;
        case 1:
            current.length = b;
            state = 2;
            break;
        case 2:
            current.bytes = b;
            readBytes = 0;
            if (b == 0 || b > 4) {
                *reason = QStringLiteral("a code of %1 bytes in the code table").arg(b);
                return false;
            }
            state = 3;
            break;
        default:
            current.value |= quint64(b) << (8 * readBytes);
            if (++readBytes == current.bytes) {
                // One code per character: a table that repeats them could ask for millions of
                // codes, and the decoder's tables grow with every one.
                if (seen[size_t(current.symbol)]) {
                    *reason
                        = QStringLiteral("the code table holds the character %1 twice").arg(current.symbol);
                    return false;
                }
                seen[size_t(current.symbol)] = true;
                entries.push_back(current);
                state = 0;
            }
            break;
        }
    }
    *used = i + 1;
    if (entries.size() < 2) {
        *reason = QStringLiteral("the code table holds fewer than two characters");
        return false;
    }
    tree.assign(1, TreeNode());
    for (const Entry& e : entries) {
        if (e.length < 1 || e.length > 32 || (e.value >> e.length) != 0) {
            *reason = QStringLiteral("a code of length %1 in the code table").arg(e.length);
            return false;
        }
        int node = 0;
        for (int bit = e.length - 1; bit >= 0; --bit) {
            if (tree[size_t(node)].symbol >= 0) {
                *reason = QStringLiteral("two codes in the code table share a prefix");
                return false;
            }
            const int b = int((e.value >> bit) & 1);
            if (tree[size_t(node)].child[b] < 0) {
                tree[size_t(node)].child[b] = int(tree.size());
                tree.emplace_back();
            }
            node = tree[size_t(node)].child[b];
        }
        if (tree[size_t(node)].symbol >= 0 || tree[size_t(node)].child[0] >= 0
            || tree[size_t(node)].child[1] >= 0) {
            *reason = QStringLiteral("two codes in the code table share a prefix");
            return false;
        }
        tree[size_t(node)].symbol = e.symbol;
    }
    for (const TreeNode& n : tree) {
        if (n.symbol < 0 && (n.child[0] < 0 || n.child[1] < 0)) {
            *reason = QStringLiteral("the code table leaves codes unused");
            return false;
        }
    }
    return true;
}

} // namespace

bool decode(const char* data, qint64 size, QByteArray* text, QString* reason)
{
    const auto* p = reinterpret_cast<const uchar*>(data);
    std::vector<TreeNode> tree;
    qint64 used = 0;
    if (!readTable(p, size, tree, &used, reason))
        return false;

    // Inner nodes get dense numbers for the step table.
    std::vector<int> innerIndex(tree.size(), -1);
    std::vector<int> inner;
    for (size_t n = 0; n < tree.size(); ++n) {
        if (tree[n].symbol < 0) {
            innerIndex[n] = int(inner.size());
            inner.push_back(int(n));
        }
    }
    std::vector<Step> steps(inner.size() * 256);
    for (size_t s = 0; s < inner.size(); ++s) {
        for (int byte = 0; byte < 256; ++byte) {
            Step& step = steps[s * 256 + size_t(byte)];
            int node = inner[s];
            for (int bit = 7; bit >= 0; --bit) {
                node = tree[size_t(node)].child[(byte >> bit) & 1];
                if (tree[size_t(node)].symbol >= 0) {
                    step.out[step.count++] = char(tree[size_t(node)].symbol);
                    node = 0;
                }
            }
            step.next = std::uint16_t(innerIndex[size_t(node)]);
        }
    }

    // Eight characters a byte at most, and a QByteArray holds less than 2 GiB.
    if (size - used > (qint64(1) << 27)) {
        *reason = QStringLiteral("the file is too large");
        return false;
    }
    text->clear();
    text->reserve(int(std::min<qint64>((size - used) * 2, 0x7fffff00)));
    int state = innerIndex[0];
    for (qint64 i = used; i < size; ++i) {
        const Step& step = steps[size_t(state) * 256 + p[i]];
        text->append(step.out, step.count);
        state = step.next;
    }
    return true;
}

} // namespace Huffman
