#include "line/partdatabase.h"

#include "model/fileio.h"

#include <QDebug>
#include <QVector>

namespace {

enum class Section
{
    None,
    Aliases,
    Entries
};

// Fields are separated by any run of white space: a double space must not shift them.
QVector<QStringRef> fieldsOf(const QString& line)
{
    QVector<QStringRef> fields;
    const int n = line.size();
    int i = 0;
    while (i < n) {
        while (i < n && line.at(i).isSpace())
            ++i;
        const int start = i;
        while (i < n && !line.at(i).isSpace())
            ++i;
        if (i > start)
            fields.append(line.midRef(start, i - start));
    }
    return fields;
}

} // namespace

void PartDatabase::clear()
{
    m_lines.clear();
    m_entries.clear();
    m_categories.clear();
    m_byCategory.clear();
    m_aliases.clear();
    m_keywords.clear();
    m_entryOfNumber.clear();
    m_used.clear();
}

void PartDatabase::parse(const QByteArray& data)
{
    clear();
    Section section = Section::None;
    int start = 0;
    while (start < data.size()) {
        int end = data.indexOf('\n', start);
        if (end < 0)
            end = data.size();
        const QString line = QString::fromLatin1(data.constData() + start, end - start).trimmed();
        start = end + 1;
        m_lines.append(line);
        if (line == aliasMarker)
            section = Section::Aliases;
        else if (line == entryMarker)
            section = Section::Entries;
        else if (section == Section::Aliases)
            parseAlias(line);
        else if (section == Section::Entries)
            parseEntry(line);
    }
}

void PartDatabase::parseAlias(const QString& line)
{
    const QVector<QStringRef> f = fieldsOf(line);
    if (f.size() < 2)
        return;
    const QString number = f[0].toString();
    const QString keywords = f[1].toString();
    for (const QStringRef& name : f[1].split(QLatin1Char(','), QString::SkipEmptyParts))
        m_aliases.insert(name.toString(), number);
    QString& all = m_keywords[number.toInt()];
    all = all.isEmpty() ? keywords : all + QLatin1Char(',') + keywords;
}

void PartDatabase::parseEntry(const QString& line)
{
    const QVector<QStringRef> f = fieldsOf(line);
    // Five fields (no nozzle and feeder width) or seven and more, of which the first seven count.
    if (f.size() < 5 || f.size() == 6)
        return;
    PartDbEntry entry;
    entry.number = f[0].toString();
    entry.name = f[1].toString();
    entry.x = f[2].toString();
    entry.y = f[3].toString();
    entry.z = f[4].toString();
    if (f.size() >= 7) {
        entry.nozzle = f[5].toString();
        entry.feederType = f[6].toString() + QStringLiteral("mm");
    }
    const int dbNo = entry.dbNo();
    m_used.insert(dbNo);
    const QString category = entry.category();
    auto it = m_byCategory.find(category);
    if (it == m_byCategory.end()) {
        m_categories.append(category);
        it = m_byCategory.insert(category, {});
    }
    it->append(m_entries.size());
    m_entryOfNumber.insert(dbNo, m_entries.size());
    m_entries.append(entry);
}

bool PartDatabase::readFile(const QString& path)
{
    QByteArray data;
    if (!FileIo::readAll(path, &data, nullptr)) {
        clear();
        qDebug() << "File konnte nicht geöffnet werden";
        return false;
    }
    parse(data);
    return true;
}

const PartDbEntry* PartDatabase::entryByNumber(int dbNo) const
{
    const auto it = m_entryOfNumber.constFind(dbNo);
    return it == m_entryOfNumber.constEnd() ? nullptr : &m_entries.at(*it);
}
