#pragma once

#include <QLatin1String>

// The marker lines of the project text, shared by writer and reader.
namespace ProjectMarker {
inline const QLatin1String fileVersion("+FileVer");
inline const QLatin1String top("+Top");
inline const QLatin1String bottom("+Bottom");
inline const QLatin1String boardInfo("+BoardInfo");
inline const QLatin1String originGen("+OriginGen");
inline const QLatin1String origins("+Origins");
inline const QLatin1String fiducials("+Fiducials");
inline const QLatin1String pickAndPlace("+Pick-and-Place");
inline const QLatin1String drawings("+Drawings");
inline const QLatin1String feederData("+Feeder_Data");
inline const QLatin1String machine("++Machine");
inline const QLatin1String machineLine("Line");
inline const QLatin1String gerber("+Gerber");
inline const QLatin1String layer("+L");
inline const QLatin1String gerberData("+GerberData");
inline const QLatin1String excellonFormat("+ExcellonLT");
inline const QLatin1String excellonData("+ExcellonData");
inline const QLatin1String general("+General");
inline const QLatin1String end("+++END+++");
// Stored images of version-7 files.
inline const QLatin1String shapes("++Shapes");
inline const QLatin1String polygons("++Polygons");
inline const QLatin1String imagesPaths("++ImagesPaths");
inline const QLatin1String arcs("++Arcs");
inline const QLatin1String macro("++Macro");
inline const QLatin1String macroIndexes("+++Indexes");
inline const QLatin1String macroExposures("+++Exposures");
inline const QLatin1String macroPrimitives("+++Primitives");
inline const QLatin1String macroPolygons("+++Polygons_Macro");
} // namespace ProjectMarker
