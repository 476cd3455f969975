#pragma once

#include <QString>

class QIODevice;

// Reads a centroid file line by line the way every importer does: each line is
// trimmed (so CR LF, CR-less and trailing blanks look the same) and decoded
// with PnPText::decode. Counts lines from 1.
class PnPLineReader
{
public:
    explicit PnPLineReader(QIODevice& device);

    // Next line into line; false at the end of the data.
    bool next(QString& line);
    // Next record: a line, joined with the lines that follow (by a space) while a quoted field
    // stays open (PnPText::endsInsideQuotes with `sep`), up to a bound so that a stray quote
    // cannot swallow the file.
    bool nextRecord(QString& line, QChar sep);
    // Number of the line last returned (1 for the first).
    int lineNumber() const { return m_lineNumber; }

private:
    QIODevice& m_device;
    int m_lineNumber = 0;
};
