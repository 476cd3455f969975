// Undo and redo through the window: each kind of edit taken back gives the document it was
// before, and done again the one after; the modified flag follows the history.
#include "datatable.h"
#include "gerber/gerberlayer.h"
#include "gerber/layerset.h"
#include "line/feederhandover.h"
#include "line/ui/linie_dlg.h"
#include "model/version.h"
#include "project/projectfile.h"
#include "tables/ui/pnplist.h"
#include "ui_mainwindow.h"
#include "view/ui/darstellg.h"
#include "windowfixture.h"

#include <QAction>
#include <QLineEdit>
#include <QSpinBox>
#include <cmath>

namespace {

const QString data = QStringLiteral(TESSAVRANT_TESTDATA_DIR "/fab/");

// The project text as a save writes it (the machines' feeder lists collected first) and the
// layers' images.
QString state(MainWindow& w)
{
    Document& doc = w.view()->document();
    FeederData feeders = doc.feederData();
    FeederHandOver::collect(feeders, w.feeders().lineDialog()->lines());
    doc.setFeederData(feeders);
    QString text = QString::fromLatin1(projectText(doc, w.view()->layers(), {}));
    for (const GerberLayer* layer : w.view()->layers().list(LayerList::Top))
        for (const ImageObject* o : layer->objects())
            text += QString::asprintf("%.6f %.6f\n", o->x, o->y);
    return text;
}

QAction* entry(MainWindow& w, const char* name)
{
    return w.findChild<QAction*>(name);
}

void perform(MainWindow& w, ScriptedPrompt& scripted, const QString& what)
{
    Ui::MainWindow& f = *w.form();
    const QMap<QString, QAction*> entries { { "rotate", f.actionRotate }, { "mirror", f.actionMirror },
        { "clear layer", f.actionDelSignal }, { "generate", f.actionGenerate_Feederlist },
        { "optimize", f.actionTOPAZ_OPAL_single_CAM }, { "unplace", f.actionUnplace_all } };
    if (what == "rotate")
        scripted.dialogHandlers.enqueue([](QDialog*) { return int(QDialog::Accepted); });
    if (entries.contains(what)) {
        entries[what]->trigger();
    } else if (what == "shift") {
        scripted.dialogHandlers.enqueue([](QDialog* d) {
            d->findChild<QLineEdit*>("shiftValue")->setText("2");
            d->accept();
            return d->result();
        });
        f.actionShiftX->trigger();
    } else if (what == "load" || what == "load top") {
        scripted.fileAnswers.enqueue(data + (what == "load" ? "ada-bottom.gbr" : "ada-top.gbr"));
        f.actionTop->trigger();
    } else if (what == "cell") {
        f.pickandplacepositionen->item(0, 3)->setText("7");
    } else if (what == "delete") {
        f.pickandplacepositionen->requests.rowsToDelete = { 1 };
        f.pickandplacepositionen->requests.deleteRows = true;
    } else if (what == "origins") {
        scripted.dialogHandlers.enqueue([](QDialog* d) {
            d->findChild<QSpinBox*>("columnCnt")->setValue(2);
            d->accept();
            return d->result();
        });
        f.actionGenerate_origin->trigger();
    } else if (what == "panelize") {
        scripted.dialogHandlers.enqueue([](QDialog* d) {
            d->findChild<QSpinBox*>("spinBox_Columns")->setValue(2);
            return int(QDialog::Accepted);
        });
        f.actionPanelize->trigger();
    } else if (what == "fiducial") {
        w.view()->document().edit(
            {}, Change::Selection, [](BoardSide& side) { side.placements[0]->setSelected(true); });
        f.pickandplacepositionen->requests.toFiducial = 3;
    } else if (what == "board") {
        f.boardName->setText("renamed");
        emit f.boardName->editingFinished();
    } else if (what == "drag" || what == "draw") {
        // The board view shows world (0, 0) at (300, height - 300), 10 pixels per mm.
        w.resize(1400, 1000);
        w.panelLayout().apply();
        ViewState& s = w.view()->viewState();
        s.offsetX = 300;
        s.offsetY = -300;
        const auto at = [&](double x, double y) {
            return QPoint(s.offsetX + int(std::lround(s.zoomLevel * x)),
                w.view()->height() + s.offsetY - int(std::lround(s.zoomLevel * y)));
        };
        w.view()->document().edit(
            {}, Change::Selection, [](BoardSide& side) { side.placements[1]->setSelected(true); });
        w.tools().selectTool(what == "drag" ? ToolMode::Movement : ToolMode::DrawRectangle);
        QTest::mousePress(w.view(), Qt::LeftButton, {}, at(0, 0));
        for (double d : { 2.0, 5.0 }) {
            QMouseEvent e(QEvent::MouseMove, at(d, d), w.view()->mapToGlobal(at(d, d)), Qt::NoButton,
                Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(w.view(), &e);
        }
        QTest::mouseRelease(w.view(), Qt::LeftButton, {}, at(5, 5));
    }
    w.view()->waitForRenders();
    runTicks(w);
}

// A line with one machine, three placements on it, a board size and a layer in the top Signal
// slot; the machine selected.
void setUp(MainWindow& w, ScriptedPrompt& scripted)
{
    runTicks(w);
    Document& doc = w.view()->document();
    for (const auto& [ref, x] : { std::pair { "R1", 10 }, { "R2", 0 }, { "R3", 1 } }) {
        auto* e = new PnPEntry(ref, "R0603", x, 0, "top", 0, "10k", "1", "");
        e->setLine(1);
        e->setMachine(1);
        e->setPlaced(true);
        doc.appendEntry(e);
    }
    doc.editBoardField(BoardField::Width, "50");
    doc.editBoardField(BoardField::Height, "40");
    perform(w, scripted, "load top");
    w.form()->comboBox->setCurrentIndex(1);
    w.tables().createLists();
    runTicks(w);
}

} // namespace

class TstMainWindowUndo : public QObject
{
    Q_OBJECT
private slots:
    void undoRestores_data()
    {
        // before: actions done first, not looked at
        columns<QStringList, QString, QString>("before", "action", "step");
        row("rotate board", QStringList(), "rotate", "Rotate Board");
        row("mirror board", QStringList(), "mirror", "Mirror Board");
        row("shift", QStringList(), "shift", "Pick-and-Place Shift");
        row("layer load", QStringList(), "load", "Load Layer");
        row("layer delete", QStringList(), "clear layer", "Delete Layer");
        row("feeder generation", QStringList(), "generate", "Set Part Dimensions");
        row("optimizer", QStringList { "generate" }, "optimize", "Optimizer");
        row("table cell", QStringList(), "cell", "Edit Placement");
        row("delete request", QStringList(), "delete", "Delete placements");
        row("board field", QStringList(), "board", "Edit Board Data");
        row("origin generator", QStringList(), "origins", "Generate Origin");
        row("panelize", QStringList(), "panelize", "Panelize");
        row("fiducial conversion", QStringList(), "fiducial", "Convert to Fiducial");
        row("unplace all", QStringList(), "unplace", "Unplace all");
        row("tool drag", QStringList(), "drag", "Move 1 placement");
        row("tool drawing", QStringList(), "draw", "Draw Rectangle");
        row("two transforms", QStringList { "rotate", "shift" }, "mirror", "Mirror Board");
    }

    void undoRestores()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, action);
        auto&& [home, scripted, w] = WindowUnderTest({ { "line.cfg", "Opal;1;0\n" },
            { "database.cfg", "#ASYS\n120 R0603\n#DBASE\n120 RES 1.6 0.8 0.45 1 8\n" } });
        setUp(w, scripted);
        for (const QString& a : before)
            perform(w, scripted, a);
        const QString was = state(w);
        perform(w, scripted, action);
        const QString is = state(w);
        QVERIFY(is != was);
        QTEST(entry(w, "actionUndo")->text().mid(5), "step");
        entry(w, "actionUndo")->trigger();
        QCOMPARE(state(w), was);
        QTEST(entry(w, "actionRedo")->text().mid(5), "step");
        entry(w, "actionRedo")->trigger();
        QCOMPARE(state(w), is);
    }

    void modifiedFollowsTheHistory()
    {
        auto&& [home, scripted, w] = WindowUnderTest();
        setUp(w, scripted);
        scripted.fileAnswers.enqueue(home.path() + "/board.tvx");
        w.form()->actionSpeichern_unter->trigger();
        runTicks(w);
        Document& doc = w.view()->document();
        QVERIFY(!doc.isModified());
        perform(w, scripted, "mirror");
        runTicks(w);
        QVERIFY(doc.isModified());
        QCOMPARE(shownTitle(w), QStringLiteral("board* - ") + Version::programText());
        entry(w, "actionUndo")->trigger();
        runTicks(w);
        QVERIFY(!doc.isModified());
        QCOMPARE(shownTitle(w), QStringLiteral("board - ") + Version::programText());
        QVERIFY(entry(w, "actionRedo")->isEnabled());
        entry(w, "actionRedo")->trigger();
        QVERIFY(doc.isModified());
        // New starts without steps.
        scripted.questionAnswers.enqueue(QMessageBox::No);
        w.form()->actionNeu->trigger();
        runTicks(w);
        QVERIFY(!entry(w, "actionUndo")->isEnabled() && !entry(w, "actionRedo")->isEnabled());
        QCOMPARE(entry(w, "actionUndo")->text(), QStringLiteral("Undo"));
    }
};

QTEST_MAIN(TstMainWindowUndo)
#include "tst_mainwindow_undo.moc"
