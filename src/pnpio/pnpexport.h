#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class PnPEntry;

// Choices of the export options dialog (topbottomboth), shared by both CSV exports
// and by the command-line converter. The defaults are the dialog's defaults.
struct PnPExportOptions
{
    // Which stored side lists are written, in the dialog's stored numbering.
    enum Side
    {
        Both = 0,
        Top = 1,
        Bottom = 2
    };

    int side = Both; // Both: all top entries, then all bottom entries
    bool machine = true; // include entries with exec "1"
    bool hand = true; // include entries with exec "2"
    bool tht = true; // include entries with exec "3"
    bool none = true; // include entries with exec "0" ("No Placement")
    // Boards per panel; multiplies the part-list quantities. Valid range 1..9999999;
    // values outside it are brought into it. The pick-and-place list ignores it.
    int panels = 1;

    static constexpr int maxPanels = 9999999;

    // True when an entry of this execute kind is exported. Any text other than
    // "0".."3" is never exported.
    bool includesExec(const QString& exec) const;
};

// The entries to export in file order: the chosen stored side list(s), top before
// bottom for Both, filtered by execute kind. Null pointers in the lists are skipped.
QList<const PnPEntry*> exportSequence(
    const QList<PnPEntry*>& top, const QList<PnPEntry*>& bottom, const PnPExportOptions& options);

// Contents of the pick-and-place list, the layout the own-CSV importer reads back:
//   RefDes;Name;X (mm);Y (mm);Side;Rotate;Value;Comment;Execute\n
// then one line per exported entry. X and Y are written with six significant digits
// and a decimal comma ("12,5"); the rotation keeps its decimal point ("90.5").
// A ";" inside any text field is written as "," so every line keeps nine fields.
QByteArray pickAndPlaceListText(
    const QList<PnPEntry*>& top, const QList<PnPEntry*>& bottom, const PnPExportOptions& options);

// Contents of the part list:
//   Quantity;RefDes;Value;Name\n
// then one line per group of equal value and name: count x panels, the group's
// designators sorted case-sensitively in plain character order and joined by ",",
// then value and name. Groups appear in the order of their first entry in the
// export sequence. A ";" inside a text field is written as ",".
QByteArray partListText(
    const QList<PnPEntry*>& top, const QList<PnPEntry*>& bottom, const PnPExportOptions& options);

// Writers: replace the file at path atomically with the text above (UTF-8).
// Return true on success. On failure return false, leave any existing file at path
// exactly as it was, and put a one-line reason naming the file into *errorText
// (when given). They never open a dialog; the caller asks for the options.
bool writePickAndPlaceList(const QString& path, const QList<PnPEntry*>& top, const QList<PnPEntry*>& bottom,
    const PnPExportOptions& options, QString* errorText = nullptr);
bool writePartList(const QString& path, const QList<PnPEntry*>& top, const QList<PnPEntry*>& bottom,
    const PnPExportOptions& options, QString* errorText = nullptr);
