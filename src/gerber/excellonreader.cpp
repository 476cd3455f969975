#include "gerber/excellonreader.h"

#include "gerber/aperture.h"
#include "gerber/excellonroute.h"
#include "gerber/excellontext.h"
#include "gerber/gerberlayer.h"
#include "gerber/imageobject.h"
#include "model/fileio.h"

#include <QDebug>
#include <QHash>
#include <QRegularExpression>
#include <QStringView>
#include <cmath>
#include <limits>

namespace {

// More repeats than this on one line is no drill file anyone made, and must not exhaust memory.
constexpr int maxRepeat = 100000;
// Holes made by repeat commands and points drawn for routed arcs, over the whole file: real
// files make a few dozen of either, and each costs an object in memory.
constexpr qint64 maxRepeatedHoles = 100000;
constexpr qint64 maxArcPoints = 2000000;

enum class Motion
{
    Drill, // coordinates are hits
    Rapid,
    Linear,
    Clockwise,
    CounterClockwise
};

class ExcellonPass
{
public:
    explicit ExcellonPass(GerberLayer& layer)
        : m_layer(layer)
    {
        m_format.leadingZeroesOmitted = layer.zeroOmission != QLatin1String("T");
        m_format.integerDigits = qBound(0, layer.xIntegerDigits, 9);
        m_format.decimalDigits = qBound(0, layer.xDecimalDigits, 9);
        for (Aperture* a : layer.apertures())
            remember(a);
    }

    bool run()
    {
        bool result = true;
        const LineList& lines = m_layer.excellonLines;
        for (m_lineIndex = 0; m_lineIndex < lines.size(); ++m_lineIndex) {
            const QString line = lines.at(m_lineIndex);
            if (line == QLatin1String("M30"))
                break;
            if (!handleLine(line)) {
                result = false;
                break;
            }
        }
        storeExtent();
        return result;
    }

    // Where and why run() stopped.
    int failedLine() const { return m_lineIndex; }
    QString failure() const { return m_failure; }

private:
    bool handleLine(const QString& line)
    {
        if (line.isEmpty())
            return true;
        if (line.front() == QLatin1Char(';')) {
            commentToolSize(line);
            return true;
        }
        if (line == QLatin1String("M48")) {
            m_inHeader = true;
            return true;
        }
        if (line == QLatin1String("%") || line == QLatin1String("M95")) {
            m_inHeader = false;
            return true;
        }
        if (isUnitLine(line, QLatin1String("M71")) || isUnitLine(line, QLatin1String("M72"))) {
            // Unit commands are honoured only before the first hit: the layer holds one unit.
            if (!m_hadHit)
                setUnit(line.startsWith(QLatin1String("M72")));
            return true;
        }
        const QChar first = line[0];
        // A hit cannot stand in the header: a file that never closes its header with "%" or
        // "M95" has reached its body here.
        if (m_inHeader && (first == QLatin1Char('X') || first == QLatin1Char('Y')))
            m_inHeader = false;
        if (m_inHeader) {
            if (isUnitLine(line, QLatin1String("INCH")))
                setUnit(true);
            else if (isUnitLine(line, QLatin1String("METRIC")))
                setUnit(false);
            else if (first == QLatin1Char('T'))
                defineOrSelectTool(line);
            else if (line.startsWith(QLatin1String("ICI,")))
                m_incremental = line == QLatin1String("ICI,ON");
            return true;
        }
        if (first == QLatin1Char('T')) {
            m_pathOpen = false;
            return selectTool(line);
        }
        if (first == QLatin1Char('G'))
            return motion(line);
        if (line == QLatin1String("M16") || line == QLatin1String("M17")) {
            m_pathOpen = false; // tool up: the next cut starts a new path
            return true;
        }
        if (first == QLatin1Char('X') || first == QLatin1Char('Y'))
            return m_motion == Motion::Drill ? hit(line) : route(line);
        if (first == QLatin1Char('R') && m_motion == Motion::Drill)
            return repeat(line);
        return true;
    }

    // "R5X1000Y1500": five more hits, each one step on from the one before.
    bool repeat(const QString& line)
    {
        const QStringView text(line);
        int end = 1;
        while (end < text.size() && text.at(end).isDigit() && text.at(end).unicode() < 128)
            ++end;
        if (end == 1)
            return true; // "R" with letters after it resets a machine setting; nothing to draw
        const int count = end <= 7 ? text.mid(1, end - 1).toInt() : -1;
        if (count < 0 || count > maxRepeat) {
            qDebug().noquote() << "Wiederholung ungültig - Fehlerauslösender Zeileninhalt:" << line;
            m_failure = QStringLiteral("the line asks for more than %1 repeated holes").arg(maxRepeat);
            return false;
        }
        if (!m_tool) {
            qDebug() << "Error - no Shape";
            m_failure = QStringLiteral("no tool selected");
            return false;
        }
        m_repeatedHoles += count;
        if (m_repeatedHoles > maxRepeatedHoles) {
            m_failure = QStringLiteral("the file asks for %1 holes from repeats so far; at most %2 are read")
                            .arg(m_repeatedHoles)
                            .arg(maxRepeatedHoles);
            return false;
        }
        const int xPos = text.indexOf(QLatin1Char('X'));
        const int yPos = text.indexOf(QLatin1Char('Y'));
        const QPointF step(xPos >= 0 ? convertCoordinate(numberAfter(text, xPos), m_format) : 0.0,
            yPos >= 0 ? convertCoordinate(numberAfter(text, yPos), m_format) : 0.0);
        for (int k = 0; k < count; ++k) {
            m_last += step;
            add(ImageObject::flash(), m_last.x(), m_last.y());
        }
        return true;
    }

    // Route mode: G00 moves without cutting, G01 cuts straight, G02/G03 cut arcs; coordinates
    // that follow without a G code continue the last motion. G05 returns to drilling hits.
    bool motion(const QString& line)
    {
        static const struct
        {
            const char* code;
            Motion motion;
        } codes[] = { { "G00", Motion::Rapid }, { "G01", Motion::Linear }, { "G02", Motion::Clockwise },
            { "G03", Motion::CounterClockwise }, { "G05", Motion::Drill } };
        for (const auto& c : codes) {
            if (!line.startsWith(QLatin1String(c.code)))
                continue;
            m_motion = c.motion;
            m_pathOpen = m_pathOpen && m_motion != Motion::Rapid && m_motion != Motion::Drill;
            const QStringView rest = QStringView(line).mid(3);
            const bool hasCoordinates = rest.contains(QLatin1Char('X')) || rest.contains(QLatin1Char('Y'));
            return hasCoordinates && m_motion != Motion::Drill ? route(rest.toString()) : true;
        }
        if (line.startsWith(QLatin1String("G90")) || line.startsWith(QLatin1String("G91"))) {
            m_incremental = line.startsWith(QLatin1String("G91"));
        } else if (line.startsWith(QLatin1String("G93"))) {
            // Zero set: later absolute coordinates count from this point.
            m_offset = QPointF();
            m_offset = point(QStringView(line).mid(3), QPointF(), false);
        }
        return true; // other G codes change nothing drawn
    }

    bool route(const QString& line)
    {
        if (!m_tool) {
            qDebug() << "Error - no Shape";
            m_failure = QStringLiteral("no tool selected");
            return false;
        }
        m_hadHit = true;
        const QStringView text(line);
        const QPointF to = point(text, m_last);
        if (m_motion == Motion::Rapid) {
            m_last = to;
            m_pathOpen = false;
            return true;
        }
        if (!m_pathOpen) {
            add(ImageObject::move(), m_last.x(), m_last.y());
            m_pathOpen = true;
        }
        if (m_motion == Motion::Linear) {
            add(ImageObject::draw(), to.x(), to.y());
        } else {
            ExcellonArc arc;
            arc.start = m_last;
            arc.end = to;
            arc.clockwise = m_motion == Motion::Clockwise;
            const int a = text.indexOf(QLatin1Char('A'));
            const int i = text.indexOf(QLatin1Char('I'));
            const int j = text.indexOf(QLatin1Char('J'));
            const auto value
                = [&](int at) { return at >= 0 ? convertCoordinate(numberAfter(text, at), m_format) : 0.0; };
            const QVector<QPointF> points = a >= 0
                ? arc.pointsWithRadius(value(a))
                : arc.pointsAroundCentre(m_last + QPointF(value(i), value(j)));
            m_arcPoints += points.size();
            if (m_arcPoints > maxArcPoints) {
                m_failure
                    = QStringLiteral("the routed arcs ask for more than %1 points; at most %1 are drawn")
                          .arg(maxArcPoints);
                return false;
            }
            for (const QPointF& p : points)
                add(ImageObject::draw(), p.x(), p.y());
        }
        m_last = to;
        return true;
    }

    // A unit word alone or followed by ",": "INCH,LZ", "METRIC,TZ", "METRIC,000.000", "M71,TZ".
    static bool isUnitLine(const QString& line, QLatin1String unit)
    {
        return line.startsWith(unit) && (line.size() == unit.size() || line[unit.size()] == QLatin1Char(','));
    }

    void setUnit(bool inch)
    {
        m_layer.unit = inch ? QStringLiteral("IN") : QStringLiteral("mm");
        m_layer.unitFactor = inch ? 25.4 : 1.0;
    }

    void remember(Aperture* tool)
    {
        if (!m_toolsByName.contains(tool->name))
            m_toolsByName.insert(tool->name, tool);
        ToolLine parsed;
        if (parseToolLine(tool->name, &parsed) && parsed.number >= 0
            && !m_toolsByNumber.contains(parsed.number))
            m_toolsByNumber.insert(parsed.number, tool);
    }

    Aperture* defineTool(const ToolLine& tool)
    {
        Aperture* aperture = Aperture::createDefault();
        aperture->name = tool.name;
        aperture->shape = QStringLiteral("C");
        aperture->setParameterText(0, tool.hasDiameter ? tool.diameter : QStringLiteral("0"));
        m_layer.addAperture(aperture);
        remember(aperture);
        return aperture;
    }

    // In the header a tool line defines the tool; one without a size that names a tool already
    // defined selects it instead (files that select tools before closing the header).
    void defineOrSelectTool(const QString& line)
    {
        ToolLine tool;
        if (!parseToolLine(line, &tool))
            return;
        if (Aperture* known = tool.hasDiameter ? nullptr : findTool(tool))
            m_tool = known;
        else if (tool.number != 0 || tool.hasDiameter)
            defineTool(tool);
    }

    Aperture* findTool(const ToolLine& tool) const
    {
        if (Aperture* a = m_toolsByName.value(tool.name, nullptr))
            return a;
        return tool.number >= 0 ? m_toolsByNumber.value(tool.number, nullptr) : nullptr;
    }

    bool selectTool(const QString& line)
    {
        ToolLine tool;
        if (!parseToolLine(line, &tool))
            return true;
        Aperture* aperture = findTool(tool);
        if (!aperture && tool.number == 0 && !tool.hasDiameter)
            return true; // "T00" unloads the tool unless a tool 0 was defined: the current one stays
        if (!aperture && !tool.hasDiameter && tool.number >= 0 && m_commentSizesMm.contains(tool.number)) {
            // Only a comment gave the size: in the layer's unit, as a tool table would.
            tool.hasDiameter = true;
            tool.diameter
                = QString::number(m_commentSizesMm.value(tool.number) / m_layer.unitFactor, 'g', 12);
        }
        if (!aperture && tool.hasDiameter)
            aperture = defineTool(tool); // tool defined in the body, as several CAD tools write it
        if (!aperture) {
            qDebug() << "Shape nicht gefunden";
            m_failure = QStringLiteral("tool not defined");
            return false;
        }
        m_tool = aperture;
        return true;
    }

    // Allegro's NC drill files list their tools only in comments:
    // ";T01 Holesize 1. = 8.000000 Tolerance = +3.000000/-3.000000 PLATED MILS Quantity = 1873".
    // The size (in millimetres here) serves a tool that no tool table defines.
    void commentToolSize(const QString& line)
    {
        static const QRegularExpression pattern(
            QStringLiteral("^;\\s*T(\\d{1,6})\\s+HOLESIZE\\s+[\\d.]+\\s*=\\s*(\\d+(?:\\.\\d*)?)\\s.*\\s(MILS|"
                           "MM|INCH|IN)\\b"),
            QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch m = pattern.match(line);
        if (!m.hasMatch())
            return;
        const QString unit = m.captured(3).toUpper();
        const double perUnit = unit == QLatin1String("MM") ? 1.0
            : unit == QLatin1String("MILS")                ? 0.0254
                                                           : 25.4;
        const int number = m.captured(1).toInt();
        if (!m_commentSizesMm.contains(number))
            m_commentSizesMm.insert(number, m.captured(2).toDouble() * perUnit);
    }

    // A coordinate pair; an axis the text leaves out repeats `from`. Absolute coordinates count
    // from the zero set by G93, incremental ones (G91, ICI,ON) from `from`.
    QPointF point(QStringView text, QPointF from) const { return point(text, from, m_incremental); }

    QPointF point(QStringView text, QPointF from, bool incremental) const
    {
        const int xPos = text.indexOf(QLatin1Char('X'));
        const int yPos = text.indexOf(QLatin1Char('Y'));
        const QPointF base = incremental ? from : m_offset;
        const double x
            = xPos >= 0 ? base.x() + convertCoordinate(numberAfter(text, xPos), m_format) : from.x();
        const double y
            = yPos >= 0 ? base.y() + convertCoordinate(numberAfter(text, yPos), m_format) : from.y();
        return QPointF(x, y);
    }

    void add(const QString& kind, double x, double y)
    {
        m_layer.createObject(m_tool, x, y, kind, m_layer.darkPolarity);
        if (kind != ImageObject::move())
            extend(x, y);
    }

    bool hit(const QString& line)
    {
        if (!m_tool) {
            qDebug() << "Error - no Shape";
            m_failure = QStringLiteral("no tool selected");
            return false;
        }
        m_hadHit = true;
        const QStringView text(line);
        const int g85 = line.indexOf(QLatin1String("G85"));
        if (g85 < 0) {
            m_last = point(text, m_last);
            add(ImageObject::flash(), m_last.x(), m_last.y());
            return true;
        }
        const int firstG = line.indexOf(QLatin1Char('G'));
        const QPointF p1 = point(text.left(firstG), m_last);
        const int secondX = line.indexOf(QLatin1Char('X'), firstG);
        const QPointF p2 = point(secondX >= 0 ? text.mid(secondX) : text.mid(g85 + 3), p1);
        const double x1 = p1.x(), y1 = p1.y(), x2 = p2.x(), y2 = p2.y();
        add(ImageObject::flash(), x1, y1);
        add(ImageObject::draw(), x2, y2);
        add(ImageObject::draw(), x2, y1);
        add(ImageObject::draw(), x1, y1);
        add(ImageObject::draw(), x1, y2);
        add(ImageObject::draw(), x2, y2);
        add(ImageObject::move(), x2, y1);
        add(ImageObject::draw(), x1, y2);
        m_last = p2;
        return true;
    }

    void extend(double x, double y)
    {
        const double xm = x * m_layer.unitFactor;
        const double ym = y * m_layer.unitFactor;
        m_minX = qMin(m_minX, xm);
        m_maxX = qMax(m_maxX, xm);
        m_minY = qMin(m_minY, ym);
        m_maxY = qMax(m_maxY, ym);
    }

    static qint32 clampToInt(double v)
    {
        const double lo = std::numeric_limits<qint32>::min();
        const double hi = std::numeric_limits<qint32>::max();
        return qint32(qBound(lo, v, hi));
    }

    // Bounds in whole millimetres, rounded outward, always including the origin.
    void storeExtent()
    {
        m_layer.cachedBounds[0] = clampToInt(std::ceil(m_maxX));
        m_layer.cachedBounds[1] = clampToInt(std::floor(m_minX));
        m_layer.cachedBounds[2] = clampToInt(std::ceil(m_maxY));
        m_layer.cachedBounds[3] = clampToInt(std::floor(m_minY));
    }

    GerberLayer& m_layer;
    int m_lineIndex = 0;
    QString m_failure;
    qint64 m_repeatedHoles = 0;
    qint64 m_arcPoints = 0;
    ExcellonFormat m_format;
    QHash<QString, Aperture*> m_toolsByName;
    QHash<int, Aperture*> m_toolsByNumber;
    QHash<int, double> m_commentSizesMm; // tool sizes from comments, by tool number
    Aperture* m_tool = nullptr;
    QPointF m_last;
    Motion m_motion = Motion::Drill;
    bool m_pathOpen = false; // a cut path has begun with its move to the start point
    bool m_inHeader = false;
    bool m_hadHit = false;
    bool m_incremental = false; // G91 or ICI,ON
    QPointF m_offset; // the zero set by G93
    double m_minX = 0.0, m_maxX = 0.0, m_minY = 0.0, m_maxY = 0.0;
};

} // namespace

void applyExcellonFormat(GerberLayer& layer, const ExcellonFormat& format)
{
    layer.zeroOmission = format.zeroOmissionText();
    layer.xIntegerDigits = layer.yIntegerDigits = format.integerDigits;
    layer.xDecimalDigits = layer.yDecimalDigits = format.decimalDigits;
}

ExcellonFormat excellonFormatOf(const GerberLayer& layer)
{
    ExcellonFormat format;
    format.leadingZeroesOmitted = layer.zeroOmission != QLatin1String("T");
    format.integerDigits = layer.xIntegerDigits;
    format.decimalDigits = layer.xDecimalDigits;
    return format;
}

bool readExcellonLines(const QString& path, LineList* lines, QString* error)
{
    QByteArray data;
    if (!FileIo::readAll(path, &data, error))
        return false;
    *lines = LineList::fromFileBytes(std::move(data));
    lines->squeeze(); // the layer keeps the lines
    return true;
}

bool loadExcellon(const QString& path, GerberLayer& layer, const ExcellonFormat& format, QString* error)
{
    LineList lines;
    return readExcellonLines(path, &lines, error) && readExcellonInto(layer, path, lines, format, error);
}

bool readExcellonInto(GerberLayer& layer, const QString& path, const LineList& lines,
    const ExcellonFormat& format, QString* error)
{
    layer.visible = true;
    layer.fileName = FileIo::fileName(path);
    applyExcellonFormat(layer, format);
    layer.excellonLines = lines;
    return parseExcellon(layer, error);
}

bool parseExcellon(GerberLayer& layer, QString* error)
{
    ExcellonPass pass(layer);
    const bool ok = pass.run();
    if (!ok && error)
        *error = FileIo::errorText(layer.fileName, pass.failedLine() + 1, pass.failure(),
            pass.failedLine() < layer.excellonLines.size() ? layer.excellonLines.at(pass.failedLine())
                                                           : QString());
    return ok;
}

namespace {

bool startsWithNumber(const QByteArray& text, int at)
{
    if (at >= text.size())
        return false;
    const char c = text.at(at);
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.';
}

} // namespace

bool looksLikeExcellon(const QByteArray& head)
{
    const int linesToLook = 10;
    int seen = 0;
    bool toolSelected = false; // a line "T1", "T01" or "T1C0.8"
    bool hit = false; // a line "X...Y..." or "Y..."
    int start = 0;
    while (start < head.size()) {
        int end = head.indexOf('\n', start);
        if (end < 0)
            end = head.size();
        const QByteArray line = head.mid(start, end - start).trimmed();
        start = end + 1;
        if (line.isEmpty() || line.startsWith(';'))
            continue;
        if (seen++ < linesToLook && line.startsWith("M48"))
            return true;
        // Every Gerber block ends in "*"; a drill file never has one outside its comments.
        if (line.contains('*'))
            return false;
        if (line.startsWith('T') && line.size() > 1 && line.at(1) >= '0' && line.at(1) <= '9')
            toolSelected = true;
        else if ((line.startsWith('X') || line.startsWith('Y')) && startsWithNumber(line, 1))
            hit = true;
    }
    // Without a header: tool selections and hits, and nothing of Gerber.
    return toolSelected && hit;
}
