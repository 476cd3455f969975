#include "project/projectreader.h"

#include "board/layertransform.h"
#include "gerber/excellonreader.h"
#include "gerber/gerberreader.h"
#include "gerber/layerrows.h"
#include "model/document.h"
#include "model/fileio.h"
#include "project/projectlayers.h"
#include "project/projectmarkers.h"
#include "project/projectrecordcheck.h"
#include "project/projecttext.h"

#include <QDebug>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <limits>
#include <thread>
#include <utility>

using namespace ProjectText;

namespace {

bool is(const QByteArray& line, QLatin1String marker)
{
    return line.size() == marker.size() && std::equal(line.begin(), line.end(), marker.data());
}

bool startsWith(const QByteArray& line, QLatin1String marker)
{
    return line.size() >= marker.size()
        && std::equal(marker.data(), marker.data() + marker.size(), line.begin());
}

// Where the n-th `c` (1-based) stands in `line`, or -1.
int nthIndexOf(const QByteArray& line, char c, int n)
{
    int at = -1;
    for (int i = 0; i < n; ++i) {
        at = line.indexOf(c, at + 1);
        if (at < 0)
            return -1;
    }
    return at;
}

QStringList splitFields(const QByteArray& line)
{
    return QString::fromLatin1(line).split(QLatin1Char(';'));
}

} // namespace

int ProjectReader::maxLayerLines(qint64 storedBytes)
{
    return int(std::min<qint64>(
        std::numeric_limits<int>::max(), baseLayerLines + std::max<qint64>(0, storedBytes) / 8));
}

ProjectReader::ProjectReader(
    const QString& fileLabel, bool compressed, qint64 storedBytes, const ProjectProgress& progress)
    : m_file(fileLabel)
    , m_compressed(compressed)
    , m_progress(progress)
    , m_maxLayerLines(maxLayerLines(storedBytes))
{ }

bool ProjectReader::read(const QByteArray& text, ProjectContent& content, QString* error)
{
    m_content = &content;
    int from = 0;
    while (from <= text.size() && !m_ended) {
        int end = text.indexOf('\n', from);
        // The compressed stream never delivers a last line without a line feed: what is left is
        // the start of the end mark, whose last bits were not written.
        if (end < 0 && m_compressed) {
            if (!QByteArray("+++END+++").startsWith(text.mid(from)))
                damaged(QStringLiteral("the text goes on after its last line"));
            break;
        }
        if (end < 0 && from == text.size())
            break; // a plain file's last line feed opens no further line
        if (end < 0)
            end = text.size();
        // Lines are indented with tabs, which are all dropped: leaving out the leading ones
        // spares moving the rest of the line.
        int start = from;
        while (start < end && text.at(start) == '\t')
            ++start;
        // A view of the text: only a line that must change is copied.
        QByteArray line = QByteArray::fromRawData(text.constData() + start, end - start);
        from = end + 1;
        ++m_lineNumber;
        if (line.contains('\t'))
            line.replace('\t', QByteArray());
        if (!m_compressed)
            line = line.trimmed();
        if (line.startsWith('+') && marker(line))
            continue;
        dataLine(line);
    }
    if (m_ended && !text.mid(from).trimmed().isEmpty())
        damaged(QStringLiteral("the text goes on after the end mark"));
    qDebug() << "finished reading lines";
    if (!m_sawMarker) {
        *error = FileIo::errorText(m_file, 0, QStringLiteral("this is not a Tessavrant project file"));
        return false;
    }
    if (!m_ended && !m_generalRead && content.load.warning.isEmpty()) {
        content.load.warning = FileIo::errorText(m_file, m_lineNumber,
            QStringLiteral("the file ends before its end mark; it was read up to the section %1")
                .arg(sectionName()));
    }
    if (content.version < 0) {
        // A file without its version line: one with stored images is from the old format.
        content.version = Document::currentFileVersion;
        for (const auto* s : { &content.top, &content.bottom })
            for (const auto& layer : s->layers)
                if (layer && layer->rawLines.isEmpty() && layer->excellonLines.isEmpty()
                    && !layer->apertures().isEmpty())
                    content.version = 7;
    } else if (content.version == 9) {
        content.version = 10;
    }
    rereadLayers();
    distribute();
    return true;
}

bool ProjectReader::marker(const QByteArray& line)
{
    static const std::pair<QLatin1String, State> records[] = {
        { ProjectMarker::pickAndPlace, State::PickAndPlace },
        { ProjectMarker::boardInfo, State::BoardInfo },
        { ProjectMarker::origins, State::Origins },
        { ProjectMarker::fiducials, State::Fiducials },
        { ProjectMarker::originGen, State::OriginGen },
        { ProjectMarker::drawings, State::Drawings },
        { ProjectMarker::fileVersion, State::Version },
        { ProjectMarker::general, State::General },
    };
    static const std::pair<QLatin1String, State> imageStates[] = {
        { ProjectMarker::shapes, State::Shapes },
        { ProjectMarker::polygons, State::Polygons },
        { ProjectMarker::imagesPaths, State::ImagesPaths },
        { ProjectMarker::arcs, State::Arcs },
        { ProjectMarker::macro, State::Macro },
        { ProjectMarker::macroIndexes, State::MacroIndexes },
        { ProjectMarker::macroExposures, State::MacroExposures },
        { ProjectMarker::macroPrimitives, State::MacroPrimitives },
        { ProjectMarker::macroPolygons, State::MacroPolygons },
    };
    if (m_generalRead && !is(line, ProjectMarker::end))
        damaged(QStringLiteral("a marker after the last section"));
    m_linesInSection = 0;
    if (startsWith(line, ProjectMarker::layer)) {
        startLayer(line);
        return true;
    }
    for (const auto& r : imageStates) {
        if (is(line, r.first)) {
            if (!m_layer)
                damaged(QStringLiteral("\"%1\" outside a layer block").arg(QString::fromLatin1(line)));
            m_state = m_layer ? r.second : State::SkippedLayer;
            if (r.second == State::Macro && m_lastAperture)
                m_lastAperture->macroImage = std::make_unique<MacroImage>();
            return true;
        }
    }
    QString section = QString::fromLatin1(line);
    bool known = true;
    if (is(line, ProjectMarker::top) || is(line, ProjectMarker::bottom)) {
        m_top = is(line, ProjectMarker::top);
        m_inGerberList = false;
        m_state = State::None;
        m_sideSection = section;
    } else if (is(line, ProjectMarker::gerber)) {
        m_inGerberList = true;
        m_state = State::None;
        m_sideSection = section;
    } else if (is(line, ProjectMarker::feederData)) {
        m_state = State::Feeders;
        m_feederTarget = m_top ? &m_content->feeders.topSide : &m_content->feeders.bottomSide;
    } else if (startsWith(line, ProjectMarker::machine)) {
        if (!admit(m_machines, maxMachines, "machine feeder lists")) {
            m_state = State::SkippedLayer;
            m_lastSection = section;
            return true;
        }
        const QString name = section.mid(ProjectMarker::machine.size());
        const int at = name.indexOf(ProjectMarker::machineLine);
        MachineFeeders machine;
        machine.machine = at < 0 ? 0 : name.left(at).toInt();
        machine.line = at < 0 ? 0 : name.mid(at + ProjectMarker::machineLine.size()).toInt();
        m_content->feeders.machines.append(machine);
        m_feederTarget = &m_content->feeders.machines.last().feeders;
        m_state = State::Feeders;
    } else if (is(line, ProjectMarker::gerberData) || is(line, ProjectMarker::excellonData)
        || is(line, ProjectMarker::excellonFormat)) {
        if (!m_layer)
            damaged(QStringLiteral("\"%1\" outside a layer block").arg(section));
        const State next = is(line, ProjectMarker::gerberData)
            ? State::GerberData
            : (is(line, ProjectMarker::excellonData) ? State::ExcellonData : State::ExcellonFormat);
        m_state = m_layer ? next : State::SkippedLayer;
        // A layer's Gerber text is kept packed, as a layer read from its file keeps it.
        if (m_state == State::GerberData)
            m_layer->rawLines.pack();
    } else if (is(line, ProjectMarker::end)) {
        m_ended = true;
    } else {
        known = false;
        for (const auto& r : records) {
            if (is(line, r.first)) {
                m_state = r.second;
                known = true;
                const bool sideRecord = r.second != State::Version && r.second != State::General;
                if (sideRecord && (m_sideSection.isEmpty() || m_inGerberList))
                    damaged(QStringLiteral("\"%1\" outside \"+Top\" and \"+Bottom\"").arg(section));
            }
        }
    }
    if (known) {
        m_sawMarker = true;
        m_lastSection = section;
    }
    return known;
}

QString ProjectReader::sectionName() const
{
    return m_sideSection.isEmpty() || m_sideSection == m_lastSection
        ? QStringLiteral("\"%1\"").arg(m_lastSection)
        : QStringLiteral("\"%1\" of \"%2\"").arg(m_lastSection, m_sideSection);
}

void ProjectReader::damaged(const QString& what)
{
    if (!m_content->load.warning.isEmpty())
        return;
    const QString where = m_lastSection.isEmpty() ? QStringLiteral("the start")
                                                  : QStringLiteral("the section ") + sectionName();
    m_content->load.warning = FileIo::errorText(
        m_file, m_lineNumber, QStringLiteral("the file is damaged in %1: %2").arg(where, what));
}

void ProjectReader::checkRecord(const QStringList& f)
{
    // Field layouts as the writer makes them; a section of one record has one line.
    struct Layout
    {
        State state;
        const char* fields;
        int minFields;
        bool oneLine;
    };
    static const Layout layouts[] = {
        { State::Version, "i", 1, true },
        { State::BoardInfo, "tnnnnnt", 7, true },
        { State::OriginGen, "iinnnnnnnn", 10, true },
        { State::Origins, "nni", 3, false },
        { State::Fiducials, "nnnnfnnnnfnnii", 14, true },
        // Short placement lines are skipped with their own log line; feeder rows are kept as they are.
        { State::PickAndPlace, "ttnntntttifiinn", 0, false },
        { State::Drawings, "innnniiiti", 10, false },
        { State::ExcellonFormat, "ii", 2, true },
        { State::General, "ii", 2, true },
    };
    for (const Layout& layout : layouts) {
        if (layout.state != m_state)
            continue;
        if (layout.oneLine && m_linesInSection > 1) {
            damaged(QStringLiteral("more lines than the section holds"));
            return;
        }
        const QString why = ProjectRecordCheck::damage(f, layout.fields, layout.minFields);
        if (!why.isEmpty())
            damaged(why);
        return;
    }
    if (m_state == State::LayerHeader) {
        const int fields = m_content->version >= 0 && m_content->version < 8 ? 10 : 15;
        const QString why
            = ProjectRecordCheck::damage(f, fields == 10 ? "tttttttttt" : "ttttttttttttttt", fields);
        if (!why.isEmpty())
            damaged(why);
    }
}

void ProjectReader::startLayer(const QByteArray& line)
{
    bool ok = false;
    const int index = QString::fromLatin1(line.mid(ProjectMarker::layer.size())).toInt(&ok) - 1;
    const int count = m_inGerberList ? gerberModeLayerCount : layerSlotCount;
    m_sawMarker = true;
    m_lastSection = QString::fromLatin1(line);
    m_layer = nullptr;
    m_lastAperture = nullptr;
    m_apertureByName.clear();
    if (!ok || index < 0 || index >= count) {
        qDebug() << "layer number out of range:" << line;
        damaged(QStringLiteral("layer number out of range"));
        m_state = State::SkippedLayer;
        return;
    }
    auto layer = std::make_unique<GerberLayer>(index);
    m_layer = layer.get();
    if (m_inGerberList)
        m_content->gerberMode[index] = std::move(layer);
    else
        side().layers[size_t(index)] = std::move(layer);
    m_state = State::LayerHeader;
}

void ProjectReader::dataLine(const QByteArray& line)
{
    ++m_linesInSection;
    // The writer escapes a text line that begins with "+": this is a marker the reader does not know.
    if (line.startsWith('+'))
        damaged(QStringLiteral("an unknown marker"));
    switch (m_state) {
    case State::GerberData:
    case State::ExcellonData:
        if (admit(m_layerLines, m_maxLayerLines, "layer lines")) {
            LineList& lines = m_state == State::GerberData ? m_layer->rawLines : m_layer->excellonLines;
            // A line without an escape is stored as it stands.
            if (line.contains('\\'))
                lines.append(unescape(QString::fromLatin1(line)));
            else
                lines.appendLatin1(line.constData(), line.size());
        }
        return;
    case State::SkippedLayer:
        return;
    default:
        break;
    }
    // An empty line holds no record.
    if (line.isEmpty())
        return;
    if (m_state == State::None) {
        qDebug() << "error!!!!!!!!!!";
        damaged(QStringLiteral("a line outside any section"));
        return;
    }
    // Each field costs far more than its text: a line of a million ";" is cut.
    const int cut = nthIndexOf(line, ';', ProjectReader::maxFields);
    if (cut >= 0)
        damaged(QStringLiteral("the line holds more than %1 fields; the rest is not read").arg(maxFields));
    const QStringList f = splitFields(cut < 0 ? line : line.left(cut));
    checkRecord(f);
    switch (m_state) {
    case State::Version:
        if (m_content->version < 0 && toInt(f, 0, -1) >= 0)
            m_content->version = toInt(f, 0);
        break;
    case State::BoardInfo: {
        BoardInfo& b = side().board;
        b.setName(toText(f, 0));
        b.setWidth(toDouble(f, 1));
        b.setHeight(toDouble(f, 2));
        b.setDepth(toDouble(f, 3));
        b.setOriginX(toDouble(f, 4));
        b.setOriginY(toDouble(f, 5));
        b.setComment(toText(f, 6));
        break;
    }
    case State::OriginGen: {
        OriginGen& g = side().originGen;
        g.columns = toInt(f, 0, 1);
        g.rows = toInt(f, 1, 1);
        g.sizeX = toDouble(f, 2);
        g.sizeY = toDouble(f, 3);
        g.borderBottom = toDouble(f, 4);
        g.borderLeft = toDouble(f, 5);
        g.borderTop = toDouble(f, 6);
        g.borderRight = toDouble(f, 7);
        g.spacingX = toDouble(f, 8);
        g.spacingY = toDouble(f, 9);
        break;
    }
    case State::Origins:
        if (admit(m_origins, maxOrigins, "origins"))
            side().origins.append(Origin { toDouble(f, 0), toDouble(f, 1), toInt(f, 2, 1) });
        break;
    case State::Fiducials: {
        Fiducials& d = side().fiducials;
        d.setBoard1X(toDouble(f, 0));
        d.setBoard1Y(toDouble(f, 1));
        d.setBoard2X(toDouble(f, 2));
        d.setBoard2Y(toDouble(f, 3));
        d.setBoardExec(toFlag(f, 4));
        d.setBlock1X(toDouble(f, 5));
        d.setBlock1Y(toDouble(f, 6));
        d.setBlock2X(toDouble(f, 7));
        d.setBlock2Y(toDouble(f, 8));
        d.setBlockExec(toFlag(f, 9));
        d.setGeometryX(toDouble(f, 10, 1.0));
        d.setGeometryY(toDouble(f, 11, 1.0));
        d.setGeometryIndex(toInt(f, 12));
        d.setReflectIndex(toInt(f, 13));
        break;
    }
    case State::PickAndPlace:
        placement(f);
        break;
    case State::Drawings: {
        if (!admit(m_drawings, maxDrawings, "drawings"))
            break;
        Drawing d;
        d.type = toInt(f, 0, Drawing::NoDrawing);
        d.startX = toDouble(f, 1);
        d.startY = toDouble(f, 2);
        d.endX = toDouble(f, 3);
        d.endY = toDouble(f, 4);
        d.color = QColor(
            qBound(0, toInt(f, 5, 255), 255), qBound(0, toInt(f, 6), 255), qBound(0, toInt(f, 7), 255));
        d.text = toText(f, 8, d.text);
        d.textSize = toInt(f, 9);
        side().drawings.append(d);
        break;
    }
    case State::Feeders: {
        if (!admit(m_feederRows, maxFeederRows, "feeder rows"))
            break;
        m_feederFields = int(qMin<qint64>(qint64(m_feederFields) + f.size(), maxFeederFields + 1LL));
        if (m_feederFields > maxFeederFields) {
            damaged(QStringLiteral("the file holds more than %1 feeder fields; the rest is not read")
                        .arg(maxFeederFields));
            break;
        }
        FeederRecord record;
        for (const QString& field : f)
            record.fields << unescape(field);
        m_feederTarget->append(record);
        break;
    }
    case State::LayerHeader:
        ProjectLayers::readHeader(*m_layer, f, m_content->version < 0 ? 10 : m_content->version);
        m_state = State::SkippedLayer;
        break;
    case State::ExcellonFormat:
        m_layer->xIntegerDigits = m_layer->yIntegerDigits = qBound(0, toInt(f, 0), 9);
        m_layer->xDecimalDigits = m_layer->yDecimalDigits = qBound(0, toInt(f, 1), 9);
        break;
    case State::General:
        if (f.size() >= 2 && !m_generalRead) {
            m_content->load.colours = { toInt(f, 0), toInt(f, 1) };
            m_content->load.coloursRead = true;
            qDebug() << "loadColor" << m_content->load.colours.boardColorIndex
                     << m_content->load.colours.silkColorIndex;
        }
        m_generalRead = true;
        break;
    default:
        imageLine(f);
        break;
    }
}

bool ProjectReader::admit(int& count, int limit, const char* what)
{
    if (count >= limit) {
        // Only the first damage is reported: later records past the bound cost no message.
        if (m_content->load.warning.isEmpty())
            damaged(QStringLiteral("the file holds more than %1 %2; the rest is not read")
                        .arg(limit)
                        .arg(QLatin1String(what)));
        return false;
    }
    ++count;
    return true;
}

void ProjectReader::placement(const QStringList& f)
{
    int read = int(m_placements.size());
    if (!admit(read, maxPlacements, "placements"))
        return;
    if (f.size() <= 6) {
        qDebug() << (m_top ? "PnP top list read error: only" : "PnP bottom list read error: only") << f.size()
                 << "columns";
        return;
    }
    auto e = std::make_unique<PnPEntry>(QString(), QString(), toDouble(f, 2), toDouble(f, 3), toText(f, 4),
        toDouble(f, 5), QString(), ExecKind::Machine, QString());
    e->setRefDes(toText(f, 0));
    e->setName(toText(f, 1));
    e->setValue(toText(f, 6));
    if (f.size() >= 8)
        e->setExec(toText(f, 7));
    if (f.size() >= 9)
        e->setComment(toText(f, 8));
    if (f.size() >= 10) {
        e->setHead(toInt(f, 9, 1));
        e->setPlaced(toFlag(f, 10));
        e->setMachine(toInt(f, 11));
        e->setLine(toInt(f, 12));
        e->setSizeX(toDouble(f, 13, e->sizeX()));
        e->setSizeY(toDouble(f, 14, e->sizeY()));
    }
    m_placements.push_back(std::move(e));
    m_placementReadOnTop.push_back(m_top);
}

void ProjectReader::imageLine(const QStringList& f)
{
    if (!m_layer)
        return;
    if (m_state == State::Shapes ? !admit(m_storedApertures, maxStoredApertures, "stored apertures")
                                 : !admit(m_imageRecords, maxImageRecords, "stored image records"))
        return;
    switch (m_state) {
    case State::Shapes: {
        QString texts[Aperture::ParameterCount];
        for (int i = 0; i < Aperture::ParameterCount; ++i)
            texts[i] = toText(f, 2 + i, QStringLiteral("x"));
        m_lastAperture = m_layer->addAperture(new Aperture(toText(f, 0), toText(f, 1), texts));
        if (!m_apertureByName.contains(m_lastAperture->name))
            m_apertureByName.insert(m_lastAperture->name, m_lastAperture);
        break;
    }
    case State::Arcs: {
        auto* arc = new ArcRecord;
        arc->value1 = toDouble(f, 0);
        arc->value2 = toDouble(f, 1);
        arc->value3 = toDouble(f, 2);
        arc->startAngle = toInt(f, 3);
        arc->sweepAngle = toInt(f, 4);
        arc->value4 = toDouble(f, 5);
        arc->text = toText(f, 6);
        arc->dark = toFlag(f, 7, true);
        arc->index = toInt(f, 8, -1);
        m_layer->addArcRecord(arc);
        break;
    }
    case State::Polygons: {
        if (f.size() < 2)
            break;
        auto* polygon = new QPolygonF;
        for (int i = 0; i + 1 < f.size() - 2; i += 2)
            polygon->append(QPointF(toDouble(f, i), toDouble(f, i + 1)));
        if (!m_layer->restoreRegion(polygon, toFlag(f, f.size() - 2, true), toInt(f, f.size() - 1, -1)))
            qDebug() << "stored region refused in line" << m_lineNumber;
        break;
    }
    case State::ImagesPaths: {
        // The first aperture of the name, as a scan of the layer's apertures finds it.
        Aperture* aperture = m_apertureByName.value(toText(f, 0));
        if (!aperture) {
            if (!m_layer->currentAperture) {
                m_layer->currentAperture = m_layer->adoptAperture(Aperture::createDefault());
                if (!m_apertureByName.contains(m_layer->currentAperture->name))
                    m_apertureByName.insert(m_layer->currentAperture->name, m_layer->currentAperture);
            }
            aperture = m_layer->currentAperture;
        }
        const QString kind = toText(f, 3);
        const QString& shared = kind == ImageObject::draw() ? ImageObject::draw()
            : kind == ImageObject::move()                   ? ImageObject::move()
                                                            : ImageObject::flash();
        if (!m_layer->restoreObject(
                aperture, toDouble(f, 1), toDouble(f, 2), shared, toFlag(f, 4, true), toInt(f, 5, -1)))
            qDebug() << "stored object refused in line" << m_lineNumber;
        break;
    }
    default:
        macroLine(f);
        break;
    }
}

void ProjectReader::macroLine(const QStringList& f)
{
    MacroImage* image = m_lastAperture ? m_lastAperture->macroImage.get() : nullptr;
    if (!image)
        return;
    switch (m_state) {
    case State::MacroIndexes:
        for (int i = 0; i < f.size(); ++i)
            image->indexes.append(toInt(f, i));
        break;
    case State::MacroExposures:
        for (const QString& pair : f) {
            const QStringList parts = pair.split(QLatin1Char(','));
            if (parts.size() == 2)
                image->exposures.insert(toInt(parts, 0), toFlag(parts, 1, true));
        }
        break;
    case State::MacroPrimitives: {
        MacroPrimitive p;
        p.shape = toText(f, 1, p.shape);
        p.width = toDouble(f, 2);
        p.height = toDouble(f, 3);
        p.x = toDouble(f, 4);
        p.y = toDouble(f, 5);
        p.x2 = toDouble(f, 6);
        p.y2 = toDouble(f, 7);
        image->primitives.insert(toInt(f, 0), p);
        break;
    }
    case State::MacroPolygons: {
        QPolygonF polygon;
        for (int i = 1; i + 1 < f.size(); i += 2)
            polygon.append(QPointF(toDouble(f, i), toDouble(f, i + 1)));
        image->polygons.insert(toInt(f, 0), polygon);
        break;
    }
    default:
        break;
    }
}

void ProjectReader::rereadLayers()
{
    // Every stored layer is read again from its lines. The layers are independent of each
    // other, so they are read side by side: this thread takes its share and reports progress,
    // the other cores take the rest. Failures are reported in the file's order of the layers.
    struct Job
    {
        Job(GerberLayer* layer, QString where)
            : layer(layer)
            , where(std::move(where))
        { }
        GerberLayer* layer;
        QString where;
        bool ok = true;
        QString error;
    };
    std::vector<Job> jobs;
    for (const bool top : { true, false }) {
        const ProjectContent::Side& s = top ? m_content->top : m_content->bottom;
        for (size_t i = 0; i < s.layers.size(); ++i) {
            if (s.layers[i])
                jobs.emplace_back(s.layers[i].get(),
                    QStringLiteral("%1 of %2")
                        .arg(i + 1)
                        .arg(top ? QStringLiteral("+Top") : QStringLiteral("+Bottom")));
        }
    }
    for (auto& entry : m_content->gerberMode)
        jobs.emplace_back(entry.second.get(), QStringLiteral("%1 of +Gerber").arg(entry.first + 1));

    const int total = 1 + int(jobs.size());
    std::atomic<int> next { 0 };
    std::atomic<int> finished { 0 };
    const auto work = [&](bool reporting) {
        for (int i = next++; i < int(jobs.size()); i = next++) {
            Job& job = jobs[size_t(i)];
            // A stored image of a version-7 file is already in place.
            if (LayerRows::inUse(*job.layer)) {
                job.ok = LayerRows::reread(*job.layer, &job.error);
                LayerTransform::replay(*job.layer);
            }
            const int done = ++finished;
            if (reporting && m_progress)
                m_progress(1 + done, total);
        }
    };
    if (m_progress)
        m_progress(1, total);
    std::vector<std::thread> helpers;
    const int cores = std::max(1, QThread::idealThreadCount());
    for (int i = 1; i < std::min(cores, int(jobs.size())); ++i)
        helpers.emplace_back(work, false);
    work(true);
    for (std::thread& t : helpers)
        t.join();
    if (m_progress)
        m_progress(total, total);
    for (const Job& job : jobs) {
        if (!job.ok && m_content->load.warning.isEmpty())
            m_content->load.warning = FileIo::errorText(m_file, 0,
                QStringLiteral("layer %1 (%2) could not be read again: %3")
                    .arg(job.where, job.layer->fileName, job.error));
    }
}

void ProjectReader::distribute()
{
    // Placements go to the side their side text names. One with any other side text stays on
    // the side it was listed under, so that it and every placement after it are kept.
    for (size_t i = 0; i < m_placements.size(); ++i) {
        PnPEntry* e = m_placements[i].release();
        if (e->side() != QLatin1String("top") && e->side() != QLatin1String("bottom")) {
            qDebug() << "PnP list read error";
            e->setSide(m_placementReadOnTop[i] ? QStringLiteral("top") : QStringLiteral("bottom"));
        }
        (e->side() == QLatin1String("top") ? m_content->top : m_content->bottom).placements.append(e);
    }
    m_placements.clear();
}

ProjectContent::~ProjectContent()
{
    qDeleteAll(top.placements);
    qDeleteAll(bottom.placements);
}
