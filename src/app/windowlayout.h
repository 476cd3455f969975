#pragma once

#include <QRect>

// Geometry of the main window's central widgets. The window places them itself on every
// repaint, from its size and the two panel widths and the feeder overview height.
struct WindowLayout
{
    bool layerMode = false;
    QRect view; // drst
    QRect feeder; // feeder overview (placement modes only)
    QRect feederButton; // viewFeederButton, relative to the feeder overview
    QRect partTable; // teile
    QRect placementTable; // pickandplacepositionen
    QRect infoTabs; // boardStuff
    QRect originsTable; // OriginsTable, relative to its tab page
    QRect machineFrame; // frame with lineselect and comboBox
    QRect feederTable; // feeder_config
    QRect layerTable; // gerber_table (layer mode only)
};

namespace PanelSizes {
constexpr int minLeft = 240;
constexpr int minRight = 200;
constexpr int feederClosed = 16;
constexpr int feederOpen = 218;
// The view's vertical offset moves by this much when the feeder overview opens or closes.
constexpr int feederOffsetStep = 202;
// Distance in pixels around a panel boundary that starts a panel drag.
constexpr int grabDistance = 5;
} // namespace PanelSizes

// The side panels as the user left them, and a drag of their boundaries in progress.
struct PanelState
{
    int left = PanelSizes::minLeft;
    int right = PanelSizes::minRight;
    int feederHeight = PanelSizes::feederClosed;
    bool nearBoundary = false; // the cursor is over a boundary: a press starts a drag
    bool dragging = false;
    int dragX = 0;
};

// W x H: main window size; L, R: left and right panel widths; F: feeder overview height.
WindowLayout computeLayout(int W, int H, int L, int R, int F, bool layerMode);

// One mouse move of a panel drag. pressX is the remembered x of the previous move (or the
// press); the widths are adjusted in place and pressX becomes x.
void dragPanels(int W, int& L, int& R, int& pressX, int x);
