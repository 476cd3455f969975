#include "gerber/gerberparser.h"

#include "gerber/aperturemacroreader.h"
#include "gerber/gerberblockreader.h"
#include "gerber/gerberlayer.h"

#include <QDebug>

GerberParser::GerberParser(GerberLayer& layer)
    : m_layer(layer)
{
    for (Aperture* a : layer.apertures()) {
        if (!m_apertureByName.contains(a->name))
            m_apertureByName.insert(a->name, a);
    }
}

void GerberParser::reject(const char* message, QStringView block)
{
    qDebug().noquote() << QString::fromUtf8(message) << block.toString();
}

bool GerberParser::run()
{
    // Nearly every line of a large layer is one coordinate block: room for that many objects
    // spares the lists their growing copies. Region points are no objects, so what is left over
    // is given back at the end.
    m_layer.reserveObjects(m_layer.rawLines.size());
    const bool ended = readBlocks();
    m_layer.fitObjectLists();
    return ended;
}

bool GerberParser::readBlocks()
{
    GerberBlockReader reader(m_layer.rawLines);
    QStringView block;
    while (reader.next(block)) {
        switch (handleBlock(block)) {
        case Step::Continue:
            break;
        case Step::Stop:
            return false;
        case Step::End:
            return true;
        }
    }
    return false;
}

GerberParser::Step GerberParser::handleBlock(QStringView block)
{
    if (m_collectingMacro) {
        m_macroText += block;
        if (block.endsWith(QLatin1Char('%'))) {
            m_collectingMacro = false;
            ApertureMacroReader::define(m_layer, m_macroText);
            m_macroText.clear();
        }
        return Step::Continue;
    }
    if (block.isEmpty())
        return Step::Continue;

    const QChar first = block.front();
    if (first == QLatin1Char('%')) {
        if (block.startsWith(QLatin1String("%FS")))
            return handleFormat(block) ? Step::Continue : Step::Stop;
        if (block.startsWith(QLatin1String("%MO")))
            return handleMode(block) ? Step::Continue : Step::Stop;
        if (block.startsWith(QLatin1String("%LP")))
            return handleLayerPolarity(block) ? Step::Continue : Step::Stop;
        if (block.startsWith(QLatin1String("%IP"))) {
            handleImagePolarity(block);
            return Step::Continue;
        }
        if (block.startsWith(QLatin1String("%AD")))
            return handleApertureDefinition(block) ? Step::Continue : Step::Stop;
        if (block.startsWith(QLatin1String("%AM"))) {
            if (block.endsWith(QLatin1Char('%'))) {
                ApertureMacroReader::define(m_layer, block.toString());
            } else {
                m_collectingMacro = true;
                m_macroText = block.toString();
            }
        }
        return Step::Continue;
    }
    if (first == QLatin1Char('D'))
        return handleDBlock(block) ? Step::Continue : Step::Stop;
    if (first == QLatin1Char('G'))
        return handleGBlock(block) ? Step::Continue : Step::Stop;
    if (first == QLatin1Char('X') || first == QLatin1Char('Y'))
        return handleCoordinates(block) ? Step::Continue : Step::Stop;
    if (block.startsWith(QLatin1String("M02*"))) {
        m_layer.currentAperture = nullptr;
        return Step::End;
    }
    return Step::Continue;
}
