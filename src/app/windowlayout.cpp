#include "app/windowlayout.h"

WindowLayout computeLayout(int W, int H, int L, int R, int F, bool layerMode)
{
    WindowLayout layout;
    layout.layerMode = layerMode;
    if (layerMode) {
        const int viewHeight = H - 70;
        layout.view = QRect(L, 0, W - L, viewHeight);
        layout.layerTable = QRect(0, 0, L, viewHeight - 19);
        return layout;
    }
    const int viewWidth = W - L - R;
    const int viewHeight = H - 82 - F;
    const int half = (viewHeight + F) / 2 - 3;
    layout.view = QRect(L, 0, viewWidth, viewHeight);
    layout.feeder = QRect(L, H - 88 - F, viewWidth, F);
    layout.feederButton = QRect(viewWidth - 15, 0, 15, 15);
    layout.partTable = QRect(0, 0, L, half);
    layout.placementTable = QRect(0, half, L, half);
    layout.infoTabs = QRect(W - R, 0, R, 370);
    layout.originsTable = QRect(0, 0, R - 4, 339);
    layout.machineFrame = QRect(W - R, 370, R, 70);
    layout.feederTable = QRect(W - R, 440, R, F - 6 + viewHeight - 441);
    return layout;
}

void dragPanels(int W, int& L, int& R, int& pressX, int x)
{
    if (pressX >= L - 10 && pressX <= L + 10) {
        L += x - pressX;
        if (L < PanelSizes::minLeft)
            L = PanelSizes::minLeft;
        else if (L + R > W - 10)
            L = W - 10 - R;
    }
    if (pressX >= W - 10 - R && pressX <= W + 10 - R) {
        R += pressX - x;
        if (R < PanelSizes::minRight)
            R = PanelSizes::minRight;
        else if (L + R > W - 10)
            R = W - 10 - L;
    }
    pressX = x;
}
