#include "gerber/imageobject.h"

#include "gerber/aperture.h"

#include <QHash>
#include <deque>
#include <mutex>
#include <type_traits>

static_assert(std::is_trivially_destructible<ImageObject>::value, "objects are dropped without destruction");
static_assert(alignof(Aperture) >= 2, "the lowest bit of an aperture pointer holds the polarity");
static_assert(sizeof(ImageObject) == 16, "an object is its point");

namespace {

// The texts of the kinds beyond the usual three. They stay put once entered (a deque keeps its
// elements in place), so a reference to one stays valid for the life of the process.
struct KindTable
{
    std::mutex mutex;
    std::deque<QString> texts; // at code - firstOther
    QHash<QString, quint16> codes;
};

constexpr quint16 firstOther = 4;
constexpr int maxOthers = 0xffff - firstOther;

KindTable& kindTable()
{
    static KindTable table;
    return table;
}

const QString& fixedText(quint16 code)
{
    static const QString texts[firstOther]
        = { QString(), QStringLiteral("D1"), QStringLiteral("D2"), QStringLiteral("D3") };
    return texts[code];
}

// The code of a D text; the three usual ones without a look-up.
bool fixedCode(QStringView text, quint16& code)
{
    if (text.isEmpty()) {
        code = ObjectKind::None;
        return true;
    }
    if (text.size() == 2 && text[0] == QLatin1Char('D') && text[1] >= QLatin1Char('1')
        && text[1] <= QLatin1Char('3')) {
        code = quint16(text[1].unicode() - u'0');
        return true;
    }
    return false;
}

quint16 otherCode(const QString& text)
{
    KindTable& table = kindTable();
    const std::lock_guard<std::mutex> lock(table.mutex);
    const auto it = table.codes.constFind(text);
    if (it != table.codes.cend())
        return it.value();
    // Past the table's size every further text shares its last entry: a file would need tens of
    // thousands of distinct malformed D codes for that, and none of them draws anything.
    if (int(table.texts.size()) >= maxOthers)
        return quint16(firstOther + maxOthers - 1);
    const quint16 code = quint16(firstOther + table.texts.size());
    table.texts.push_back(text);
    table.codes.insert(text, code);
    return code;
}

} // namespace

ObjectKind::ObjectKind(const QString& text)
{
    if (!fixedCode(text, m_code))
        m_code = otherCode(text);
}

ObjectKind ObjectKind::fromText(QStringView text)
{
    ObjectKind kind;
    if (!fixedCode(text, kind.m_code))
        kind.m_code = otherCode(text.toString());
    return kind;
}

const QString& ObjectKind::text() const
{
    if (m_code < firstOther)
        return fixedText(m_code);
    KindTable& table = kindTable();
    const std::lock_guard<std::mutex> lock(table.mutex);
    return table.texts[std::size_t(m_code - firstOther)];
}

const QString& ImageObject::draw()
{
    return fixedText(ObjectKind::Draw);
}

const QString& ImageObject::move()
{
    return fixedText(ObjectKind::Move);
}

const QString& ImageObject::flash()
{
    return fixedText(ObjectKind::Flash);
}
