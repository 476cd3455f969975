#pragma once

#include <QColor>
#include <QStringList>
#include <QTableWidget>

class GerberLayer;
class QMenu;

// The layer table of the Gerber mode: one row per Gerber-mode layer with its number, colour,
// name, visibility box and load button. It edits nothing itself: its context menu and drops set
// the requests below, which the main window's driver carries out and clears.
class GerberTable : public QTableWidget
{
    Q_OBJECT
public:
    enum Column
    {
        NumberColumn = 0,
        ColourColumn = 1,
        NameColumn = 2,
        VisibleColumn = 3,
        LoadColumn = 4
    };

    explicit GerberTable(QWidget* parent = nullptr);

    // Shows the layers, one row each, without emitting cellChanged (a handler that refreshes
    // the table must not run itself again).
    void refresh(const QList<GerberLayer*>& rows);
    QMenu* contextMenu() const { return m_menu; }

    // ---- requests, in the order the main window polls them
    bool moveToTopRequested = false;
    bool moveToBottomRequested = false;
    bool removeRequested = false;
    bool panelizeRequested = false;
    bool exportRequested = false;
    qint32 targetSlot = -1;
    qint32 sourceRow = -1;
    qint32 dropRow = -1;
    qint32 panelCountX = 0;
    qint32 panelCountY = 0;
    double panelStepX = 0.0;
    double panelStepY = 0.0;
    QStringList droppedFiles;
    bool filesDropped = false;

signals:
    // The load button of a row was pressed.
    void loadRowPressed(int row);
    // The visibility box of a row was toggled.
    void rowVisibilityToggled(int row, bool visible);

public slots:
    void topDrill();
    void topOutline();
    void topSilk();
    void topAssy();
    void topPaste();
    void topMask();
    void topSignal();
    void bottomDrill();
    void bottomOutline();
    void bottomSilk();
    void bottomAssy();
    void bottomPaste();
    void bottomMask();
    void bottomSignal();
    void removeEntryGerber();
    void exportGerber();
    void panelizeGerber();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void requestMove(bool top, int slot);
    void buildRows(int count);
    void buildMenu();

    QMenu* m_menu = nullptr;
};
