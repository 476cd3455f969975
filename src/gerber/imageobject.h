#pragma once

#include <QByteArray>
#include <QLatin1String>
#include <QString>
#include <QStringBuilder>
#include <QStringView>
#include <cstddef>

class Aperture;

// The kind of an image object, "D1", "D2" or "D3" (or whatever other D text a file gave), held as
// a two-byte code: the three usual texts have fixed codes, any other text is entered once in a
// table shared by the process. Reads, compares and prints as its text.
class ObjectKind
{
public:
    enum Code : quint16
    {
        None = 0,
        Draw = 1,
        Move = 2,
        Flash = 3
    };

    constexpr ObjectKind(Code code = None) // NOLINT: the fixed kinds convert like their texts
        : m_code(code)
    { }
    ObjectKind(const QString& text); // NOLINT: converts like the text it stands for
    // The kind for a D text without building a string for the usual three.
    static ObjectKind fromText(QStringView text);

    const QString& text() const;
    operator const QString&() const { return text(); } // NOLINT
    quint16 code() const { return m_code; }
    bool isDraw() const { return m_code == Draw; }
    bool isMove() const { return m_code == Move; }
    bool isFlash() const { return m_code == Flash; }

    friend bool operator==(ObjectKind a, ObjectKind b) { return a.m_code == b.m_code; }
    friend bool operator!=(ObjectKind a, ObjectKind b) { return a.m_code != b.m_code; }
    friend bool operator==(ObjectKind a, const QString& b) { return a.text() == b; }
    friend bool operator!=(ObjectKind a, const QString& b) { return a.text() != b; }
    friend bool operator==(const QString& a, ObjectKind b) { return a == b.text(); }
    friend bool operator!=(const QString& a, ObjectKind b) { return a != b.text(); }
    friend bool operator==(ObjectKind a, QLatin1String b) { return a.text() == b; }
    friend bool operator!=(ObjectKind a, QLatin1String b) { return a.text() != b; }
    friend bool operator==(QLatin1String a, ObjectKind b) { return a == b.text(); }
    friend bool operator!=(QLatin1String a, ObjectKind b) { return a != b.text(); }

private:
    quint16 m_code;
};

// For test output (found by argument-dependent lookup): the text, allocated with new[].
inline char* toString(const ObjectKind& kind)
{
    return qstrdup(kind.text().toUtf8().constData());
}

// Concatenates like its text.
template <> struct QConcatenable<ObjectKind> : private QAbstractConcatenable
{
    typedef ObjectKind type;
    typedef QString ConvertTo;
    enum
    {
        ExactSize = true
    };
    static int size(const ObjectKind& kind) { return kind.text().size(); }
    static inline void appendTo(const ObjectKind& kind, QChar*& out)
    {
        QConcatenable<QString>::appendTo(kind.text(), out);
    }
};

// Where the objects of a layer live: chunks of 64 KiB, aligned to their size, so that an object
// finds its chunk from its own address. A chunk starts with a header, then one code byte per
// object, then the objects. The code indexes the chunk's table of attribute words (aperture, kind
// and polarity, see ObjectWord): a chunk rarely needs more than a handful, so an object costs its
// point and one byte instead of a whole word. Once the table is full, further words are kept one
// per object, by slot, and the object's code says so. The arena (see ObjectArena) fills them.
struct ObjectChunk
{
    static constexpr std::size_t Bytes = std::size_t(1) << 16;
    static constexpr std::size_t HeaderBytes = 32;
    static constexpr std::size_t ObjectBytes = 16;
    static constexpr std::size_t Objects = (Bytes - HeaderBytes) / (ObjectBytes + 1);
    static constexpr std::size_t CodesOffset = HeaderBytes;
    static constexpr std::size_t ObjectsOffset = Bytes - Objects * ObjectBytes;
    // The code of an object whose word is kept by its slot; the table holds the other codes.
    static constexpr quint8 Overflow = 0xff;
    static constexpr quint16 MaxWords = Overflow;

    quint64* words; // the attribute words, at their codes
    quint64* overflowWords; // the words kept by slot, in the order of...
    quint16* overflowSlots; // ...these slots, ascending
    quint16 wordCount;
    quint16 wordCapacity;
    quint16 overflowCount;
    quint16 overflowCapacity;

    quint8* codes() { return reinterpret_cast<quint8*>(this) + CodesOffset; }
    const quint8* codes() const { return reinterpret_cast<const quint8*>(this) + CodesOffset; }
    quint64 wordAt(std::size_t slot) const
    {
        const quint8 code = codes()[slot];
        return code != Overflow ? words[code] : overflowWordAt(slot);
    }
    quint64 overflowWordAt(std::size_t slot) const;

    static const ObjectChunk* of(const void* object)
    {
        return reinterpret_cast<const ObjectChunk*>(
            reinterpret_cast<quintptr>(object) & ~quintptr(Bytes - 1));
    }
    static std::size_t slotOf(const void* object)
    {
        return ((reinterpret_cast<quintptr>(object) & quintptr(Bytes - 1)) - ObjectsOffset) / ObjectBytes;
    }
};

// An object's attributes in one word: the aperture pointer (user-space pointers use the low 48
// bits and an aperture's lowest bit is always clear), the polarity in that lowest bit and the
// kind's code in the top 16 bits.
struct ObjectWord
{
    static constexpr quint64 ClearBit = 1;
    static constexpr int KindShift = 48;
    static constexpr quint64 PointerBits = ((quint64(1) << KindShift) - 1) & ~ClearBit;

    static quint64 pack(const Aperture* aperture, ObjectKind kind, bool dark)
    {
        const auto pointer = quint64(reinterpret_cast<quintptr>(aperture));
        Q_ASSERT((pointer & ~PointerBits) == 0);
        return pointer | (quint64(kind.code()) << KindShift) | (dark ? 0 : ClearBit);
    }
    static Aperture* aperture(quint64 word)
    {
        return reinterpret_cast<Aperture*>(quintptr(word & PointerBits));
    }
    static ObjectKind kind(quint64 word) { return ObjectKind(ObjectKind::Code(word >> KindShift)); }
    static bool dark(quint64 word) { return (word & ClearBit) == 0; }
    static quint64 withAperture(quint64 word, const Aperture* aperture)
    {
        return pack(aperture, kind(word), dark(word));
    }
};

// One flash ("D3"), draw ("D1", a stroke from the previous object's point) or move ("D2").
//
// A layer holds millions of these, so an object is only its point: its aperture, kind and
// polarity are found through its chunk (see ObjectChunk). Objects therefore exist only inside a
// layer's arena and are never copied; the layer makes them (GerberLayer::createObject). The
// object's index is kept by the layer (see GerberLayer::objectIndex).
class ImageObject
{
public:
    // Shared kind texts.
    static const QString& draw();
    static const QString& move();
    static const QString& flash();

    ImageObject(const ImageObject&) = delete;
    ImageObject& operator=(const ImageObject&) = delete;

    // The attribute word (see ObjectWord).
    quint64 word() const { return ObjectChunk::of(this)->wordAt(ObjectChunk::slotOf(this)); }
    // Owned by the layer, never by the object.
    Aperture* aperture() const { return ObjectWord::aperture(word()); }
    // "D1", "D2" or "D3".
    ObjectKind kind() const { return ObjectWord::kind(word()); }
    bool dark() const { return ObjectWord::dark(word()); }

    double x;
    double y;

private:
    friend class ObjectArena;
    ImageObject(double x, double y)
        : x(x)
        , y(y)
    { }
};
