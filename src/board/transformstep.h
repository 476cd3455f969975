#pragma once

#include <QList>
#include <QString>
#include <optional>

class Document;
class LayerSet;

// One document transform named on the command line, applied through the same functions as the
// menus.
struct TransformStep
{
    enum class Kind
    {
        Rotate, // "Rotate Board" with both boxes ticked: layers, board data and placements turn
        Mirror,
        ShiftX,
        ShiftY,
        Origin, // "Set New Origin" at (a, b)
        Rotation, // placements by a degrees
        SwitchSide // every placement to the other side
    };
    Kind kind = Kind::Rotate;
    double a = 0.0;
    double b = 0.0;

    // "rotate", "mirror", "shift-x:V", "shift-y:V", "origin:X,Y", "rotation:A", "switch-side";
    // nothing for anything else or a non-finite number.
    static std::optional<TransformStep> parse(const QString& text);
    static QString syntax();
};

// Sets the board width and height of both sides (what rotate and mirror turn about).
void setBoardSize(Document& doc, double width, double height);
// Applies the steps in order. Each step acts on every side that holds placements at that moment
// (the top side when none does), with that side's layers; switch-side swaps the two sides'
// placements. The document shows the top side afterwards.
void applyTransformSteps(Document& doc, LayerSet& layers, const QList<TransformStep>& steps);
