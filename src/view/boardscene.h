#pragma once

#include "gerber/layerset.h"
#include "model/drawing.h"
#include "view/viewstate.h"

#include <QHash>
#include <QPointF>
#include <QRect>

class Document;

// What the interactive tools show over the board for the moment: the rubber band of a multiple
// selection, the drawing being drawn and the measurement.
struct BoardOverlays
{
    bool rubberBandShown = false;
    QRect rubberBand; // widget pixels
    Drawing construction; // type Drawing::NoDrawing when none
    bool measurementShown = false;
    QPointF measureFrom; // millimetres
    QPointF measureTo;
};

// Everything the board painter draws from. The widget, the tests and the command line fill one
// and get the same picture.
struct BoardScene
{
    const Document* document = nullptr;
    const LayerSet* layers = nullptr;
    const ViewState* state = nullptr;
    // The drawn layer list: the Gerber-mode rows in Gerber mode, else the shown side's slots.
    LayerList list = LayerList::Top;
    // Extra marker angle per part type, name ";" value (feeder orientation corrections); the
    // separator keeps "R0603"+"10k" apart from "R060"+"310k".
    const QHash<QString, double>* rotationOffsets = nullptr;
    // A single selected placement is marked with a cross-hair across the view.
    bool centreOnSelection = false;
    BoardOverlays overlays;

    bool gerberMode() const { return list == LayerList::GerberMode; }
};
