#pragma once

#include "line/feederoverview.h"

#include <QList>
#include <QWidget>
#include <functional>

struct FeederEntry;

// The feeder overview panel below the board view: the two benches of the machine being
// edited with its feeders. It asks its source for the entries at every paint, so it never
// holds entries that their machine has already dropped.
class Feeder : public QWidget
{
    Q_OBJECT
public:
    explicit Feeder(QWidget* parent = nullptr);

    void setSource(std::function<QList<FeederEntry*>()> source) { m_source = std::move(source); }
    QList<FeederEntry*> entries() const;
    void setColours(const FeederOverview::Colours& colours);
    // A folded panel shows its title only.
    void setFolded(bool folded);
    bool folded() const { return m_folded; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<QList<FeederEntry*>()> m_source;
    FeederOverview::Colours m_colours;
    bool m_folded = true;
};
