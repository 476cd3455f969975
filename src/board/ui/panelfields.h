#pragma once

class QDoubleSpinBox;
class QSpinBox;
class QWidget;

// The number fields the panel dialogs share: board counts and lengths in mm.
namespace PanelFields {
// Rows or columns: 1 up to the most boards a panel may hold.
QSpinBox* countBox(QWidget* parent, const char* name, int value);
// A length of 0 to 100 m with three decimals; a value that is not finite shows 0.
QDoubleSpinBox* lengthBox(QWidget* parent, const char* name, double value);
} // namespace PanelFields
