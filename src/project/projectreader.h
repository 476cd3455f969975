#pragma once

#include <QHash>

#include "gerber/gerberlayer.h"
#include "gerber/layerset.h"
#include "model/document.h"
#include "model/feederdata.h"
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
    // A side's record as the document holds it (placements sorted to it by their side text once
    // the text is read), with the side's layer slots.
    struct Side : BoardSide
    {
        std::array<std::unique_ptr<GerberLayer>, layerSlotCount> layers;
    };

    ProjectContent() = default;
    ProjectContent(const ProjectContent&) = delete;
    ProjectContent& operator=(const ProjectContent&) = delete;
    // Deletes the placements that were not handed to a document.
    ~ProjectContent();

    int version = -1; // -1: the file gave none
    Side top;
    Side bottom;
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
    // Bounds on what a file may ask for, far above any real project: records past a bound are
    // not read, and a line is cut after maxFields fields; either warns naming the line. A
    // compressed text can hold several records a byte, so each kind that costs far more in
    // memory than in text has a bound of its own.
    static constexpr int maxPlacements = 1000000;
    static constexpr int maxFields = 1000000;
    static constexpr int maxOrigins = 100000;
    static constexpr int maxDrawings = 100000;
    static constexpr int maxMachines = 10000;
    static constexpr int maxFeederRows = 1000000;
    static constexpr int maxFeederFields = 4000000;
    // Stored images of version-7 files: objects, regions, arcs and macro lines; apertures apart,
    // each costing a few hundred bytes.
    static constexpr int maxImageRecords = 2000000;
    static constexpr int maxStoredApertures = 100000;
    // Layer text: a short line packs to a byte or less and costs some forty bytes once the layer is
    // read (its text, line end, object and order entry). Real layers pack to five bytes a line or
    // more, so a project may hold a fixed allowance and one line for every eight bytes it stores.
    static constexpr int baseLayerLines = 4000000;
    static int maxLayerLines(qint64 storedBytes);

    // `storedBytes`: the size of the file as stored (packed or plain), which bounds its layer lines.
    ProjectReader(
        const QString& fileLabel, bool compressed, qint64 storedBytes, const ProjectProgress& progress = {});
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
    // Counts one record against `limit`; past it, warns (naming `what`) and refuses the record.
    bool admit(int& count, int limit, const char* what);
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
    QHash<QString, Aperture*> m_apertureByName; // the layer's first aperture of each name
    int m_origins = 0;
    int m_drawings = 0;
    int m_machines = 0;
    int m_feederRows = 0;
    int m_feederFields = 0;
    int m_imageRecords = 0;
    int m_storedApertures = 0;
    int m_layerLines = 0;
    int m_maxLayerLines = 0;
    QList<FeederRecord>* m_feederTarget = nullptr;
    // Placements in file order with the side section each came from, until distribute().
    std::vector<std::unique_ptr<PnPEntry>> m_placements;
    std::vector<bool> m_placementReadOnTop;
};
