#include "gerber/aperture.h"

Aperture::Aperture()
{
    for (int i = 0; i < ParameterCount; ++i) {
        parameterText[i] = QStringLiteral("x");
        parameterValue[i] = -1.0;
    }
}

Aperture::Aperture(const QString& name, const QString& shape, const QString texts[ParameterCount])
    : name(name)
    , shape(shape)
{
    for (int i = 0; i < ParameterCount; ++i)
        setParameterText(i, texts[i]);
}

Aperture::~Aperture() = default;

Aperture* Aperture::createDefault()
{
    auto* a = new Aperture;
    a->name = QStringLiteral("D00");
    a->shape = QStringLiteral("C");
    a->setParameterText(0, QStringLiteral("1"));
    return a;
}

void Aperture::setParameterText(int i, const QString& text)
{
    if (i < 0 || i >= ParameterCount)
        return;
    parameterText[i] = text;
    if (text == QLatin1String("x")) {
        parameterValue[i] = -1.0;
    } else {
        bool ok = false;
        const double v = text.toDouble(&ok);
        parameterValue[i] = ok ? v : 0.0;
    }
}
