#include "logcapture.h"

#include <QMutex>
#include <QtGlobal>

namespace {
QStringList captured;
QMutex capturedMutex;
QtMessageHandler previous = nullptr;

void handler(QtMsgType, const QMessageLogContext&, const QString& msg)
{
    QMutexLocker lock(&capturedMutex);
    captured.append(msg);
}
} // namespace

LogCapture::LogCapture()
{
    clear();
    previous = qInstallMessageHandler(handler);
}

LogCapture::~LogCapture()
{
    qInstallMessageHandler(previous);
}

QStringList LogCapture::lines() const
{
    QMutexLocker lock(&capturedMutex);
    return captured;
}

void LogCapture::clear()
{
    QMutexLocker lock(&capturedMutex);
    captured.clear();
}
