#pragma once

#include "model/document.h"

// Test set-up through the document's edit seam.
inline void setSidePlacements(Document& doc, bool top, const QList<PnPEntry*>& list)
{
    doc.editSide(
        top, QStringLiteral("set up"), Change::Placements, [&](BoardSide& s) { s.placements = list; });
}

inline void editBoard(Document& doc, const std::function<void(BoardInfo&)>& change)
{
    doc.edit(QStringLiteral("set up"), Change::Board, [&](BoardSide& s) { change(s.board); });
}

inline void editFiducials(Document& doc, const std::function<void(Fiducials&)>& change)
{
    doc.edit(QStringLiteral("set up"), Change::Fiducials, [&](BoardSide& s) { change(s.fiducials); });
}
