#pragma once

#include <QByteArray>
#include <QLatin1String>
#include <QString>
#include <QStringBuilder>
#include <QStringView>

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

// One flash ("D3"), draw ("D1", a stroke from the previous object's point) or move ("D2").
//
// A layer holds millions of these, so an object is kept in 24 bytes: the point, and one word
// that packs the aperture pointer (user-space pointers use the low 48 bits and an aperture's
// lowest bit is always clear), the polarity in that lowest bit and the kind's code in the top 16
// bits. The object's index is kept by the layer (see GerberLayer::objectIndex).
class ImageObject
{
public:
    // Shared kind texts.
    static const QString& draw();
    static const QString& move();
    static const QString& flash();

    ImageObject() = default;
    ImageObject(Aperture* aperture, double x, double y, ObjectKind kind, bool dark)
        : x(x)
        , y(y)
        , m_bits(pack(aperture, kind, dark))
    { }

    // Owned by the layer, never by the object.
    Aperture* aperture() const { return reinterpret_cast<Aperture*>(quintptr(m_bits & PointerBits)); }
    void setAperture(Aperture* aperture) { m_bits = pack(aperture, kind(), dark()); }
    // "D1", "D2" or "D3".
    ObjectKind kind() const { return ObjectKind(ObjectKind::Code(m_bits >> KindShift)); }
    bool dark() const { return (m_bits & ClearBit) == 0; }

    double x = 0.0;
    double y = 0.0;

private:
    static constexpr quint64 ClearBit = 1;
    static constexpr int KindShift = 48;
    static constexpr quint64 PointerBits = ((quint64(1) << KindShift) - 1) & ~ClearBit;

    static quint64 pack(Aperture* aperture, ObjectKind kind, bool dark)
    {
        const auto pointer = quint64(reinterpret_cast<quintptr>(aperture));
        Q_ASSERT((pointer & ~PointerBits) == 0);
        return pointer | (quint64(kind.code()) << KindShift) | (dark ? 0 : ClearBit);
    }

    quint64 m_bits = 0; // no aperture, no kind, dark
};
