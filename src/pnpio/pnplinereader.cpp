#include "pnpio/pnplinereader.h"

#include "pnpio/pnptext.h"

#include <QIODevice>

PnPLineReader::PnPLineReader(QIODevice& device)
    : m_device(device)
{ }

bool PnPLineReader::next(QString& line)
{
    if (m_device.atEnd())
        return false;
    const QByteArray raw = m_device.readLine();
    // Every line holds at least its line end, so an empty read is the end or an error.
    if (raw.isEmpty())
        return false;
    ++m_lineNumber;
    line = PnPText::decode(raw.trimmed());
    return true;
}

bool PnPLineReader::nextRecord(QString& line, QChar sep)
{
    if (!next(line))
        return false;
    // Descriptions with a few line breaks are real; a hundred lines is a quote left open.
    const int maxJoinedLines = 100;
    const int maxRecordLength = 64 * 1024;
    QString more;
    for (int joined = 0;
         joined < maxJoinedLines && line.size() < maxRecordLength && PnPText::endsInsideQuotes(line, sep);
         ++joined) {
        if (!next(more))
            break;
        line += QLatin1Char(' ');
        line += more;
    }
    return true;
}
