#pragma once

// Grid description of a panel used by the origin generator, one per side.
// Fields in the order of the generator dialog; lengths in mm.
struct OriginGen
{
    int columns = 1;
    int rows = 1;
    double sizeX = 0.0; // board size
    double sizeY = 0.0;
    double spacingX = 0.0;
    double spacingY = 0.0;
    double borderBottom = 0.0;
    double borderTop = 0.0;
    double borderRight = 0.0;
    double borderLeft = 0.0;

    // Panel outline: (columns - 1) * spacing + columns * size + both borders.
    double panelWidth() const
    {
        return (columns - 1) * spacingX + columns * sizeX + borderLeft + borderRight;
    }
    double panelHeight() const { return (rows - 1) * spacingY + rows * sizeY + borderTop + borderBottom; }

    bool operator==(const OriginGen& o) const
    {
        return columns == o.columns && rows == o.rows && sizeX == o.sizeX && sizeY == o.sizeY
            && spacingX == o.spacingX && spacingY == o.spacingY && borderBottom == o.borderBottom
            && borderTop == o.borderTop && borderRight == o.borderRight && borderLeft == o.borderLeft;
    }
    bool operator!=(const OriginGen& o) const { return !(*this == o); }
};
