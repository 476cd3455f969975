#pragma once

#include "gerber/gerberlayer.h"
#include "gerber/layerset.h"
#include "model/boardinfo.h"
#include "model/drawing.h"
#include "model/feederdata.h"
#include "model/fiducials.h"
#include "model/origin.h"
#include "model/origingen.h"
#include "model/pnpentry.h"
#include "project/projectfile.h"

#include <QByteArray>
#include <array>
#include <map>
#include <memory>
#include <vector>

// Everything a project file holds, read into records of its own before any of it reaches a
// document, so that a file that cannot be read changes nothing.
struct ProjectContent
{
    struct Side
    {
        BoardInfo board;
        OriginGen originGen;
        Origins origins;
        Fiducials fiducials;
        Drawings drawings;
        std::array<std::unique_ptr<GerberLayer>, layerSlotCount> layers;
    };

    int version = -1; // -1: the file gave none
    Side top;
    Side bottom;
    std::vector<std::unique_ptr<PnPEntry>> placements; // file order, both sides
    std::vector<bool> placementReadOnTop; // the side section each placement came from
    std::map<int, std::unique_ptr<GerberLayer>> gerberMode;
    FeederData feeders;
    ProjectLoad load;
};

// Interprets the lines of a project text (Latin-1) into a ProjectContent, then reads the layers
// again from their stored lines. False with `error` when the text is no project or is damaged
// beyond use; a text that stops before its end is read up to there with load.warning set.
class ProjectReader
{
public:
    ProjectReader(const QString& fileLabel, bool compressed, const ProjectProgress& progress = {});
    bool read(const QByteArray& text, ProjectContent& content, QString* error);

private:
    enum class State
    {
        None,
        Version,
        BoardInfo,
        OriginGen,
        Origins,
        Fiducials,
        PickAndPlace,
        Drawings,
        Feeders,
        LayerHeader,
        GerberData,
        ExcellonFormat,
        ExcellonData,
        General,
        SkippedLayer,
        Shapes,
        Arcs,
        Polygons,
        ImagesPaths,
        Macro,
        MacroIndexes,
        MacroExposures,
        MacroPrimitives,
        MacroPolygons
    };

    bool marker(const QByteArray& line);
    void dataLine(const QByteArray& line);
    void startLayer(const QByteArray& line);
    void placement(const QStringList& f);
    void imageLine(const QStringList& f);
    void macroLine(const QStringList& f);
    ProjectContent::Side& side() { return m_top ? m_content->top : m_content->bottom; }
    // Notes the first place where the text leaves the grammar as load.warning, naming the line
    // and the section; reading goes on.
    void damaged(const QString& what);
    QString sectionName() const;
    void checkRecord(const QStringList& f);
    void rereadLayers();
    void distribute();

    QString m_file;
    bool m_compressed;
    ProjectProgress m_progress;
    ProjectContent* m_content = nullptr;
    State m_state = State::None;
    bool m_top = true;
    bool m_inGerberList = false;
    bool m_sawMarker = false;
    bool m_ended = false;
    bool m_generalRead = false;
    int m_lineNumber = 0;
    int m_linesInSection = 0; // data lines since the last marker
    QString m_lastSection;
    QString m_sideSection;
    GerberLayer* m_layer = nullptr;
    Aperture* m_lastAperture = nullptr;
    QList<FeederRecord>* m_feederTarget = nullptr;
};
