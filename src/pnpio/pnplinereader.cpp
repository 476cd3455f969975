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
