#pragma once

#include "model/document.h"

// The designators of the placements, in order.
inline QStringList refs(const QList<PnPEntry*>& list)
{
    QStringList out;
    for (const PnPEntry* e : list)
        out << e->refDes();
    return out;
}

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
