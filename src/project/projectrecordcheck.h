#pragma once

#include <QString>
#include <QStringList>

// Checks a record line of a project text against the layout the writer gives it, so that a
// damaged file is noticed instead of loading changed values without a word.
namespace ProjectRecordCheck {

// `layout` has one letter per field the writer makes: 'n' a number, 'i' an integer, 'f' a flag
// ("0" or "1"), 't' a text. At least `minFields` fields must be there and at most the layout's
// length. Empty when the line fits, else why it does not ("6 fields where 7 are written").
QString damage(const QStringList& fields, const char* layout, int minFields);

} // namespace ProjectRecordCheck
