#pragma once

#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

// Prints a part label on the printer the user picks in the print dialog; a PDF file chosen
// there gets the same page. Nothing is printed when the dialog is cancelled.
namespace LabelPrint {
enum class Outcome
{
    Printed,
    Cancelled,
    Failed // the printer or file could not be opened; the user has been told
};
// printer: the printer to offer (tests pass one that writes a PDF); null for the default one.
Outcome print(QWidget* parent, const QString& groupKey, const QString& titleName, const QStringList& refDes,
    QPrinter* printer = nullptr);
QString failedTitle();
QString failedText();
} // namespace LabelPrint
