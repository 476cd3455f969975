// line.cfg reader and the machine details reader on arbitrary bytes: the first byte picks
// which one gets the data; the other reads what the writers make of the result, so a round
// trip through both writers is exercised too.
#include "line/lineconfig.h"
#include "line/machinedetails.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

namespace {
void quiet(QtMsgType, const QMessageLogContext&, const QString&) { }
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const auto previous = qInstallMessageHandler(quiet);
    Q_UNUSED(previous);
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), int(size - 1));
    LineConfig config;
    if (data[0] & 1) {
        config.parse("A;0;0\nB;2;0\nC;1;1\n");
        MachineDetails::apply(bytes, config);
    } else {
        config.parse(bytes);
        int taken = 0;
        LineConfig::filterImport(bytes, &taken);
    }
    const QByteArray written = config.serialize();
    const QByteArray details = MachineDetails::serialize(config);
    LineConfig again;
    again.parse(written);
    MachineDetails::apply(details, again);
    // What was written reads back as the same configuration.
    if (again.serialize() != written || MachineDetails::serialize(again) != details)
        __builtin_trap();
    for (int l = -1; l <= again.lines().size(); ++l)
        again.machineAt(l, 1);
    return 0;
}
