#pragma once

#include "gerber/imageobject.h"
#include "gerber/imagetransform.h"

#include <QHash>
#include <QPointF>
#include <QString>
#include <QStringView>
#include <memory>
#include <string>
#include <string_view>

class ApertureMacro;

class Aperture;
class GerberBlockReader;
class GerberLayer;
class LineList;

// One reading pass of the RS-274X reader over a layer's raw lines. Recognises a fixed set of
// commands, keeps coordinates in file units, flattens arcs and turns region mode into polygons.
// Rejections are written to the debug log with the offending block; most of them stop reading.
class GerberParser
{
public:
    explicit GerberParser(GerberLayer& layer);

    ~GerberParser();

    // Reads the layer's raw lines. True only when "M02*" was reached.
    bool run();
    // Reads a file given in pieces instead (the layer's raw lines are not read): the lines of
    // each piece in order, then finish(), which returns what run() would. Lines after "M02*" or
    // after a block that stopped reading are not read.
    void feed(const LineList& lines);
    bool finish();
    // Each arc point costs an object or a region point; real files draw a few thousand.
    static constexpr qint64 maxArcPoints = 2000000;
    // Why run() returned false: "FILE, line N: reason in "BLOCK"", or the missing end.
    QString errorText() const;

    // Straight-move conversion of a coordinate text with n integer and m decimal digits.
    static double convertCoordinate(QStringView text, int n, int m, bool trailingOmitted);
    // The arc reader's variant: only a leading "-" is a sign and "." always goes after n digits.
    static double convertArcCoordinate(QStringView text, int n, int m, bool trailingOmitted);

private:
    enum class Step
    {
        Continue,
        Stop,
        End
    };

    enum class Outcome
    {
        Exhausted, // the lines ran out
        Stopped,
        Ended // "M02*"
    };
    Outcome readBlocks(GerberBlockReader& reader);
    // Places what was read as the image says; `ended` is false when "M02*" was not reached.
    bool close(bool ended);
    Step handleBlock(QStringView block);
    Step handleParameterBlock(QStringView block);
    Step handleImageParameter(QStringView block);

    // gerberhandlers.cpp
    bool handleFormat(QStringView block);
    bool handleMode(QStringView block);
    bool handleLayerPolarity(QStringView block);
    void handleImagePolarity(QStringView block);
    bool handleApertureDefinition(QStringView block);
    bool handleDBlock(QStringView block);
    bool selectAperture(QStringView block);
    bool handleGBlock(QStringView block);

    // gerbercoordinates.cpp
    bool handleCoordinates(QStringView block);
    // A line that is one plain coordinate block, read from its bytes; false (nothing done) for
    // any other line, which then goes through the block reader.
    bool plainCoordinateLine(std::string_view line);
    void regionPoint(QStringView dText, double x, double y);
    void closeRegion();
    Aperture* objectAperture();
    void createObject(double x, double y, ObjectKind kind);

    // gerberarcs.cpp
    // False (refused) once the file's arcs ask for more than maxArcPoints points in all.
    bool readArc(QStringView text, bool singleQuadrant, QStringView block);

    // Logs a refused block; the last one refused is the reason when reading stops.
    void reject(const char* message, QStringView block);
    // Stops at a block that asks for more than a limit allows, with the reason as given.
    void refuse(const QString& reason, QStringView block);
    // Stores the macro of `text` (the whole %AM statement), or refuses `block` past the limits.
    bool defineMacro(const QString& text, QStringView block);

    GerberLayer& m_layer;
    QHash<QString, Aperture*> m_apertureByName; // first aperture of each name
    Aperture* m_defaultAperture = nullptr; // stand-in when none is selected (owned by the layer)
    bool m_haveCurrentPoint = false;
    QPointF m_currentPoint;
    QChar m_modalD[3]; // D code of the last coordinate block that gave one
    int m_modalDLength = 0;
    bool m_collectingMacro = false;
    qint64 m_expandedPrimitives = 0; // macro primitives of all apertures so far
    qint64 m_arcPoints = 0; // points of all arcs so far
    // Macros by name, the last defined of each name; the layer's macros from
    // m_macrosIndexed on are added at the next look-up (a macro is named once it is read whole).
    QHash<QString, ApertureMacro*> m_macroByName;
    int m_macrosIndexed = 0;
    QString m_macroText;
    ImageTransform m_transform; // %MI, %SF, %OF, %IR: applied to the whole image at the end
    StepRepeat m_stepRepeat;
    QString m_stepRepeatBlock; // the %SR block that opened the block being repeated
    const GerberBlockReader* m_reader = nullptr;
    std::unique_ptr<GerberBlockReader> m_pieceReader; // a file read in pieces
    bool m_ended = false;
    QString m_rejectReason;
    QString m_rejectBlock;
    int m_rejectLine = 0;
    bool m_rejected = false; // the block being handled was refused
    bool m_stopped = false;
};
