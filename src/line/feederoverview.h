#pragma once

#include <QColor>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <optional>

class QPainter;
struct FeederEntry;

// Geometry and drawing of the feeder overview: the rear bench (slots 101..150) in the upper
// half, the front bench (slots 1..50) in the lower half, each feeder drawn over its slot. All
// in widget pixels; the widget and tests share it.
namespace FeederOverview {

inline const QString title = QStringLiteral("Feeder Overview");
constexpr int slotsPerBench = 50;
constexpr double slotPitch = 18.0;
constexpr double benchWidth = 900.0; // slotsPerBench * slotPitch
constexpr double slotRadius = 5.0;
constexpr double numberDistance = 20.0; // slot number below the front, above the rear circle
constexpr double pickDistance = 30.0; // pick point above the slot
constexpr double bodyHeight = 90.0;
constexpr double bodyAbove = 45.0; // the body starts this far above the slot

// Centre of slot `index` (0..49) of a bench in a widget of `size`.
QPointF slotCentre(QSize size, bool rear, int index);
// Centre of the slot a set number names; nothing for 0 and numbers outside 1..50, 101..150.
std::optional<QPointF> setCentre(QSize size, int setNo);
// Body width of a feeder: three pixels per unit of its tape class ("12mm" 8 ... "44mm" 18),
// 18 pixels for 8 mm, stick and unknown types.
double bodyWidth(const QString& feederType);
// The feeder body over the slot at `slot`.
QRectF bodyRect(QPointF slot, const QString& feederType);
// Where the part is picked: above the slot.
QPointF pickPoint(QPointF slot);

struct Colours
{
    QColor background { 20, 20, 20 };
    QColor detail { 180, 180, 180 };
    QColor outline { 0, 255, 0 };
};

// Paints the whole overview; a folded panel shows its title only.
void paint(QPainter& p, QSize size, const QList<FeederEntry*>& entries, const Colours& colours, bool folded);

} // namespace FeederOverview
