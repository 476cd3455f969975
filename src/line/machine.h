#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QVector>

struct FeederEntry;

// Machine families; the value is the index in the type selector and the number in line.cfg.
enum class MachineType
{
    Topaz = 0,
    Opal = 1,
    Eclipse = 2
};
constexpr int machineTypeCount = 3;
// "Topaz", "Opal", "Eclipse", in type order.
QStringList machineTypeNames();

enum class BenchType
{
    StickAndBelt = 0,
    Tray = 1
};

enum class HeadType
{
    FlyingNozzle = 0,
    FixedHead = 1
};

enum class CenterType
{
    Head = 0,
    Camera = 1
};

// A feeder bench of a machine; positions in mm, rotation in degrees.
struct FeederBench
{
    BenchType type = BenchType::StickAndBelt;
    double x = 0.0;
    double y = 0.0;
    double rotation = 0.0;
    double pitch = 0.0;
};

// A placement head: where it sits, its multipick group, how parts are centred and where the
// centring cameras are.
struct Head
{
    double x = 0.0;
    double y = 0.0;
    int multipickGroup = 1;
    HeadType type = HeadType::FlyingNozzle;
    CenterType centerType = CenterType::Head;
    int centerCount = 0;
    double cam1X = 0.0;
    double cam1Y = 0.0;
    double cam2X = 0.0;
    double cam2Y = 0.0;
};

struct MultipickGroup
{
    double pitch = 0.0;
};

// One pick-and-place machine of a production line, with its benches, heads, multipick
// groups and the feeder list of the open project. Owns its feeder entries.
class Machine
{
public:
    static constexpr int multipickGroupCount = 99;
    // Bench and head counts are kept within what the dialog's spin boxes offer.
    static constexpr int maxBenches = 99;
    static constexpr int maxHeads = 99;

    Machine();
    ~Machine();
    Machine(const Machine&) = delete;
    Machine& operator=(const Machine&) = delete;

    QString name = QStringLiteral("unnamed");
    MachineType type = MachineType::Topaz;
    // The line number read from line.cfg, or the line the machine was added to; -1 when new.
    int lineNumber = -1;
    QList<FeederBench> benches;
    QVector<MultipickGroup> multipickGroups;
    QList<Head> heads;
    QList<FeederEntry*> feeders;
    // Part type (name + value) -> rotation in its feeder; kept together with the feeders.
    QHash<QString, double> partMap;

    // The head count is the number of Head records; resizing keeps the existing ones.
    int headCount() const { return heads.size(); }
    void setHeadCount(int count);
    void setBenchCount(int count);
    // Heads a machine of this type carries: 8 for Topaz and Opal, 2 for Eclipse.
    static int defaultHeadCount(MachineType type);
    void clearFeeders();
};
