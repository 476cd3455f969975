#pragma once

#include "line/machine.h"

#include <QMap>
#include <QString>
#include <QVector>

// What the optimizer knows of a machine family: how many nozzles its head carries, the order
// in which the head positions are served and the order in which the head walks the feeder
// slots (1..50 front bench, 101..150 rear bench).
struct MachineTables
{
    int nozzleCount = 0;
    QVector<int> positionOrder;
    QVector<int> slotTable;

    static MachineTables of(MachineType type);
};

// The set numbers a feeder list generation hands out on a machine of this family: 1..50, then
// 101..150, keeping only those the family's slot table walks (a part on another set is never
// picked).
QVector<int> generationSets(MachineType type);

// Head positions per nozzle number: each nozzle's share of the total quantity, at least one
// position each, adjusted on the nozzle with the most positions until the head is full.
// Empty when there is no nozzle number or more nozzle numbers than positions.
QMap<int, int> distributeNozzles(const QMap<int, int>& totals, int nozzleCount);

// Nozzle number per head position (index = position number), filled along the position order
// by nozzle numbers with the most positions first (the smaller number on a tie).
QVector<int> buildHead(const QMap<int, int>& positions, const QVector<int>& positionOrder);

// Cost model of one run, in seconds.
namespace PlacementCost {
constexpr double perPickStop = 0.15;
constexpr double perCycle = 1.8;
constexpr double perMillimetre = 0.003;
constexpr double slotPitch = 16.0;
} // namespace PlacementCost

// "H:MM:SS.s": hours, minutes with two digits, seconds with two integer digits and at most
// four decimals, rounded so that a value just below a full minute carries into the minutes.
QString placementTimeText(double seconds);
