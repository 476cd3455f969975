#pragma once

#include <QObject>
#include <QString>

class Darstellg;
class QAction;
class QMenu;
class QWidget;

// Opens a whole fabrication package for the main window: asks for it (or takes a dropped folder or
// zip), shows the proposed assignment, then reads every file, installs the layers into the view's
// slots and the placements into its document, renders all layers in one pass and fits the view.
class FabricationImport : public QObject
{
    Q_OBJECT
public:
    FabricationImport(Darstellg* view, QWidget* window);

    // Puts "Open Fabrication Files..." into `menu` before `before` (at the end when null).
    QAction* addMenuEntry(QMenu* menu, QAction* before);

    // A folder or a .zip file: what a drop hands to open().
    static bool isPackage(const QString& path);

    // The file dialog's folder; follows the chosen package.
    QString lastDirectory;

public slots:
    // Asks for a zip archive, or any file inside the package folder.
    void openAsked();
    // True when the user accepted and at least one layer or placement was loaded.
    bool open(const QString& path);

signals:
    // Layers or placements changed: the window rebuilds its tables.
    void loaded();

private:
    Darstellg* m_view;
    QWidget* m_window;
};
