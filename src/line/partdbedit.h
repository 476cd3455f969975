#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// One entry as the entry editor hands it over: the values to store and the number the entry
// had when the editor opened (none for a new entry).
struct PartDbEdit
{
    bool newEntry = true;
    int originalNo = 0;
    int dbNo = 0;
    QString name; // category
    QString type;
    QString keywords; // alias names separated by ","
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    int nozzle = 1;
    int feederWidth = 8;
};

// Editing the lines of database.cfg: validation, removal and sorted insertion.
namespace PartDbEditor {

constexpr int lowestNumber = 100;
constexpr int highestNumber = 999;

// Tape widths in selector order: 8, 12, 16, 24, 32, 44 mm.
const QList<int>& feederWidths();
// Selector index to width (8 for any unknown index) and back (0 for any unknown width).
int widthOfIndex(int index);
int indexOfWidth(int width);

// The number with leading zeros to three digits.
QString numberText(int dbNo);

// Cleans the texts (type and keywords: white space to "_"; name: upper case, white space
// and "-" to "_") and checks them; an empty text when the entry may be stored, else the
// message the editor shows.
QString validate(PartDbEdit& edit, const QSet<int>& usedNumbers);

// "NNN NAME-TYPE X Y Z NOZZLE WIDTH", dimensions with two decimals.
QString entryLine(const PartDbEdit& edit);

// Removes the alias and entry lines whose number field is `dbNo`; markers and lines outside
// the sections stay.
QStringList removeNumber(const QStringList& lines, int dbNo);

// Replaces the lines of the edited entry by its new alias line (when it has keywords) at the
// end of the alias section, and its entry line before the first entry of a greater number or
// at the end of the entry section. A missing section marker is added, so no line lands in
// the wrong section.
QStringList applyEdit(const QStringList& lines, const PartDbEdit& edit);

// Every line followed by "\r\n".
QByteArray serialize(const QStringList& lines);

} // namespace PartDbEditor
