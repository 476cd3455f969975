#pragma once

#include "line/productionline.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

class Machine;

// The production lines of a shop and their machines, as kept in line.cfg: one machine a
// line, "name;type;line". Owns every machine of every line.
class LineConfig
{
public:
    static inline const QString fileName = QStringLiteral("line.cfg");
    // The previous content of line.cfg, kept by every save that changes it.
    static inline const QString backupName = QStringLiteral("line.bkp");
    // A larger file is read up to this many machines; the rest is skipped and reported.
    static constexpr int maxMachines = 10000;

    LineConfig() = default;
    ~LineConfig();
    LineConfig(const LineConfig&) = delete;
    LineConfig& operator=(const LineConfig&) = delete;

    QList<ProductionLine>& lines() { return m_lines; }
    const QList<ProductionLine>& lines() const { return m_lines; }
    int machineCount() const;
    // "1" .. the number of lines.
    QStringList lineNames() const;

    // The machine a placement refers to: line index (0-based) and machine number inside the
    // line (1-based, 0 = unassigned). Anything out of range is unassigned: nullptr.
    const Machine* machineAt(int lineIndex, int machineNumber) const;

    // Empties the configuration, destroying every machine.
    void clear();
    // Removes line `index` and destroys its machines; the last line is never removed.
    bool removeLine(int index);
    void clearFeeders();

    // Replaces the configuration by the machines of `data`: lines that do not fit are
    // skipped; lines are formed by order of first appearance of their numbers. With no
    // line formed the result is one empty line. False (with the reason) only when more than
    // maxMachines lines were taken; the first maxMachines machines are kept.
    // `source` names the file in the error text.
    bool parse(const QByteArray& data, QString* error = nullptr, const QString& source = fileName);
    // "name;type;line\n" per machine, lines in order; the line field is the index of the
    // line holding the machine, so a re-read forms the same lines. The lines parse() did not
    // take (and machines past maxMachines) come back byte for byte before the machine that
    // followed them in the file, or at the end when that machine is gone.
    QByteArray serialize() const;

    // Reads `path`; an unreadable file gives one empty line and false.
    bool readFile(const QString& path, QString* error = nullptr);
    // Replaces `path` atomically, its old content going to line.bkp beside it; nothing is
    // written when the file holds serialize() already.
    bool writeFile(const QString& path, QString* error = nullptr) const;

    // The lines of an imported file that a reader would take, each trimmed and ended by
    // "\n"; `taken` receives their number.
    static QByteArray filterImport(const QByteArray& data, int* taken);

private:
    QList<ProductionLine> m_lines;
    // Lines not taken, in file order, with the machine that came after them (null: none).
    QVector<QPair<const Machine*, QByteArray>> m_kept;
};
