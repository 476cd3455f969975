#pragma once

#include "model/origin.h"
#include "model/origingen.h"

#include <QString>

class Document;
class LayerSet;

// Panels of several copies of one board: the origins of a grid (the origin generator) and the
// step-and-repeat of the layers (panelize).
namespace Panel {

// More boards than any real panel holds; beyond it a typo (1000 x 1000) would fill the origins
// table with a million rows.
constexpr int maxBoards = 1000;

// Which sides the generator writes, as the "Side:" selector offers them.
enum class GenerateSide
{
    Top = 0,
    Bottom = 1,
    Both = 2
};

// A refusal the caller shows as a warning; empty when the request was done.
struct Outcome
{
    bool ok = true;
    QString message;
};

// Why a grid cannot be made (empty when it can): rows and columns from 1 up to maxBoards boards
// in all, and finite sizes.
QString gridProblem(int columns, int rows, const OriginGen& gen);
QString tooManyBoardsText();
QString invalidSizeText();

// Rows outer, columns inner: (left + c (size X + spacing X), bottom + r (size Y + spacing Y)),
// all enabled. Empty when the grid has a problem.
Origins generateOrigins(const OriginGen& gen);

// "Width:" and "Height:" of the generator's panel information: six significant digits, a
// decimal comma and "mm".
QString panelInfoText(double mm);

// Accepts the generator: writes the origins of the sides `side` names, whichever side is shown
// (both get the same coordinates), stores the generator values of those sides,
// and with `generateBoardSize` and a non-zero panel makes the panel the board size of those
// sides. Refuses (nothing changes) a grid with a problem.
Outcome applyGenerator(Document& doc, const OriginGen& gen, GenerateSide side, bool generateBoardSize);
// What the origin generator is preset with: the side's generator; without a stored board size,
// the board as it is now is the one to repeat.
OriginGen generatorPreset(const Document& doc);

// What the panelize dialog is preset with: the single board size and grid of the side's
// generator when it has one (board data may already be the panel), else the board data.
struct PanelizeRequest
{
    double width = 0.0; // of one board, mm
    double height = 0.0;
    int rows = 1;
    int columns = 1;
};
PanelizeRequest panelizePreset(const Document& doc);

// Outside Gerber mode the shown side becomes the generator's grid of columns x rows single
// boards, with the border and spacing the side's generator holds, and its board size the panel
// (as the generator with "Generate PCB Size"). In Gerber mode every layer of the Gerber-mode
// list repeats columns x rows times at the single board size, the origins are cleared and the
// board becomes single size times the counts. Either way the generator remembers the single
// board. Logs "Panelize" and the new size.
Outcome panelize(Document& doc, LayerSet& layers, const PanelizeRequest& request);

} // namespace Panel
