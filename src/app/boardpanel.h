#pragma once

#include <QList>
#include <QObject>
#include <QPointF>

class Darstellg;
class GerberLayer;
class PlacementTables;
class QWidget;

namespace Ui {
class MainWindow;
}

// The board side of the main window: the board data fields, the fiducial fields and the origins
// table of the right panel, and the board and panel operations (rotate, mirror, shift, turns,
// origin generator, panelize, a new origin, placements made fiducials). The dialogs collect the
// input; board/ does the work.
class BoardPanel : public QObject
{
    Q_OBJECT
public:
    BoardPanel(Ui::MainWindow& ui, Darstellg& view, PlacementTables& tables, QWidget& window);

    void fillBoardInfoFields();
    void fillFiducialFields();
    void buildOriginsTable();
    // field: a BoardField; the text of its line edit is checked and stored.
    void boardFieldEdited(int field);
    void originsCellChanged(int row, int column);

    void boardTransform(bool rotate); // rotate (asks first) or mirror
    void shiftAsked(bool alongX, bool selectedOnly);
    void rotationAsked();
    void turnSelection(double degrees);
    void generateOriginsAsked();
    void panelizeAsked();
    // target 1..4: panel 1, panel 2, block 1, block 2.
    void convertToFiducial(int target);
    // Makes the board point the coordinate origin of the shown side.
    void setOriginAt(const QPointF& point);

private:
    void connectWidgets();
    void fiducialsEdited();
    // Re-renders the changed layers, refills fields and tables, marks modified.
    void transformDone(const QList<GerberLayer*>& changed);

    Ui::MainWindow& m_ui;
    Darstellg& m_view;
    PlacementTables& m_tables;
    QWidget& m_window;
};
