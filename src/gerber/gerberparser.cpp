#include "gerber/gerberparser.h"

#include "gerber/aperturemacroreader.h"
#include "gerber/gerberblockreader.h"
#include "gerber/gerberlayer.h"
#include "model/fileio.h"

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
    const QString text = QString::fromUtf8(message);
    qDebug().noquote() << text << block.toString();
    // The log line ends in a colon for the block that follows; the reason is what comes before.
    const int cut = text.indexOf(QLatin1String(" - "));
    m_rejectReason = cut > 0 ? text.left(cut) : text;
    m_rejectBlock = block.toString();
    m_rejectLine = m_reader ? m_reader->lineNumber() : 0;
    m_rejected = true;
}

QString GerberParser::errorText() const
{
    if (m_stopped && !m_rejectReason.isEmpty())
        return FileIo::errorText(m_layer.fileName, m_rejectLine, m_rejectReason, m_rejectBlock);
    return FileIo::errorText(m_layer.fileName, 0, QStringLiteral("the file ends without \"M02*\""));
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
    m_reader = &reader;
    QStringView block;
    while (reader.next(block)) {
        m_rejected = false;
        switch (handleBlock(block)) {
        case Step::Continue:
            break;
        case Step::Stop:
            m_stopped = true;
            if (!m_rejected) {
                m_rejectReason = QStringLiteral("block not readable");
                m_rejectBlock = block.toString();
                m_rejectLine = reader.lineNumber();
            }
            m_reader = nullptr;
            return false;
        case Step::End:
            m_reader = nullptr;
            return true;
        }
    }
    m_reader = nullptr;
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
