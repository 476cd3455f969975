#include "datatable.h"
#include "model/documenthistory.h"

#include <QtTest>

// A script of edits on a document with its history, then what the history and the document
// show. Words: add (a placement, its own step), move (every placement +1 in x), name (board
// name of the shown side), swap (the selected placement to the other side), select (selection
// only), noop (an edit that changes nothing), [ ] (a group "Group" around the words between),
// u r (undo, redo), save (the clean position). The document shows a board name only when it is
// not the default.
class TstUndoHistory : public QObject
{
    Q_OBJECT
private slots:
    void script_data();
    void script();
};

namespace {

QString dump(const Document& doc)
{
    QStringList parts;
    for (bool top : { true, false }) {
        QStringList side;
        for (const PnPEntry* e : doc.side(top).placements)
            side << e->refDes() + ":" + QString::number(e->x());
        const QString name = doc.side(top).board.name();
        parts << side.join(',') + (name == QLatin1String("unbenannt") ? QString() : "/" + name);
    }
    return parts.join('|');
}

void run(Document& doc, DocumentHistory& recorder, const QString& word, int& added)
{
    if (word == "add") {
        auto* e = new PnPEntry(QString("R%1").arg(++added), "0603", 0, 0, "top", 0, "1k", "1", "");
        e->setSelected(true);
        doc.appendEntry(e);
    } else if (word == "move") {
        doc.editEntries(doc.currentList(), [](PnPEntry& e) { e.setX(e.x() + 1); });
    } else if (word == "name") {
        doc.editBoardField(BoardField::Name, "B" + QString::number(added));
    } else if (word == "swap") {
        doc.switchPnPside();
    } else if (word == "select") {
        doc.clearSelection();
    } else if (word == "noop") {
        doc.edit("nothing", Change::Placements | Change::Board, [](BoardSide&) {});
    } else if (word == "[") {
        doc.beginGroup("Group");
    } else if (word == "]") {
        doc.endGroup("Group");
    } else if (word == "u") {
        recorder.undo();
    } else if (word == "r") {
        recorder.redo();
    } else if (word == "save") {
        doc.setModified(false);
        recorder.markSaved();
    }
}

} // namespace

void TstUndoHistory::script_data()
{
    columns<QString, int, qint64, int, QString, bool, QString>(
        "words", "maxSteps", "maxBytes", "steps", "undoName", "modified", "document");

    const qint64 big = qint64(1) << 30;
    row("each edit a step", "add add move", 100, big, 3, "Edit placements", true, "R1:1,R2:1|");
    row("undo back to empty", "add add move u u u", 100, big, 3, "", false, "|");
    row("redo after undo", "add move name u u r", 100, big, 3, "Edit placements", true, "R1:1|");
    row("group is one step", "add [ move name move ] u", 100, big, 2, "Add placement", true, "R1:0|");
    row("group redone", "add [ move name move ] u r", 100, big, 2, "Group", true, "R1:2/B1|");
    row("both sides", "add add swap u", 100, big, 3, "Add placement", true, "R1:0,R2:0|");
    row("both sides redone", "add add swap u r", 100, big, 3, "Switch side", true, "|R1:0,R2:0");
    row("selection and no-op not recorded", "add select noop [ select noop ]", 100, big, 1, "Add placement",
        true, "R1:0|");
    row("new step drops redo", "add add u move", 100, big, 2, "Edit placements", true, "R1:1|");
    row("count limit", "add add add add u u u u", 2, big, 2, "", true, "R1:0,R2:0|");
    row("byte limit keeps the last", "add add add u u", 100, qint64(1), 1, "", true, "R1:0,R2:0|");
    row("undo to saved is clean", "add save move u", 100, big, 2, "Add placement", false, "R1:0|");
    row("undo past saved", "add save move u u", 100, big, 2, "", true, "|");
    row("redo back to saved", "add save u r", 100, big, 1, "Add placement", false, "R1:0|");
    row("saved state kept by limit", "add save add add u u", 2, big, 2, "", false, "R1:0|");
    row("saved state dropped by limit", "save add add add u u", 2, big, 2, "", true, "R1:0|");
}

void TstUndoHistory::script()
{
    QFETCH(QString, words);
    QFETCH(int, maxSteps);
    QFETCH(qint64, maxBytes);
    Document doc;
    UndoHistory history(maxSteps, maxBytes);
    DocumentHistory recorder(doc, history);
    int added = 0;
    for (const QString& word : words.split(' '))
        run(doc, recorder, word, added);
    QTEST(history.count(), "steps");
    QTEST(history.undoName(), "undoName");
    QTEST(doc.isModified(), "modified");
    QTEST(dump(doc), "document");
}

QTEST_GUILESS_MAIN(TstUndoHistory)
#include "tst_undohistory.moc"
