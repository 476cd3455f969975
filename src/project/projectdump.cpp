#include "project/projectdump.h"

#include "gerber/gerberlayer.h"
#include "gerber/layerset.h"
#include "model/document.h"
#include "project/projectfile.h"
#include "project/projecttext.h"

using ProjectText::number;

namespace {

QString join(const QStringList& fields)
{
    return fields.join(QLatin1Char(';'));
}

QString layerLine(int slot, const GerberLayer& l)
{
    return join({ QStringLiteral("layer %1").arg(slot), l.fileName, l.unit, l.polarity, l.zeroOmission,
               l.coordinateMode, number(l.unitFactor), l.color.name(), number(int(l.quarterTurns)),
               ProjectText::flag(l.quarterTurnParity), ProjectText::flag(l.mirror1),
               ProjectText::flag(l.mirror2), number(l.offsetX), number(l.offsetY),
               QStringLiteral("lines %1").arg(l.rawLines.size() + l.excellonLines.size()),
               QStringLiteral("objects %1").arg(l.objects().size() + l.regionPolygons().size()),
               QStringLiteral("apertures %1").arg(l.apertures().size()) })
        + QLatin1Char('\n');
}

void dumpLayers(QString& out, const QList<GerberLayer*>& list)
{
    for (int i = 0; i < list.size(); ++i) {
        const GerberLayer* l = list.at(i);
        if (l && (!l->fileName.isEmpty() || !l->objects().isEmpty()))
            out += QStringLiteral("  ") + layerLine(i + 1, *l);
    }
}

void dumpFeeders(QString& out, const QString& title, const QList<FeederRecord>& rows)
{
    if (rows.isEmpty())
        return;
    out += title + QLatin1Char('\n');
    for (const FeederRecord& r : rows)
        out += QString(QStringLiteral("    feeder ") + join(r.fields) + QLatin1Char('\n'));
}

void dumpSide(QString& out, const Document& doc, const LayerSet& layers, bool top)
{
    out += top ? QStringLiteral("side top\n") : QStringLiteral("side bottom\n");
    const BoardInfo& b = doc.side(top).board;
    out += QStringLiteral("  board ")
        + join({ b.name(), number(b.width()), number(b.height()), number(b.depth()), number(b.originX()),
            number(b.originY()), b.comment() })
        + QLatin1Char('\n');
    const OriginGen g = doc.side(top).originGen;
    out += QStringLiteral("  origin-generator ")
        + join({ number(g.columns), number(g.rows), number(g.sizeX), number(g.sizeY), number(g.borderBottom),
            number(g.borderLeft), number(g.borderTop), number(g.borderRight), number(g.spacingX),
            number(g.spacingY) })
        + QLatin1Char('\n');
    for (const Origin& o : doc.side(top).origins)
        out += QString(QStringLiteral("  origin ") + join({ number(o.x), number(o.y), number(o.exec) })
            + QLatin1Char('\n'));
    const Fiducials& f = doc.side(top).fiducials;
    out += QStringLiteral("  fiducials ")
        + join({ number(f.board1X()), number(f.board1Y()), number(f.board2X()), number(f.board2Y()),
            ProjectText::flag(f.boardExec()), number(f.block1X()), number(f.block1Y()), number(f.block2X()),
            number(f.block2Y()), ProjectText::flag(f.blockExec()), number(f.geometryX()),
            number(f.geometryY()), number(f.geometryIndex()), number(f.reflectIndex()) })
        + QLatin1Char('\n');
    for (const PnPEntry* e : doc.side(top).placements) {
        // Each record is made whole before it is appended: `out += a + b` through the string
        // builder reserves the exact new size, copying all of `out` per record.
        out += QString(QStringLiteral("  placement ")
            + join({ e->refDes(), e->name(), number(e->x()), number(e->y()), e->side(), number(e->rotation()),
                e->value(), e->exec(), e->comment(), number(e->head()), ProjectText::flag(e->placed()),
                number(e->machine()), number(e->line()), number(e->sizeX()), number(e->sizeY()) })
            + QLatin1Char('\n'));
    }
    for (const Drawing& d : doc.side(top).drawings) {
        out += QString(QStringLiteral("  drawing ")
            + join({ number(d.type), number(d.startX), number(d.startY), number(d.endX), number(d.endY),
                d.color.name(), d.text, number(d.textSize) })
            + QLatin1Char('\n'));
    }
    dumpLayers(out, layers.list(top ? LayerList::Top : LayerList::Bottom));
    dumpFeeders(out, QStringLiteral("  feeders of the side"),
        top ? doc.feederData().topSide : doc.feederData().bottomSide);
}

} // namespace

QString dumpProject(const Document& document, const LayerSet& layers, const ProjectColours& colours)
{
    QString out = QStringLiteral("version %1\n").arg(document.fileVersion());
    dumpSide(out, document, layers, true);
    dumpSide(out, document, layers, false);
    for (const MachineFeeders& m : document.feederData().machines)
        dumpFeeders(out, QStringLiteral("machine %1 line %2").arg(m.machine).arg(m.line), m.feeders);
    out += QStringLiteral("gerber-mode\n");
    dumpLayers(out, layers.list(LayerList::GerberMode));
    out += QStringLiteral("general %1;%2\n").arg(colours.boardColorIndex).arg(colours.silkColorIndex);
    return out;
}
