#pragma once

#include <QStringList>

// Records every qDebug/qWarning line while alive, for asserting fixed log lines.
class LogCapture
{
public:
    LogCapture();
    ~LogCapture();
    QStringList lines() const;
    void clear();
};
