#include "tables/ui/labelprint.h"

#include "tables/labellayout.h"
#include "uikit/prompt.h"

#include <QPainter>
#include <QPrinter>
#include <memory>

namespace LabelPrint {

QString failedTitle()
{
    return QStringLiteral("Error");
}

QString failedText()
{
    return QStringLiteral("The label could not be printed");
}

Outcome print(QWidget* parent, const QString& groupKey, const QString& titleName, const QStringList& refDes,
    QPrinter* printer)
{
    std::unique_ptr<QPrinter> own;
    if (!printer) {
        own = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer = own.get();
    }
    if (!prompt().printDialog(parent, printer))
        return Outcome::Cancelled;
    QPainter painter;
    if (!painter.begin(printer)) {
        prompt().warning(parent, failedTitle(), failedText(), printer->outputFileName());
        return Outcome::Failed;
    }
    // The painter's origin is the top left of the printable area; the layout fills its width.
    const QRectF page(QPointF(0, 0), printer->pageRect(QPrinter::DevicePixel).size());
    LabelLayout::paint(painter, page, LabelContent::of(groupKey, titleName, refDes));
    painter.end();
    return Outcome::Printed;
}

} // namespace LabelPrint
