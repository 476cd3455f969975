#pragma once

#include <QObject>
#include <QString>

class BoardPanel;
class Darstellg;
class FeederPanel;
class LayerSlots;
class PanelLayout;
class PlacementTables;
class QMainWindow;
class QPushButton;
class ToolActions;
class WindowColors;

namespace Ui {
class MainWindow;
}

// The three modes of the main window (placement top, placement bottom, layer mode) with their
// side buttons, the interaction block, and what a New or an Open does to the widgets on its way
// through the modes. The session (paths, title, the files) is DocumentSession's.
class WindowModes : public QObject
{
    Q_OBJECT
public:
    struct Parts
    {
        PlacementTables& tables;
        FeederPanel& feeders;
        LayerSlots& layers;
        BoardPanel& board;
        ToolActions& tools;
        WindowColors& colors;
        PanelLayout& panels;
    };
    // Adds the TOP, BOTTOM and GERBER buttons to the toolbar.
    WindowModes(Ui::MainWindow& ui, Darstellg& view, QMainWindow& window, Parts parts);

    bool layerModeActive() const { return m_layerModeActive; }
    QPushButton* topButton() const { return m_topButton; }
    QPushButton* bottomButton() const { return m_bottomButton; }
    QPushButton* gerberButton() const { return m_gerberButton; }

    void showSide(bool top);
    void showLayerMode();
    void blockInteraction();
    void unblockInteraction();
    // Enables or disables an action, or the entry of a menu, by object name.
    void setEntryEnabled(const QString& name, bool on);

    // The window's part of a document change.
    void startNewDocument();
    void prepareForLoad();
    void showLoadedDocument(bool read);

private:
    void resetDocument();
    void styleSideButtons(int active); // 0 top, 1 bottom, 2 layer mode
    void setPlacementWidgetsVisible(bool on);
    void setInteractionEnabled(bool on);

    Ui::MainWindow& m_ui;
    Darstellg& m_view;
    QMainWindow& m_window;
    Parts m_parts;
    bool m_layerModeActive = false;
    QPushButton* m_topButton = nullptr;
    QPushButton* m_bottomButton = nullptr;
    QPushButton* m_gerberButton = nullptr;
};
