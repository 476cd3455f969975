#include "resources/icongen/resourcegenerator.h"

#include "resources/icongen/iconcatalog.h"
#include "resources/icongen/inactivevariant.h"
#include "resources/icongen/spinneranimation.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QPainter>
#include <QSaveFile>

namespace {

bool writeFile(const QString& path, const QByteArray& data, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        if (error)
            *error = QStringLiteral("cannot write ") + path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    return true;
}

QByteArray pngBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

QStringList ResourceGenerator::resourceFiles()
{
    QStringList files;
    for (const IconSource& icon : iconCatalog()) {
        files << QStringLiteral("icons/") + icon.name + QStringLiteral(".png");
        files << QStringLiteral("icons/") + icon.name + QStringLiteral("_inactive.png");
    }
    files << QStringLiteral("images/spinner.gif");
    return files;
}

bool ResourceGenerator::generate(const QString& outputDir, QString* error)
{
    QDir dir(outputDir);
    if (!dir.mkpath(QStringLiteral("icons")) || !dir.mkpath(QStringLiteral("images"))) {
        if (error)
            *error = QStringLiteral("cannot create folders in ") + outputDir;
        return false;
    }
    for (const IconSource& icon : iconCatalog()) {
        const QImage active = renderIcon(icon);
        const QString base = dir.filePath(QStringLiteral("icons/") + icon.name);
        if (!writeFile(base + QStringLiteral(".png"), pngBytes(active), error)
            || !writeFile(base + QStringLiteral("_inactive.png"), pngBytes(inactiveVariant(active)), error))
            return false;
    }
    if (!writeFile(dir.filePath(QStringLiteral("images/spinner.gif")), SpinnerAnimation::gif(), error))
        return false;

    QByteArray qrc("<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/ressources\">\n");
    for (const QString& file : resourceFiles())
        qrc += "  <file>" + file.toUtf8() + "</file>\n";
    qrc += "</qresource>\n</RCC>\n";
    return writeFile(dir.filePath(qrcFileName()), qrc, error);
}

bool ResourceGenerator::generateDesktopIcons(const QString& outputDir, QString* error)
{
    QDir dir(outputDir);
    for (const int size : desktopIconSizes()) {
        const QString sizeDir = QStringLiteral("hicolor/%1x%1/").arg(size);
        for (const IconSource& icon : desktopIcons()) {
            const QString context = icon.name == QLatin1String("tessavrant") ? QStringLiteral("apps")
                                                                             : QStringLiteral("mimetypes");
            if (!dir.mkpath(sizeDir + context)) {
                if (error)
                    *error = QStringLiteral("cannot create folders in ") + outputDir;
                return false;
            }
            const QString path = dir.filePath(sizeDir + context + QLatin1Char('/') + icon.name + ".png");
            if (!writeFile(path, pngBytes(renderIcon(icon, size)), error))
                return false;
        }
    }
    return true;
}

QImage ResourceGenerator::contactSheet()
{
    const QVector<IconSource> icons = iconCatalog();
    const int cell = 32 + 4 + 32 + 8 + 64 + 4 + 64 + 12;
    const int rowHeight = 64 + 22;
    const int columns = 3;
    const int rows = (icons.size() + columns - 1) / columns;
    const int spinnerRow = rows * rowHeight + 8;
    QImage sheet(columns * cell + 8, spinnerRow + 2 * SpinnerAnimation::kSize + 30, QImage::Format_ARGB32);
    sheet.fill(QColor(53, 53, 53));
    QPainter p(&sheet);
    p.setPen(Qt::white);
    for (int i = 0; i < icons.size(); ++i) {
        const QImage active = renderIcon(icons[i]);
        const QImage inactive = inactiveVariant(active);
        const int x = 8 + (i % columns) * cell;
        const int y = 8 + (i / columns) * rowHeight;
        p.drawImage(x, y, active);
        p.drawImage(x + 36, y, inactive);
        p.drawImage(QRect(x + 76, y, 64, 64), active);
        p.drawImage(QRect(x + 144, y, 64, 64), inactive);
        p.drawText(QRect(x, y + 64, cell - 8, 20), Qt::AlignLeft | Qt::AlignVCenter, icons[i].name);
    }
    // The busy animation as a decoder sees it: every frame of the written GIF, at 2x.
    QByteArray gif = SpinnerAnimation::gif();
    QBuffer buffer(&gif);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    int x = 8;
    for (QImage frame = reader.read(); !frame.isNull(); frame = reader.read()) {
        p.drawImage(QRect(x, spinnerRow, 2 * frame.width(), 2 * frame.height()), frame);
        x += 2 * frame.width() + 6;
    }
    p.drawText(QRect(8, spinnerRow + 2 * SpinnerAnimation::kSize + 4, 300, 20), Qt::AlignLeft,
        QStringLiteral("spinner"));
    return sheet;
}
