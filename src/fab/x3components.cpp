#include "fab/x3components.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <cmath>

namespace {

struct Attributes
{
    QString refDes, rotation, mount, value, footprint, package;
    bool pin = false;
};

class X3Pass
{
public:
    X3Pass(const QString& fileName, ImportedPlacements& out)
        : m_fileName(fileName)
        , m_out(out)
    { }

    bool run(const QByteArray& data, QString* error)
    {
        const int n = data.size();
        int i = 0;
        while (i < n) {
            const char c = data.at(i);
            if (c == '\n')
                ++m_line;
            if (c == '%') {
                const int end = data.indexOf('%', i + 1);
                if (end < 0)
                    return fail(error, QStringLiteral("extended command without its closing %"));
                const QByteArray block = data.mid(i + 1, end - i - 1);
                for (const QByteArray& command : block.split('*'))
                    extended(command.trimmed());
                m_line += block.count('\n');
                i = end + 1;
                continue;
            }
            if (c == '\r' || c == '\n' || c == ' ' || c == '\t') {
                ++i;
                continue;
            }
            int end = data.indexOf('*', i);
            if (end < 0)
                end = n;
            const QByteArray word = data.mid(i, end - i);
            m_line += word.count('\n');
            if (!wordCommand(word.simplified().replace(" ", ""), error))
                return false;
            i = end + 1;
        }
        finish();
        return true;
    }

private:
    bool fail(QString* error, const QString& why)
    {
        if (error)
            *error = QStringLiteral("%1, line %2: %3").arg(m_fileName).arg(m_line).arg(why);
        return false;
    }

    static QString valueOf(const QByteArray& command)
    {
        const int comma = command.indexOf(',');
        return comma < 0 ? QString() : QString::fromUtf8(command.mid(comma + 1)).trimmed();
    }

    void extended(const QByteArray& command)
    {
        if (command.startsWith("FS")) {
            static const QRegularExpression fs(QStringLiteral("^FS([LT])[AI].*X(\\d)(\\d)Y(\\d)(\\d)"));
            const QRegularExpressionMatch m = fs.match(QString::fromLatin1(command));
            if (m.hasMatch()) {
                m_trailingOmitted = m.captured(1) == QLatin1String("T");
                m_xInt = m.captured(2).toInt();
                m_xDec = m.captured(3).toInt();
                m_yInt = m.captured(4).toInt();
                m_yDec = m.captured(5).toInt();
            }
        } else if (command.startsWith("MOIN")) {
            m_unit = 25.4;
        } else if (command.startsWith("MOMM")) {
            m_unit = 1.0;
        } else if (command.startsWith("TF.FileFunction,")) {
            const QString f = valueOf(command);
            if (f.startsWith(QLatin1String("Component")))
                m_side = f.endsWith(QLatin1String("Bot")) ? QStringLiteral("bottom") : QStringLiteral("top");
        } else if (command.startsWith("TA.AperFunction,")) {
            m_aperFunction = valueOf(command);
        } else if (command.startsWith("AD")) {
            static const QRegularExpression ad(QStringLiteral("^ADD(\\d+)"));
            const QRegularExpressionMatch m = ad.match(QString::fromLatin1(command));
            if (m.hasMatch() && m_aperFunction.startsWith(QLatin1String("ComponentMain")))
                m_mainApertures.insert(m.captured(1).toInt());
        } else if (command.startsWith("TO.")) {
            const QString v = valueOf(command);
            if (command.startsWith("TO.C,"))
                m_attr.refDes = v;
            else if (command.startsWith("TO.CRot,"))
                m_attr.rotation = v;
            else if (command.startsWith("TO.CMnt,"))
                m_attr.mount = v;
            else if (command.startsWith("TO.CVal,"))
                m_attr.value = v;
            else if (command.startsWith("TO.CFtp,"))
                m_attr.footprint = v;
            else if (command.startsWith("TO.CPkg,"))
                m_attr.package = v;
            else if (command.startsWith("TO.P,"))
                m_attr.pin = true;
        } else if (command == "TD") {
            m_attr = Attributes();
            m_aperFunction.clear();
        } else if (command.startsWith("TD.")) {
            const QByteArray name = command.mid(2);
            if (name == ".AperFunction")
                m_aperFunction.clear();
            else if (name == ".C")
                m_attr.refDes.clear();
            else if (name == ".CRot")
                m_attr.rotation.clear();
            else if (name == ".CMnt")
                m_attr.mount.clear();
            else if (name == ".CVal")
                m_attr.value.clear();
            else if (name == ".CFtp")
                m_attr.footprint.clear();
            else if (name == ".CPkg")
                m_attr.package.clear();
            else if (name == ".P")
                m_attr.pin = false;
        }
    }

    // A coordinate in file units as the format states it.
    double coordinate(const QString& digits, int integers, int decimals) const
    {
        if (digits.contains(QLatin1Char('.')))
            return digits.toDouble();
        QString d = digits;
        QString sign;
        if (d.startsWith(QLatin1Char('-')) || d.startsWith(QLatin1Char('+'))) {
            sign = d.left(1);
            d.remove(0, 1);
        }
        if (m_trailingOmitted && d.size() < integers + decimals)
            d = d.leftJustified(integers + decimals, QLatin1Char('0'));
        return QString(sign + d).toDouble() / std::pow(10.0, decimals);
    }

    bool wordCommand(const QByteArray& raw, QString* error)
    {
        if (raw.isEmpty() || raw.startsWith("G04") || raw.startsWith("M0"))
            return true;
        static const QRegularExpression word(
            QStringLiteral("^(?:G0?[1-3])?(?:X([+-]?[\\d.]+))?(?:Y([+-]?[\\d.]+))?(?:I[+-]?[\\d.]+)?(?:J[+-]?"
                           "[\\d.]+)?(?:D0?([1-3]))?$"));
        static const QRegularExpression select(QStringLiteral("^(?:G54)?D(\\d+)$"));
        const QString text = QString::fromLatin1(raw);
        const QRegularExpressionMatch s = select.match(text);
        if (s.hasMatch()) {
            const int d = s.captured(1).toInt();
            if (d >= 10)
                m_aperture = d;
            return true;
        }
        const QRegularExpressionMatch m = word.match(text);
        if (!m.hasMatch())
            return true; // G-codes, regions and other words draw nothing that places a component
        if (!m.captured(1).isEmpty())
            m_x = coordinate(m.captured(1), m_xInt, m_xDec);
        if (!m.captured(2).isEmpty())
            m_y = coordinate(m.captured(2), m_yInt, m_yDec);
        if (m.captured(3) == QLatin1String("3"))
            return flash(error);
        return true;
    }

    bool flash(QString* error)
    {
        if (m_attr.refDes.isEmpty())
            return true;
        Candidate c;
        c.main = m_mainApertures.contains(m_aperture);
        c.pin = m_attr.pin;
        ImportedPlacement& p = c.placement;
        p.refDes = m_attr.refDes;
        p.x = m_x * m_unit;
        p.y = m_y * m_unit;
        p.side = m_side;
        bool ok = true;
        double r = m_attr.rotation.isEmpty() ? 0.0 : m_attr.rotation.toDouble(&ok);
        if (!ok || !std::isfinite(r) || std::fabs(r) > 1.0e6)
            return fail(
                error, QStringLiteral("rotation '%1' of %2 is no angle").arg(m_attr.rotation, p.refDes));
        r = std::fmod(r, 360.0);
        if (r < 0)
            r += 360.0;
        if (r >= 360.0)
            r = 0.0;
        p.rotation = r;
        p.value = m_attr.value;
        p.name = m_attr.package.isEmpty() ? m_attr.footprint : m_attr.package;
        if (m_attr.mount.compare(QLatin1String("TH"), Qt::CaseInsensitive) == 0)
            p.exec = QStringLiteral("3");
        p.line = m_line;
        m_candidates.append(c);
        return true;
    }

    void finish()
    {
        const bool anyMain = std::any_of(
            m_candidates.begin(), m_candidates.end(), [](const Candidate& c) { return c.main; });
        QSet<QString> seen;
        for (const Candidate& c : qAsConst(m_candidates)) {
            const bool takes = anyMain ? c.main : !c.pin;
            if (!takes || seen.contains(c.placement.refDes))
                continue;
            seen.insert(c.placement.refDes);
            m_out.append(c.placement);
        }
    }

    struct Candidate
    {
        ImportedPlacement placement;
        bool main = false;
        bool pin = false;
    };

    QString m_fileName;
    ImportedPlacements& m_out;
    int m_line = 1;
    bool m_trailingOmitted = false;
    int m_xInt = 3, m_xDec = 6, m_yInt = 3, m_yDec = 6;
    double m_unit = 1.0;
    double m_x = 0.0, m_y = 0.0;
    int m_aperture = -1;
    QString m_side = QStringLiteral("top");
    QString m_aperFunction;
    QSet<int> m_mainApertures;
    Attributes m_attr;
    QVector<Candidate> m_candidates;
};

} // namespace

namespace X3Components {

bool read(const QByteArray& data, const QString& fileName, ImportedPlacements& out, QString* error)
{
    ImportedPlacements found;
    X3Pass pass(fileName, found);
    if (!pass.run(data, error))
        return false;
    out += found;
    return true;
}

bool readFile(const QString& path, ImportedPlacements& out, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return read(file.readAll(), QFileInfo(path).fileName(), out, error);
}

} // namespace X3Components
