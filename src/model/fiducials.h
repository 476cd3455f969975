#pragma once

// Optical alignment marks of one side: two board fiducials (panel coordinates), two block
// fiducials (repeated at every origin), their shape and reflect mode, and the selection
// state of each mark in the view.
class Fiducials
{
public:
    enum Geometry
    {
        Circle = 0,
        Square = 1
    };
    enum Reflect
    {
        ReflectOn = 0,
        NReflect = 1
    };

    double board1X() const { return m_board1X; }
    void setBoard1X(double v) { m_board1X = v; }
    double board1Y() const { return m_board1Y; }
    void setBoard1Y(double v) { m_board1Y = v; }
    double board2X() const { return m_board2X; }
    void setBoard2X(double v) { m_board2X = v; }
    double board2Y() const { return m_board2Y; }
    void setBoard2Y(double v) { m_board2Y = v; }
    // FiducialBoardExec: the board pair is used.
    bool boardExec() const { return m_boardExec; }
    void setBoardExec(bool v) { m_boardExec = v; }

    double block1X() const { return m_block1X; }
    void setBlock1X(double v) { m_block1X = v; }
    double block1Y() const { return m_block1Y; }
    void setBlock1Y(double v) { m_block1Y = v; }
    double block2X() const { return m_block2X; }
    void setBlock2X(double v) { m_block2X = v; }
    double block2Y() const { return m_block2Y; }
    void setBlock2Y(double v) { m_block2Y = v; }
    // FiducialBlockExec: the block pair is used.
    bool blockExec() const { return m_blockExec; }
    void setBlockExec(bool v) { m_blockExec = v; }

    double geometryX() const { return m_geometryX; }
    void setGeometryX(double v) { m_geometryX = v; }
    double geometryY() const { return m_geometryY; }
    void setGeometryY(double v) { m_geometryY = v; }
    // Combo index: 0 "Circle", 1 "Square".
    int geometryIndex() const { return m_geometryIndex; }
    void setGeometryIndex(int v) { m_geometryIndex = v; }
    // Combo index: 0 "Reflect", 1 "NReflect".
    int reflectIndex() const { return m_reflectIndex; }
    void setReflectIndex(int v) { m_reflectIndex = v; }

    bool board1Selected() const { return m_board1Selected; }
    void setBoard1Selected(bool v) { m_board1Selected = v; }
    bool board2Selected() const { return m_board2Selected; }
    void setBoard2Selected(bool v) { m_board2Selected = v; }
    bool block1Selected() const { return m_block1Selected; }
    void setBlock1Selected(bool v) { m_block1Selected = v; }
    bool block2Selected() const { return m_block2Selected; }
    void setBlock2Selected(bool v) { m_block2Selected = v; }

    // Compares the stored values, not the selection state.
    bool sameValues(const Fiducials& o) const
    {
        return m_board1X == o.m_board1X && m_board1Y == o.m_board1Y && m_board2X == o.m_board2X
            && m_board2Y == o.m_board2Y && m_boardExec == o.m_boardExec && m_block1X == o.m_block1X
            && m_block1Y == o.m_block1Y && m_block2X == o.m_block2X && m_block2Y == o.m_block2Y
            && m_blockExec == o.m_blockExec && m_geometryX == o.m_geometryX && m_geometryY == o.m_geometryY
            && m_geometryIndex == o.m_geometryIndex && m_reflectIndex == o.m_reflectIndex;
    }

private:
    double m_board1X = 0.0;
    double m_board1Y = 0.0;
    double m_board2X = 0.0;
    double m_board2Y = 0.0;
    bool m_boardExec = false;
    double m_block1X = 0.0;
    double m_block1Y = 0.0;
    double m_block2X = 0.0;
    double m_block2Y = 0.0;
    bool m_blockExec = false;
    double m_geometryX = 1.0;
    double m_geometryY = 1.0;
    int m_geometryIndex = Circle;
    int m_reflectIndex = ReflectOn;
    bool m_board1Selected = false;
    bool m_board2Selected = false;
    bool m_block1Selected = false;
    bool m_block2Selected = false;
};
