#include "board/transformstep.h"

#include "board/boardtransform.h"
#include "gerber/layerset.h"
#include "model/document.h"
#include "model/numbertext.h"

#include <cmath>

namespace {

std::optional<double> number(const QString& text)
{
    bool ok = false;
    const double v = NumberText::parse(text, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

void applyToSide(Document& doc, LayerSet& layers, const TransformStep& step)
{
    using namespace BoardTransform;
    switch (step.kind) {
    case TransformStep::Kind::Rotate:
        rotateBoard(doc, layers, RotateOptions {});
        break;
    case TransformStep::Kind::Mirror:
        mirrorBoard(doc, layers);
        break;
    case TransformStep::Kind::ShiftX:
        shiftPlacements(doc, Axis::X, step.a);
        break;
    case TransformStep::Kind::ShiftY:
        shiftPlacements(doc, Axis::Y, step.a);
        break;
    case TransformStep::Kind::Origin:
        setNewOrigin(doc, layers, step.a, step.b);
        break;
    case TransformStep::Kind::Rotation:
        rotatePlacements(doc, step.a);
        break;
    case TransformStep::Kind::SwitchSide:
        break;
    }
}

void switchAllSides(Document& doc)
{
    const QList<PnPEntry*> bottom = doc.side(false).placements;
    for (const bool top : { true, false }) {
        doc.setSide(top);
        doc.clearSelection();
        for (PnPEntry* e : top ? doc.currentList() : bottom)
            e->setSelected(true);
        BoardTransform::switchSide(doc);
    }
}

} // namespace

std::optional<TransformStep> TransformStep::parse(const QString& text)
{
    const int colon = text.indexOf(QLatin1Char(':'));
    const QString name = colon < 0 ? text : text.left(colon);
    const QString value = colon < 0 ? QString() : text.mid(colon + 1);
    TransformStep step;
    if (colon < 0) {
        if (name == QLatin1String("rotate"))
            step.kind = Kind::Rotate;
        else if (name == QLatin1String("mirror"))
            step.kind = Kind::Mirror;
        else if (name == QLatin1String("switch-side"))
            step.kind = Kind::SwitchSide;
        else
            return std::nullopt;
        return step;
    }
    if (name == QLatin1String("origin")) {
        const QStringList xy = value.split(QLatin1Char(','));
        const std::optional<double> x = xy.size() == 2 ? number(xy.at(0)) : std::nullopt;
        const std::optional<double> y = xy.size() == 2 ? number(xy.at(1)) : std::nullopt;
        if (!x || !y)
            return std::nullopt;
        return TransformStep { Kind::Origin, *x, *y };
    }
    // A single number may use a decimal comma, as every number field does.
    const std::optional<double> v = number(value);
    if (!v)
        return std::nullopt;
    if (name == QLatin1String("shift-x"))
        return TransformStep { Kind::ShiftX, *v, 0.0 };
    if (name == QLatin1String("shift-y"))
        return TransformStep { Kind::ShiftY, *v, 0.0 };
    if (name == QLatin1String("rotation"))
        return TransformStep { Kind::Rotation, *v, 0.0 };
    return std::nullopt;
}

QString TransformStep::syntax()
{
    return QStringLiteral("rotate|mirror|shift-x:V|shift-y:V|origin:X,Y|rotation:A|switch-side");
}

void setBoardSize(Document& doc, double width, double height)
{
    doc.editSides(QStringLiteral("board size"), Change::Board, [&](BoardSide& top, BoardSide& bottom) {
        for (BoardSide* s : { &top, &bottom }) {
            s->board.setWidth(width);
            s->board.setHeight(height);
        }
    });
}

void applyTransformSteps(Document& doc, LayerSet& layers, const QList<TransformStep>& steps)
{
    for (const TransformStep& step : steps) {
        if (step.kind == TransformStep::Kind::SwitchSide) {
            switchAllSides(doc);
            continue;
        }
        const bool topHolds = !doc.side(true).placements.isEmpty();
        const bool bottomHolds = !doc.side(false).placements.isEmpty();
        for (const bool top : { true, false }) {
            if (top ? (topHolds || !bottomHolds) : bottomHolds) {
                doc.setSide(top);
                applyToSide(doc, layers, step);
            }
        }
    }
    doc.setSide(true);
}
