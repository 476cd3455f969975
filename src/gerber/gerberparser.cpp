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

void GerberParser::refuse(const QString& reason, QStringView block)
{
    m_rejectReason = reason;
    m_rejectBlock = block.left(200).toString();
    m_rejectLine = m_reader ? m_reader->lineNumber() : 0;
    m_rejected = true;
}

bool GerberParser::defineMacro(const QString& text, QStringView block)
{
    if (m_layer.macros().size() >= ApertureMacroReader::maxMacros) {
        refuse(QStringLiteral("the file defines more than %1 aperture macros; at most %1 are read")
                   .arg(ApertureMacroReader::maxMacros),
            block);
        return false;
    }
    if (!ApertureMacroReader::define(m_layer, text)) {
        refuse(QStringLiteral("the macro holds more than %1 primitives; at most %1 are read")
                   .arg(ApertureMacroReader::maxPrimitives),
            block);
        return false;
    }
    return true;
}

QString GerberParser::errorText() const
{
    if (m_stopped && !m_rejectReason.isEmpty())
        return FileIo::errorText(m_layer.fileName, m_rejectLine, m_rejectReason, m_rejectBlock);
    return FileIo::errorText(m_layer.fileName, 0, QStringLiteral("the file ends without \"M02*\""));
}

GerberParser::~GerberParser() = default;

bool GerberParser::run()
{
    // Nearly every line of a large layer is one coordinate block: room for that many objects
    // spares the lists their growing copies. Region points are no objects, so what is left over
    // is given back at the end.
    m_layer.reserveObjects(m_layer.rawLines.size());
    GerberBlockReader reader(m_layer.rawLines);
    return close(readBlocks(reader) == Outcome::Ended);
}

void GerberParser::feed(const LineList& lines)
{
    if (m_stopped || m_ended)
        return;
    if (m_pieceReader)
        m_pieceReader->continueWith(lines);
    else
        m_pieceReader = std::make_unique<GerberBlockReader>(lines);
    m_ended = readBlocks(*m_pieceReader) == Outcome::Ended;
}

bool GerberParser::finish()
{
    m_pieceReader.reset();
    return close(m_ended);
}

bool GerberParser::close(bool ended)
{
    // An image ends its last step-and-repeat block; what was read is placed as the image says.
    if (!m_stepRepeat.close(m_layer)) {
        reject("SR zu groß - Fehlerauslösender Zeileninhalt:", m_stepRepeatBlock);
        m_rejectReason = m_stepRepeat.refusal();
        m_stopped = true;
        ended = false;
    }
    m_transform.apply(m_layer);
    m_layer.fitObjectLists();
    return ended;
}

GerberParser::Outcome GerberParser::readBlocks(GerberBlockReader& reader)
{
    m_reader = &reader;
    QStringView block;
    for (;;) {
        std::string_view line;
        while (reader.peekIdleLine(line) && plainCoordinateLine(line))
            reader.skipLine();
        if (!reader.next(block))
            break;
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
            return Outcome::Stopped;
        case Step::End:
            m_reader = nullptr;
            return Outcome::Ended;
        }
    }
    m_reader = nullptr;
    return Outcome::Exhausted;
}

GerberParser::Step GerberParser::handleBlock(QStringView block)
{
    if (m_collectingMacro) {
        m_macroText += block;
        if (block.endsWith(QLatin1Char('%'))) {
            m_collectingMacro = false;
            const bool defined = defineMacro(m_macroText, block);
            m_macroText.clear();
            if (!defined)
                return Step::Stop;
        }
        return Step::Continue;
    }
    if (block.isEmpty())
        return Step::Continue;

    const QChar first = block.front();
    if (first == QLatin1Char('%'))
        return handleParameterBlock(block);
    if (first == QLatin1Char('D')) {
        // P-CAD ends its files with "D02M02*": the move command, then the end.
        if (block.endsWith(QLatin1String("M02*")) && block.size() > 4) {
            const QString command = block.chopped(4).toString() + QLatin1Char('*');
            if (!handleDBlock(command))
                return Step::Stop;
            m_layer.currentAperture = nullptr;
            return Step::End;
        }
        return handleDBlock(block) ? Step::Continue : Step::Stop;
    }
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

GerberParser::Step GerberParser::handleParameterBlock(QStringView block)
{
    // Several parameters in one statement ("%IR0*IPPOS*OFA0B0*%"): each is read on its own.
    // Aperture and macro definitions keep their own "*".
    if (!block.startsWith(QLatin1String("%AD")) && !block.startsWith(QLatin1String("%AM"))) {
        const qsizetype star = block.indexOf(QLatin1Char('*'));
        if (star >= 0 && star + 2 < block.size()) {
            const QStringView inner
                = block.mid(1, block.size() - (block.endsWith(QLatin1String("*%")) ? 3 : 2));
            for (const QStringView part : inner.split(QLatin1Char('*'), Qt::SkipEmptyParts)) {
                const QString single = QLatin1Char('%') + part.toString() + QLatin1String("*%");
                const Step step = handleParameterBlock(single);
                if (step != Step::Continue)
                    return step;
            }
            return Step::Continue;
        }
    }
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
            if (!defineMacro(block.toString(), block))
                return Step::Stop;
        } else {
            m_collectingMacro = true;
            m_macroText = block.toString();
        }
    }
    return handleImageParameter(block);
}

GerberParser::Step GerberParser::handleImageParameter(QStringView block)
{
    if (block.startsWith(QLatin1String("%SR"))) {
        if (!m_stepRepeat.close(m_layer)) {
            reject("SR zu groß - Fehlerauslösender Zeileninhalt:", m_stepRepeatBlock);
            m_rejectReason = m_stepRepeat.refusal();
            return Step::Stop;
        }
        if (!m_stepRepeat.start(block, m_layer)) {
            reject("SR ungültig - Fehlerauslösender Zeileninhalt:", block);
            if (!m_stepRepeat.refusal().isEmpty())
                m_rejectReason = m_stepRepeat.refusal();
            return Step::Stop;
        }
        m_stepRepeatBlock = block.toString();
        return Step::Continue;
    }
    static const QLatin1String transforms[]
        = { QLatin1String("%MI"), QLatin1String("%SF"), QLatin1String("%OF"), QLatin1String("%IR") };
    for (const QLatin1String& t : transforms) {
        if (block.startsWith(t) && !m_transform.read(block)) {
            reject("Bildparameter ungültig - Fehlerauslösender Zeileninhalt:", block);
            return Step::Stop;
        }
    }
    return Step::Continue;
}
