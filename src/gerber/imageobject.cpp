#include "gerber/imageobject.h"

const QString& ImageObject::draw()
{
    static const QString text = QStringLiteral("D1");
    return text;
}

const QString& ImageObject::move()
{
    static const QString text = QStringLiteral("D2");
    return text;
}

const QString& ImageObject::flash()
{
    static const QString text = QStringLiteral("D3");
    return text;
}
