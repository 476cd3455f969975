#pragma once

#include "line/partdbentry.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// The part database (database.cfg): the file's lines as read, and the look-ups built from
// them — alias name to database number, database number to entry, entries by category.
// "#ASYS" starts the alias section ("NUMBER NAME,NAME,..."), "#DBASE" the entry section
// ("NUMBER CATEGORY-TYPE X Y Z NOZZLE WIDTH", fields after these ignored, or the first five
// fields only).
class PartDatabase
{
public:
    static inline const QString fileName = QStringLiteral("database.cfg");
    static inline const QString backupName = QStringLiteral("database.bkp");
    static inline const QString aliasMarker = QStringLiteral("#ASYS");
    static inline const QString entryMarker = QStringLiteral("#DBASE");

    // Replaces the contents by those of `data`; lines that fit no section are kept in
    // lines() but enter no look-up.
    void parse(const QByteArray& data);
    // Reads `path`; a missing or unreadable file leaves the database empty, logs
    // "File konnte nicht geöffnet werden" and returns false.
    bool readFile(const QString& path);
    void clear();

    const QStringList& lines() const { return m_lines; }
    const QList<PartDbEntry>& entries() const { return m_entries; }
    // Categories in order of first appearance.
    const QStringList& categories() const { return m_categories; }
    // Indexes into entries() of one category, in file order.
    QList<int> entriesOf(const QString& category) const { return m_byCategory.value(category); }
    const QSet<int>& usedNumbers() const { return m_used; }

    // Alias name -> database number text.
    const QHash<QString, QString>& aliases() const { return m_aliases; }
    bool isAlias(const QString& name) const { return m_aliases.contains(name); }
    // Database number text of an alias; empty when unknown.
    QString numberOf(const QString& alias) const { return m_aliases.value(alias); }
    // The last entry of that number; nullptr when there is none.
    const PartDbEntry* entryByNumber(int dbNo) const;
    // Index into entries() of that entry; -1 when there is none.
    int indexOfNumber(int dbNo) const { return m_entryOfNumber.value(dbNo, -1); }
    // The keywords of the alias lines of that number, joined by ",".
    QString keywordsOf(int dbNo) const { return m_keywords.value(dbNo); }

private:
    void parseAlias(const QString& line);
    void parseEntry(const QString& line);

    QStringList m_lines;
    QList<PartDbEntry> m_entries;
    QStringList m_categories;
    QHash<QString, QList<int>> m_byCategory;
    QHash<QString, QString> m_aliases;
    QHash<int, QString> m_keywords;
    QHash<int, int> m_entryOfNumber;
    QSet<int> m_used;
};
