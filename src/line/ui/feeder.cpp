#include "line/ui/feeder.h"

#include <QPainter>

Feeder::Feeder(QWidget* parent)
    : QWidget(parent)
{
    setWindowTitle(FeederOverview::title);
}

QList<FeederEntry*> Feeder::entries() const
{
    return m_source ? m_source() : QList<FeederEntry*>();
}

void Feeder::setColours(const FeederOverview::Colours& colours)
{
    m_colours = colours;
    update();
}

void Feeder::setFolded(bool folded)
{
    m_folded = folded;
    update();
}

void Feeder::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    FeederOverview::paint(p, size(), entries(), m_colours, m_folded);
}
