#pragma once

#include "line/machine.h"

#include <QList>
#include <QLoggingCategory>
#include <QString>
#include <QStringList>

class PnPEntry;
struct FeederEntry;

// Phase lines of an optimizer run ("Optimierung", "Kopf aufbauen", ...); on by default.
Q_DECLARE_LOGGING_CATEGORY(lcOptimizer)
// One line per feeder examined during a pick; off by default, it runs into millions of lines
// on a large board. Enable with QT_LOGGING_RULES="tessavrant.optimizer.feeders.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcOptimizerFeeders)

// Texts of the optimizer's message boxes.
namespace OptimizerText {
inline const QString errorTitle = QStringLiteral("Error");
inline const QString successTitle = QStringLiteral("Success");
inline const QString refused
    = QStringLiteral("Some Data are incorrect or inconsistent. Please Check your Instructions.");
inline const QString success = QStringLiteral("Pick-and-Place quantized in ");
inline const QString inconsistent = QStringLiteral("Pick-and-Place Lists inconsisten");
} // namespace OptimizerText

// One placement of the optimized sequence with the feeder slot, nozzle and cycle that serve it.
struct OptimizedStep
{
    PnPEntry* entry = nullptr;
    int setNo = 0;
    int nozzle = 0;
    int cycle = 0;
};

enum class OptimizerStatus
{
    // The sequence covers every placement: `order` replaces the working list.
    Done,
    // No line or machine chosen, or the feeder list does not match the placements.
    Refused,
    // Some placement could not be picked: the working list must stay as it is.
    Inconsistent
};

struct OptimizerResult
{
    OptimizerStatus status = OptimizerStatus::Refused;
    QList<OptimizedStep> steps;
    // The optimized placements, then every other entry of the working list in its order.
    QList<PnPEntry*> order;
    int pickStops = 0;
    int cycles = 0;
    double feederTravel = 0.0;
    double placementTravel = 0.0;
    double seconds = 0.0;
    QString timeText;
    // Phase lines as they were logged.
    QStringList log;
    // When some placements could not be picked: one line per part type, "name value: set N"
    // with the set of its feeder (0 without one), in order of first appearance.
    QStringList unpicked;
    // Designators of the placements to be ordered that no cycle took (the run is Inconsistent).
    QStringList unordered;

    // Title and text of the box that reports the run, and the reason shown under the text.
    QString title() const;
    QString message() const;
    // The part types not picked and the placements not ordered, shown under the text.
    QString detail() const;
};

// Orders the placements of machine `machine` (from 1) of line `line` (from 1) into
// pick-and-place cycles, quadrant by quadrant, with the feeders' slots and nozzles. The
// working list and the feeders are not changed.
OptimizerResult optimizePlacements(const QList<PnPEntry*>& working, int line, int machine, MachineType type,
    const QList<FeederEntry*>& feeders);
