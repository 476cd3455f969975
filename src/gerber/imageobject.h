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
class ImageObject
{
public:
    // Shared kind texts.
    static const QString& draw();
    static const QString& move();
    static const QString& flash();

    ImageObject() = default;
    ImageObject(Aperture* aperture, double x, double y, ObjectKind kind, bool dark)
        : aperture(aperture)
        , x(x)
        , y(y)
        , kind(kind)
        , dark(dark)
    { }

    Aperture* aperture = nullptr; // owned by the layer, never by the object
    double x = 0.0;
    double y = 0.0;
    ObjectKind kind; // "D1", "D2" or "D3"
    bool dark = true;
    qint32 index = -1; // object index, assigned when the layer takes the object
};
