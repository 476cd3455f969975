#include "board/fiducialedit.h"

#include "model/document.h"
#include "model/numbertext.h"

#include <cmath>

namespace FiducialEdit {

namespace {

using Setter = void (Fiducials::*)(double);

Setter setterOf(Field field)
{
    static const Setter setters[] = { &Fiducials::setBoard1X, &Fiducials::setBoard1Y, &Fiducials::setBoard2X,
        &Fiducials::setBoard2Y, &Fiducials::setBlock1X, &Fiducials::setBlock1Y, &Fiducials::setBlock2X,
        &Fiducials::setBlock2Y, &Fiducials::setGeometryX, &Fiducials::setGeometryY };
    return setters[int(field)];
}

// One fiducial edit of the working side.
void editFiducials(Document& doc, const std::function<void(Fiducials&)>& change)
{
    doc.edit(QStringLiteral("fiducials"), Change::Fiducials, [&](BoardSide& s) { change(s.fiducials); });
}

} // namespace

bool setValue(Document& doc, Field field, double value)
{
    if (!std::isfinite(value))
        return false;
    editFiducials(doc, [&](Fiducials& f) { (f.*setterOf(field))(value); });
    doc.setModified(true);
    return true;
}

void setBoardExec(Document& doc, bool on)
{
    editFiducials(doc, [&](Fiducials& f) { f.setBoardExec(on); });
    doc.setModified(true);
}

void setBlockExec(Document& doc, bool on)
{
    editFiducials(doc, [&](Fiducials& f) { f.setBlockExec(on); });
    doc.setModified(true);
}

bool setGeometryIndex(Document& doc, int index)
{
    if (index != Fiducials::Circle && index != Fiducials::Square)
        return false;
    editFiducials(doc, [&](Fiducials& f) { f.setGeometryIndex(index); });
    doc.setModified(true);
    return true;
}

bool setReflectIndex(Document& doc, int index)
{
    if (index != Fiducials::ReflectOn && index != Fiducials::NReflect)
        return false;
    editFiducials(doc, [&](Fiducials& f) { f.setReflectIndex(index); });
    doc.setModified(true);
    return true;
}

bool isBoardKind(Kind kind)
{
    return kind == Kind::Board1 || kind == Kind::Board2;
}

QStringList originChoices(const Origins& origins)
{
    QStringList choices;
    for (int i = 0; i < origins.size(); ++i)
        choices << QStringLiteral("Origin %1 X: %2mm Y: %3mm")
                       .arg(i + 1)
                       .arg(NumberText::format(origins.at(i).x), NumberText::format(origins.at(i).y));
    choices << QStringLiteral("none");
    return choices;
}

QPointF offsetOfChoice(const Origins& origins, int choice)
{
    if (choice < 0 || choice >= origins.size())
        return QPointF();
    return QPointF(origins.at(choice).x, origins.at(choice).y);
}

bool convertSelected(Document& doc, Kind kind, QPointF offset)
{
    const QList<PnPEntry*> selected = doc.selectedEntries();
    if (selected.isEmpty())
        return false;
    PnPEntry* entry = selected.first();
    if (!isBoardKind(kind) || !std::isfinite(offset.x()) || !std::isfinite(offset.y()))
        offset = QPointF();
    const double x = entry->x() + offset.x();
    const double y = entry->y() + offset.y();
    editFiducials(doc, [&](Fiducials& f) {
        switch (kind) {
        case Kind::Board1:
            f.setBoard1X(x);
            f.setBoard1Y(y);
            break;
        case Kind::Board2:
            f.setBoard2X(x);
            f.setBoard2Y(y);
            break;
        case Kind::Block1:
            f.setBlock1X(x);
            f.setBlock1Y(y);
            break;
        case Kind::Block2:
            f.setBlock2X(x);
            f.setBlock2Y(y);
            break;
        }
        if (isBoardKind(kind))
            f.setBoardExec(true);
        else
            f.setBlockExec(true);
    });
    doc.removeEntries({ entry });
    doc.setModified(true);
    return true;
}

} // namespace FiducialEdit
