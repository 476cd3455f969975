#pragma once

#include <QString>

// Numbers as users type and read them: either decimal separator is accepted, and shown values
// keep six significant digits.
namespace NumberText {

// `text` as a number, with a decimal comma or point ("1,5" and "1.5" alike). Spaces around it
// are allowed; 0 with `*ok` false when it is no number.
double parse(const QString& text, bool* ok = nullptr);

// Six significant digits with a decimal point, exponent form for very large or tiny values.
QString format(double value);

// As format(), with a decimal comma (the lists and the panel figures).
QString formatComma(double value);

} // namespace NumberText
