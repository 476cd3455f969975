#pragma once

class QDialog;

// Keys of the forms that are filled in field by field: Enter in a field finishes that field and
// never closes the form, so a half-entered record is not accepted or dropped by a slip. No push
// button of the form is a default button; OK and Cancel are clicked.
namespace FormKeys {

void keepOpenOnEnter(QDialog* dialog);

} // namespace FormKeys
