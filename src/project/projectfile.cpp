// Reading a project: container, text, records, and the hand-over to the document.
#include "project/projectfile.h"

#include "model/document.h"
#include "model/fileio.h"
#include "project/projectcontainer.h"
#include "project/projectreader.h"

#include <QDebug>
#include <QFileInfo>

namespace {

void applyLayers(LayerSet& layers, ProjectContent::Side& side, bool top)
{
    for (size_t i = 0; i < side.layers.size(); ++i) {
        if (side.layers[i])
            layers.replace(top ? LayerList::Top : LayerList::Bottom, int(i), std::move(side.layers[i]));
    }
}

void apply(ProjectContent& content, Document& document, LayerSet& layers)
{
    document.clear();
    // The document takes the placements: the content lets go of them.
    document.replaceSides(content.top, content.bottom);
    content.top.placements.clear();
    content.bottom.placements.clear();
    applyLayers(layers, content.top, true);
    applyLayers(layers, content.bottom, false);
    for (auto& entry : content.gerberMode)
        layers.replace(LayerList::GerberMode, entry.first, std::move(entry.second));
    document.setFeederData(content.feeders);
    document.setFileVersion(content.version);
    document.setModified(false);
}

} // namespace

bool readProjectBytes(const QByteArray& bytes, const QString& fileLabel, Document& document, LayerSet& layers,
    ProjectLoad* load, QString* error, const ProjectProgress& progress)
{
    QByteArray text;
    bool compressed = false;
    QString reason;
    if (!ProjectContainer::unpack(bytes, &text, &compressed, &reason)) {
        qDebug() << "Huffman error";
        *error = FileIo::errorText(fileLabel, 0, QStringLiteral("Huffman error: %1").arg(reason));
        return false;
    }
    ProjectContent content;
    ProjectReader reader(fileLabel, compressed, bytes.size(), progress);
    if (!reader.read(text, content, error))
        return false;
    if (load)
        *load = content.load;
    apply(content, document, layers);
    return true;
}

bool readProject(const QString& path, Document& document, LayerSet& layers, ProjectLoad* load, QString* error,
    const ProjectProgress& progress)
{
    QByteArray bytes;
    // A path without a folder is taken relative to the working folder.
    if (!FileIo::readAll(QFileInfo(path).absoluteFilePath(), &bytes, error)) {
        qDebug() << "cannot read file";
        return false;
    }
    return readProjectBytes(bytes, FileIo::fileName(path), document, layers, load, error, progress);
}
