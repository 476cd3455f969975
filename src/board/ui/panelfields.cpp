#include "board/ui/panelfields.h"

#include "board/panel.h"

#include <QDoubleSpinBox>
#include <QSpinBox>
#include <cmath>

QSpinBox* PanelFields::countBox(QWidget* parent, const char* name, int value)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(1, Panel::maxBoards);
    box->setValue(value);
    return box;
}

QDoubleSpinBox* PanelFields::lengthBox(QWidget* parent, const char* name, double value)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(0.0, 100000.0);
    box->setDecimals(3);
    box->setValue(std::isfinite(value) ? value : 0.0);
    return box;
}
