// libFuzzer target: the aperture macro evaluator. The bytes are taken once as an expression and
// once as the body of a macro with variables, flashed through an aperture with three modifiers.
#include "gerber/gerberlayer.h"
#include "gerber/gerberreader.h"
#include "gerber/macroexpression.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

namespace {

void discardMessage(QtMsgType, const QMessageLogContext&, const QString&) { }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = (qInstallMessageHandler(discardMessage), true);
    (void)quiet;
    const QByteArray bytes
        = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<int>(size));

    MacroVariables variables;
    variables.set(1, 0.5);
    variables.set(2, -2.0);
    double value = 0.0;
    QString reason;
    MacroExpression::evaluate(QString::fromUtf8(bytes), variables, &value, &reason);

    GerberLayer layer;
    layer.rawLines = gerberLinesFromBytes(
        "%FSLAX24Y24*%\n%MOMM*%\n%AMM*\n$9=$1*\n" + bytes + "*%\n%ADD10M,0.5X-2X3*%\nD10*\nX0Y0D03*\nM02*\n");
    parseGerber(layer);
    return 0;
}
