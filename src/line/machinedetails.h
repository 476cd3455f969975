#pragma once

#include <QByteArray>
#include <QString>

class LineConfig;

// Benches, heads, cameras and multipick pitches of the machines, kept beside line.cfg in a
// file of their own so that line.cfg stays three fields a line. Records, one a line, fields
// separated by spaces (no ";", so the file is never taken for a line configuration):
//   machine ROW NAME            ROW: the machine's row in line.cfg (0-based), NAME its name
//   bench TYPE X Y ROTATION PITCH
//   head X Y GROUP TYPE CENTERTYPE CENTERCOUNT CAM1X CAM1Y CAM2X CAM2Y
//   pitch GROUP PITCH           multipick groups with a pitch other than 0
// The records after "machine" belong to that machine; a block whose row and name no longer
// match line.cfg (edited or imported since) is ignored, and the machine keeps its defaults.
namespace MachineDetails {

inline const QString fileName = QStringLiteral("line_details.cfg");

QByteArray serialize(const LineConfig& config);
// Applies what fits; anything else is skipped. Values are kept within the dialog's limits.
void apply(const QByteArray& data, LineConfig& config);

} // namespace MachineDetails
