#include "app/startupfile.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

bool looksLikeExcellon(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // A byte-wise scan in blocks: no line is ever held whole, so a file without line breaks
    // costs no more memory than any other. Per line only its first few non-blank bytes matter.
    QByteArray content; // non-blank bytes of the current line, at most three
    bool other = false; // the line holds more than one word or more than three bytes
    bool gap = false; // blank seen after the first non-blank byte
    auto lineIsM48 = [&] { return !other && content == "M48"; };
    QByteArray block;
    constexpr qint64 blockSize = 64 * 1024;
    while (!(block = file.read(blockSize)).isEmpty()) {
        for (const char c : qAsConst(block)) {
            if (c == '\n') {
                if (lineIsM48())
                    return true;
                content.clear();
                other = gap = false;
            } else if (c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f') {
                gap = !content.isEmpty();
            } else if (gap || content.size() >= 3) {
                other = true;
            } else {
                content += c;
            }
        }
    }
    return lineIsM48();
}

StartupFile classifyStartupFile(const QString& argument)
{
    StartupFile result;
    if (argument.isEmpty())
        return result;
    QString converted = argument;
    converted.replace(QLatin1Char('\\'), QLatin1Char('/'));
    // A path written with Windows separators names the file under its "/" form here;
    // a file whose own name holds a backslash is still found under the name as given.
    QString path;
    if (QFileInfo(converted).isFile())
        path = converted;
    else if (QFileInfo(argument).isFile())
        path = argument;
    else
        return result;
    result.path = path;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (path.endsWith(QStringLiteral(".tvx"))) {
        result.kind = StartupFile::Project;
    } else if (suffix == QLatin1String("mnt") || suffix == QLatin1String("mnb")
        || suffix == QLatin1String("pos")) {
        // The suffixes the CAD tools give their centroid files; other centroid layouts share
        // .txt and .csv with too much else to be told apart by name.
        result.kind = StartupFile::Placements;
        result.format = suffix == QLatin1String("pos") ? PnPFormat::KiCad : PnPFormat::Eagle;
        result.options = PnPImportOptions::defaultsFor(result.format);
        if (suffix == QLatin1String("mnb"))
            result.options.side = PnPImportOptions::Bottom;
    } else if (looksLikeExcellon(path))
        result.kind = StartupFile::Drill;
    else
        result.kind = StartupFile::Gerber;
    return result;
}
