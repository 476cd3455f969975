#pragma once

#include <QLoggingCategory>

// Qt's default logging category, the one qDebug() writes to. qCDebug(defaultLog) writes the same
// line as qDebug() but builds it only while debug output is on: for lines written per block of a
// large file.
inline const QLoggingCategory& defaultLog()
{
    return *QLoggingCategory::defaultCategory();
}
