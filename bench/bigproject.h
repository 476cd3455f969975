#pragma once

// A large project for the benchmarks: seven real layers of the corpus, each with its body
// repeated to about 7 MB (about 54 MB of Gerber text in all), and 20 000 top-side placements.
#include "benchcorpus.h"
#include "benchscale.h"
#include "gerber/gerberlayer.h"
#include "gerber/gerberreader.h"
#include "gerber/layerset.h"
#include "model/document.h"
#include "project/projectfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace BigProjectData {

inline QString corpusDir()
{
    return benchCorpusGerberDir();
}

inline int layerBytes()
{
    return BenchScale::size(50 * 1000 * 1000 / 7);
}

inline int placementCount()
{
    return BenchScale::size(20000);
}

// The file's lines with its body (after the last aperture definition, before M02) repeated
// until the layer holds about layerBytes().
inline LineList scaled(const QByteArray& bytes)
{
    const QStringList lines = gerberLinesFromBytes(bytes).toStringList();
    int bodyStart = 0;
    int end = lines.size();
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].startsWith(QLatin1String("%AD")) || lines[i].startsWith(QLatin1String("%AM")))
            bodyStart = i + 1;
        if (lines[i].startsWith(QLatin1String("M02")))
            end = i;
    }
    LineList out;
    for (int i = 0; i < bodyStart; ++i)
        out.append(lines[i]);
    int size = bytes.size();
    do {
        for (int i = bodyStart; i < end; ++i)
            out.append(lines[i]);
        size += bytes.size();
    } while (size < layerBytes());
    out.append(QStringLiteral("M02*"));
    return out;
}

} // namespace BigProjectData

struct BigProject
{
    Document document;
    LayerSet layers;
    bool ok = true;

    BigProject()
    {
        static const char* const layerFiles[] = {
            "gerbv/example/hellboard/hellboard.front.gbr",
            "gerbonara/resources/kicad-older/chibi_2024-B.Mask.gbr",
            "gerbv/example/hellboard/hellboard.group1.gbr",
            "gerbonara/resources/allegro-2/MinnowMax_RevA1_GAF_Gerber/MinnowMax_assy.art",
            "gerbonara/resources/kicad-older/chibi_2024-B.SilkS.gbr",
            "gerbonara/resources/allegro-2/MinnowMax_RevA1_GAF_Gerber/MinnowMax_lyr1_GAF.art",
            "gerbonara/resources/allegro-2/MinnowMax_RevA1_GAF_Gerber/MinnowMax_tslk_GAF.art",
        };
        for (int slot = 0; slot < layerSlotCount; ++slot) {
            QFile f(BigProjectData::corpusDir() + QLatin1Char('/') + QLatin1String(layerFiles[slot]));
            if (!f.open(QIODevice::ReadOnly)) {
                ok = false;
                return;
            }
            auto layer = std::make_unique<GerberLayer>(slot);
            layer->rawLines = BigProjectData::scaled(f.readAll());
            layer->fileName = QFileInfo(f.fileName()).fileName();
            layers.replace(LayerList::Top, slot, std::move(layer));
        }
        QList<PnPEntry*> top;
        for (int i = 0; i < BigProjectData::placementCount(); ++i)
            top << new PnPEntry(QStringLiteral("R%1").arg(i), QStringLiteral("0603"), (i % 200) * 1.27,
                (i / 200) * 1.905, QStringLiteral("top"), (i % 4) * 90.0, QStringLiteral("%1k").arg(i % 97),
                ExecKind::Machine, QString());
        document.editSide(true, QStringLiteral("placements"), Change::Placements,
            [&](BoardSide& s) { s.placements = top; });
    }
};
