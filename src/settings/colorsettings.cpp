#include "settings/colorsettings.h"

#include "model/configfolder.h"
#include "model/fileio.h"

#include <QList>
#include <QStringList>

namespace ColorSettingsFile {

QString path()
{
    return ConfigFolder::file(QStringLiteral("colors.cfg"));
}

namespace {

// A colour component: a whole number from 0 to 255.
bool component(const QString& text, int* value)
{
    bool ok = false;
    *value = text.trimmed().toInt(&ok);
    return ok && *value >= 0 && *value <= 255;
}

} // namespace

void parse(const QByteArray& bytes, int windowWidth, ColorSettings* settings)
{
    QList<QColor> read;
    QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    // A line feed after the last line (an editor adds one) ends that line; it starts no empty one.
    if (lines.size() > 1 && lines.last().trimmed().isEmpty())
        lines.removeLast();
    for (const QString& raw : qAsConst(lines)) {
        const QStringList f = raw.trimmed().split(QLatin1Char(';'));
        if (f.size() >= 3) {
            int r = 0, g = 0, b = 0;
            if (!component(f.at(0), &r) || !component(f.at(1), &g) || !component(f.at(2), &b))
                return;
            read.append(QColor(r, g, b));
        } else if (f.size() == 2) {
            bool okLeft = false;
            bool okRight = false;
            const int l = f.at(0).trimmed().toInt(&okLeft);
            const int w = f.at(1).trimmed().toInt(&okRight);
            // Sizes that are no numbers are ignored, not taken as 0.
            if (okLeft && okRight && l >= ColorSettings::minLeftPanelWidth
                && w >= ColorSettings::minRightPanelWidth && qint64(l) + w < windowWidth - 10) {
                settings->leftPanelWidth = l;
                settings->rightPanelWidth = w;
            }
        } else {
            return;
        }
    }
    if (read.size() >= ColorSettings::ColourCount) {
        for (int i = 0; i < ColorSettings::ColourCount; ++i)
            settings->colours[size_t(i)] = read.at(i);
    }
}

bool read(const QString& path, int windowWidth, ColorSettings* settings)
{
    QByteArray bytes;
    QString error;
    if (!FileIo::readAll(path, &bytes, &error))
        return false;
    parse(bytes, windowWidth, settings);
    return true;
}

QByteArray text(const ColorSettings& settings)
{
    QByteArray out;
    for (const QColor& c : settings.colours)
        out += QByteArray::number(c.red()) + ';' + QByteArray::number(c.green()) + ';'
            + QByteArray::number(c.blue()) + '\n';
    out += QByteArray::number(settings.leftPanelWidth) + ';' + QByteArray::number(settings.rightPanelWidth);
    return out;
}

bool write(const QString& path, const ColorSettings& settings, QString* error)
{
    return FileIo::writeAtomically(path, text(settings), error);
}

} // namespace ColorSettingsFile
