#pragma once

#include <QString>

class Document;
class QWidget;

// The CSV entries of the main window's "Export..." menu: asks for the target file and
// the export options, runs the writer and tells the user when it failed.
class PnPExportActions
{
public:
    // parent: owner of the dialogs; lastDirectory: the main window's start folder of
    // file dialogs, updated to the folder of the chosen file.
    PnPExportActions(QWidget* parent, Document& document, QString& lastDirectory);

    // "Export..." > "Pick And Place"
    void exportPickAndPlace();
    // "Export..." > "Part List"
    void exportPartList();

private:
    enum class Kind
    {
        PickAndPlace,
        PartList
    };

    void run(Kind kind);
    // True when written, when the options dialog was cancelled, or when there is nothing to
    // export in layer mode.
    bool exportTo(const QString& path, Kind kind, QString* error);

    QWidget* m_parent;
    Document& m_document;
    QString& m_lastDirectory;
};
