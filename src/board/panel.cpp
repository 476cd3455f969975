#include "board/panel.h"

#include "gerber/gerberlayer.h"
#include "gerber/layerset.h"
#include "model/document.h"
#include "model/numbertext.h"

#include <QDebug>
#include <cmath>

namespace Panel {

namespace {

bool finite(const OriginGen& g)
{
    for (double v : { g.sizeX, g.sizeY, g.spacingX, g.spacingY, g.borderBottom, g.borderTop, g.borderRight,
             g.borderLeft })
        if (!std::isfinite(v))
            return false;
    return true;
}

bool sideCovered(GenerateSide side, bool top)
{
    return side == GenerateSide::Both || (side == GenerateSide::Top) == top;
}

} // namespace

QString tooManyBoardsText()
{
    return QStringLiteral("A panel can hold at most %1 boards").arg(maxBoards);
}

QString invalidSizeText()
{
    return QStringLiteral("The panel sizes must be numbers");
}

QString gridProblem(int columns, int rows, const OriginGen& gen)
{
    if (columns < 1 || rows < 1 || qint64(columns) * rows > maxBoards)
        return tooManyBoardsText();
    return finite(gen) ? QString() : invalidSizeText();
}

Origins generateOrigins(const OriginGen& gen)
{
    Origins origins;
    if (!gridProblem(gen.columns, gen.rows, gen).isEmpty())
        return origins;
    origins.reserve(gen.columns * gen.rows);
    for (int r = 0; r < gen.rows; ++r)
        for (int c = 0; c < gen.columns; ++c)
            origins.append(Origin { gen.borderLeft + c * (gen.sizeX + gen.spacingX),
                gen.borderBottom + r * (gen.sizeY + gen.spacingY), 1 });
    return origins;
}

QString panelInfoText(double mm)
{
    return NumberText::formatComma(mm) + QStringLiteral("mm");
}

Outcome applyGenerator(Document& doc, const OriginGen& gen, GenerateSide side, bool generateBoardSize)
{
    const QString problem = gridProblem(gen.columns, gen.rows, gen);
    if (!problem.isEmpty())
        return Outcome { false, problem };
    const Origins origins = generateOrigins(gen);
    const double width = gen.panelWidth();
    const double height = gen.panelHeight();
    for (const bool top : { true, false }) {
        if (!sideCovered(side, top))
            continue;
        const bool sized = generateBoardSize && width != 0.0 && height != 0.0;
        doc.editSide(top, QStringLiteral("generate origins"),
            Change::Origins | Change::OriginGen | (sized ? Changes(Change::Board) : Changes()),
            [&](BoardSide& s) {
                s.origins = origins;
                s.originGen = gen;
                if (sized) {
                    s.board.setWidth(width);
                    s.board.setHeight(height);
                }
            });
    }
    doc.setModified(true);
    return {};
}

OriginGen generatorPreset(const Document& doc)
{
    OriginGen preset = doc.originGen();
    if (preset.sizeX <= 0.0 && preset.sizeY <= 0.0) {
        preset.sizeX = qMax(0.0, doc.boardInfo()->width());
        preset.sizeY = qMax(0.0, doc.boardInfo()->height());
    }
    return preset;
}

PanelizeRequest panelizePreset(const Document& doc)
{
    const OriginGen gen = doc.originGen();
    PanelizeRequest r;
    if (gen.sizeX > 0.0 && gen.sizeY > 0.0 && std::isfinite(gen.sizeX) && std::isfinite(gen.sizeY)) {
        r.width = gen.sizeX;
        r.height = gen.sizeY;
        r.rows = qMax(1, gen.rows);
        r.columns = qMax(1, gen.columns);
    } else {
        r.width = doc.boardInfo()->width();
        r.height = doc.boardInfo()->height();
    }
    return r;
}

Outcome panelize(Document& doc, LayerSet& layers, const PanelizeRequest& request)
{
    qDebug() << "Panelize";
    OriginGen gen = doc.originGen();
    gen.columns = request.columns;
    gen.rows = request.rows;
    gen.sizeX = request.width;
    gen.sizeY = request.height;
    const QString problem = gridProblem(request.columns, request.rows, gen);
    if (!problem.isEmpty())
        return Outcome { false, problem };
    if (!doc.gerberMode()) {
        // The placements repeat at origins and the view draws the layers at each of them: the
        // panel is the generator's grid (its border and spacing kept), so both actions, in
        // either order, leave one panel and one board size.
        const Outcome outcome = applyGenerator(
            doc, gen, doc.activeSideIsTop() ? GenerateSide::Top : GenerateSide::Bottom, true);
        if (!outcome.ok)
            return outcome;
    } else {
        for (GerberLayer* layer : layers.list(LayerList::GerberMode)) {
            if (!layer)
                continue;
            layer->repeatCountX = request.columns;
            layer->repeatCountY = request.rows;
            layer->repeatStepX = request.width;
            layer->repeatStepY = request.height;
        }
        doc.edit(QStringLiteral("panelize"), Change::Origins | Change::Board | Change::OriginGen,
            [&](BoardSide& s) {
                s.origins.clear();
                s.board.setWidth(request.width * request.columns);
                s.board.setHeight(request.height * request.rows);
                s.originGen = gen;
            });
    }
    const BoardInfo& board = *doc.boardInfo();
    qDebug().noquote() << "Rows:" << request.rows << "\tCols:" << request.columns
                       << "\tNew Width:" << board.width() << "mm\tNew Height:" << board.height() << "mm";
    return {};
}

} // namespace Panel
