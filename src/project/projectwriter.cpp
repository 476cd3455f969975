// Writing: the document as project text, compressed, committed atomically.
#include "gerber/gerberlayer.h"
#include "gerber/layerset.h"
#include "model/document.h"
#include "model/fileio.h"
#include "project/projectcontainer.h"
#include "project/projectfile.h"
#include "project/projectlayers.h"
#include "project/projectmarkers.h"
#include "project/projecttextout.h"

#include <QDebug>

using ProjectText::flag;
using ProjectText::number;

namespace {

// Progress of a save: the two sides, the Gerber-mode layers, compression, the file written.
constexpr int saveSteps = 5;

void writeFeeders(ProjectTextOut& out, int indent, const QList<FeederRecord>& feeders)
{
    for (const FeederRecord& f : feeders)
        out.fields(indent, f.fields);
}

void writeSide(ProjectTextOut& out, const Document& doc, const LayerSet& layers, bool top, int version,
    const QString& boardName)
{
    out.marker(0, top ? ProjectMarker::top : ProjectMarker::bottom);

    const BoardInfo& b = doc.side(top).board;
    out.marker(1, ProjectMarker::boardInfo);
    out.fields(2,
        { boardName.isEmpty() ? b.name() : boardName, number(b.width()), number(b.height()),
            number(b.depth()), number(b.originX()), number(b.originY()), b.comment() });

    const OriginGen g = doc.side(top).originGen;
    out.marker(1, ProjectMarker::originGen);
    out.fields(2,
        { number(g.columns), number(g.rows), number(g.sizeX), number(g.sizeY), number(g.borderBottom),
            number(g.borderLeft), number(g.borderTop), number(g.borderRight), number(g.spacingX),
            number(g.spacingY) });

    out.marker(1, ProjectMarker::origins);
    for (const Origin& o : doc.side(top).origins)
        out.fields(2, { number(o.x), number(o.y), number(o.exec) });

    const Fiducials& f = doc.side(top).fiducials;
    out.marker(1, ProjectMarker::fiducials);
    out.fields(2,
        { number(f.board1X()), number(f.board1Y()), number(f.board2X()), number(f.board2Y()),
            flag(f.boardExec()), number(f.block1X()), number(f.block1Y()), number(f.block2X()),
            number(f.block2Y()), flag(f.blockExec()), number(f.geometryX()), number(f.geometryY()),
            number(f.geometryIndex()), number(f.reflectIndex()) });

    const QList<GerberLayer*>& list = layers.list(top ? LayerList::Top : LayerList::Bottom);
    for (int i = 0; i < list.size(); ++i) {
        if (list.at(i) && ProjectLayers::isStored(*list.at(i), version))
            ProjectLayers::write(out, 1, i + 1, *list.at(i), version);
    }

    out.marker(1, ProjectMarker::pickAndPlace);
    for (const PnPEntry* e : doc.side(top).placements) {
        out.fields(2,
            { e->refDes(), e->name(), number(e->x()), number(e->y()), e->side(), number(e->rotation()),
                e->value(), e->exec(), e->comment(), number(e->head()), flag(e->placed()),
                number(e->machine()), number(e->line()), number(e->sizeX()), number(e->sizeY()) });
    }

    out.marker(1, ProjectMarker::drawings);
    for (const Drawing& d : doc.side(top).drawings) {
        out.fields(2,
            { number(d.type), number(d.startX), number(d.startY), number(d.endX), number(d.endY),
                number(d.color.red()), number(d.color.green()), number(d.color.blue()), d.text,
                number(d.textSize) });
    }

    // Rows of a side block (files before version 10) stay with their side in every version,
    // so that no machine's feeders are lost before the production line takes them over.
    const QList<FeederRecord>& sideFeeders = top ? doc.feederData().topSide : doc.feederData().bottomSide;
    if (version < 10 || !sideFeeders.isEmpty()) {
        out.marker(1, ProjectMarker::feederData);
        writeFeeders(out, 2, sideFeeders);
    }
}

QByteArray textFor(const Document& document, const LayerSet& layers, const ProjectColours& colours,
    const QString& boardName, const ProjectProgress& progress = {})
{
    const auto step = [&progress](int done) {
        if (progress)
            progress(done, saveSteps);
    };
    const int version = versionToWrite(document, layers);
    ProjectTextOut out;
    out.marker(0, ProjectMarker::fileVersion);
    out.fields(1, { number(version) });
    writeSide(out, document, layers, true, version, boardName);
    step(1);
    writeSide(out, document, layers, false, version, boardName);
    step(2);
    // Machine blocks are written in every version: a file kept at version 7 for its layer
    // images would otherwise lose the feeder lists of its machines.
    if (version >= 10 || !document.feederData().machines.isEmpty()) {
        out.marker(1, ProjectMarker::feederData);
        for (const MachineFeeders& m : document.feederData().machines) {
            if (m.feeders.isEmpty())
                continue;
            out.marker(2,
                ProjectMarker::machine + QString::number(m.machine) + ProjectMarker::machineLine
                    + QString::number(m.line));
            writeFeeders(out, 3, m.feeders);
        }
    }
    out.marker(0, ProjectMarker::gerber);
    const QList<GerberLayer*>& gerberList = layers.list(LayerList::GerberMode);
    for (int i = 0; i < gerberList.size(); ++i) {
        if (gerberList.at(i) && ProjectLayers::isStored(*gerberList.at(i), version))
            ProjectLayers::write(out, 1, i + 1, *gerberList.at(i), version);
    }
    step(3);
    out.marker(0, ProjectMarker::general);
    out.fields(1, { number(colours.boardColorIndex), number(colours.silkColorIndex) });
    out.marker(0, ProjectMarker::end);
    return out.take();
}

} // namespace

int versionToWrite(const Document& document, const LayerSet& layers)
{
    if (document.fileVersion() >= 8)
        return Document::currentFileVersion;
    for (const LayerList which : { LayerList::Top, LayerList::Bottom, LayerList::GerberMode }) {
        for (const GerberLayer* layer : layers.list(which)) {
            if (layer && !layer->fileName.isEmpty() && layer->rawLines.isEmpty()
                && layer->excellonLines.isEmpty() && ProjectLayers::isStored(*layer, 7))
                return 7;
        }
    }
    return Document::currentFileVersion;
}

QByteArray projectText(const Document& document, const LayerSet& layers, const ProjectColours& colours)
{
    return textFor(document, layers, colours, QString());
}

QByteArray projectBytes(const Document& document, const LayerSet& layers, const ProjectColours& colours)
{
    return ProjectContainer::pack(projectText(document, layers, colours));
}

QString boardNameForPath(const QString& path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    QString name = dot > slash ? path.mid(slash + 1, dot - slash - 1) : path.mid(slash + 1);
    name.replace(QLatin1Char('.'), QLatin1Char('_'));
    return name.isEmpty() ? BoardInfo::defaultName() : name;
}

bool writeProject(const QString& path, Document& document, const LayerSet& layers,
    const ProjectColours& colours, QString* error, const ProjectProgress& progress)
{
    // The file already carries the name the boards take, so that reopening it shows that name;
    // the document itself changes only once the file is safely written.
    const QString name = boardNameForPath(path);
    const QByteArray bytes = ProjectContainer::pack(textFor(document, layers, colours, name, progress));
    if (progress)
        progress(saveSteps - 1, saveSteps);
    if (!FileIo::writeAtomically(path, bytes, error))
        return false;
    if (progress)
        progress(saveSteps, saveSteps);
    document.editSides(QStringLiteral("name boards"), Change::Board, [&](BoardSide& top, BoardSide& bottom) {
        top.board.setName(name);
        bottom.board.setName(name);
    });
    document.setFileVersion(versionToWrite(document, layers));
    return true;
}
