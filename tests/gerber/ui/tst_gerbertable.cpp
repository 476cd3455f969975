// The layer side of the main window as a user meets it: the Gerber-mode rows with their table,
// its requests, the slot delete actions, the layer export and the render progress.
#include "datatable.h"
#include "gerber/gerberlayer.h"
#include "gerber/layerrows.h"
#include "gerber/layerset.h"
#include "gerber/ui/gerbertable.h"
#include "ui_mainwindow.h"
#include "view/ui/darstellg.h"
#include "windowfixture.h"

#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QByteArray goodGerber = "%FSLAX34Y34*%\n%MOMM*%\n%ADD10C,1*%\nD10*\nX10000Y10000D03*\nM02*\n";
const QByteArray drill = "M48\nMETRIC,TZ\nT1C0.8\n%\nT1\nX010000Y010000\nM30\n";

GerberLayer* row(MainWindow& w, int r)
{
    return w.view()->layers().layer(LayerList::GerberMode, r);
}

// Imports a file into the first free row from the selected one, as "Import..." > "Gerber" does.
void importGerber(MainWindow& w, ScriptedPrompt& p, const QString& path)
{
    p.fileAnswers.enqueue(path);
    w.form()->actionGerber->trigger();
}

} // namespace

class TstGerberTable : public QObject
{
    Q_OBJECT

private slots:
    void importFillsFreeRowsAndRefusesWhenFull()
    {
        QTemporaryDir dir;
        auto&& [home, p, w] = WindowUnderTest();
        w.switchGerberPnP();
        const QString file = writeFile(dir, "a;b+c.gbr", goodGerber);
        importGerber(w, p, file);
        QCOMPARE(
            w.form()->gerber_table->item(0, GerberTable::NameColumn)->text(), QStringLiteral("a_b_c.gbr"));
        // The last row filled, nothing is free after it.
        w.form()->gerber_table->setCurrentCell(254, 0);
        importGerber(w, p, file);
        p.calls.clear();
        w.form()->gerber_table->setCurrentCell(254, 0);
        w.form()->actionGerber->trigger();
        QVERIFY(p.callsOf("open").isEmpty());
        QCOMPARE(p.said("warning"), QStringList { "Error: All (following) Fields are in use" });
    }

    // A file that does not read leaves the row free: it is not saved as a used row.
    void failedImportLeavesRowFree()
    {
        QTemporaryDir dir;
        auto&& [home, p, w] = WindowUnderTest();
        w.switchGerberPnP();
        importGerber(w, p, writeFile(dir, "cut.gbr", "%FSLAX34Y34*%\n%MOMM*%\n%ADD10C,1*%\nD10*\n"));
        QCOMPARE(p.said("warning"), QStringList { "Error: An error occured while loading the file" });
        QVERIFY(p.callsOf("warning").first().detail.contains(QStringLiteral("cut.gbr"))
            && !LayerRows::inUse(*row(w, 0)));
    }

    void renameCleansSeparators()
    {
        QTemporaryDir dir;
        auto&& [home, p, w] = WindowUnderTest();
        w.switchGerberPnP();
        importGerber(w, p, writeFile(dir, "top.gbr", goodGerber));
        w.form()->gerber_table->item(0, GerberTable::NameColumn)->setText(QStringLiteral("a;b+c"));
        QCOMPARE(row(w, 0)->fileName, QStringLiteral("a_b_c"));
        // An empty row keeps its empty name.
        w.form()->gerber_table->item(3, GerberTable::NameColumn)->setText(QStringLiteral("x"));
        QVERIFY(row(w, 3)->fileName.isEmpty()
            && w.form()->gerber_table->item(3, GerberTable::NameColumn)->text().isEmpty());
    }

    // A drill row is written back with the drill dialog; cancelling writes nothing.
    void exportWritesStoredLines()
    {
        QTemporaryDir dir;
        auto&& [home, p, w] = WindowUnderTest();
        w.switchGerberPnP();
        p.fileAnswers.enqueue(writeFile(dir, "board.drl", drill));
        p.dialogHandlers.enqueue([](QDialog*) { return int(QDialog::Accepted); });
        w.form()->actionDrill->trigger();
        QVERIFY(LayerRows::inUse(*row(w, 0)));
        GerberTable* table = w.form()->gerber_table;
        const QString out = dir.filePath(QStringLiteral("out.drl"));
        for (const QString& answer : { QString(), out }) {
            p.fileAnswers.enqueue(answer);
            table->setCurrentCell(0, 0);
            table->exportGerber();
            runTicks(w, 1);
        }
        const QList<ScriptedPrompt::Call> saves = p.callsOf("save");
        QCOMPARE(saves.size(), 2);
        QCOMPARE(saves.first().title + " | " + saves.first().filter,
            QStringLiteral("Export Excellon Drill File | Excellon Drill File (*.drl)"));
        QVERIFY(saves.first().text.endsWith(QStringLiteral("/board.drl")) && p.callsOf("warning").isEmpty());
        QCOMPARE(readFile(out), drill);
        // No row: nothing asked.
        table->setCurrentCell(-1, -1);
        table->exportGerber();
        runTicks(w, 1);
        QCOMPARE(p.callsOf("save").size(), 2);
    }

    void moveRowIntoSlot()
    {
        QTemporaryDir dir;
        auto&& [home, p, w] = WindowUnderTest();
        w.switchGerberPnP();
        importGerber(w, p, writeFile(dir, "paste.gbr", goodGerber));
        GerberTable* table = w.form()->gerber_table;
        const GerberLayer* before = w.view()->layers().slot(false, LayerSlot::Paste);
        // An empty row does not blank the slot.
        table->setCurrentCell(5, 0);
        table->bottomPaste();
        runTicks(w, 1);
        QCOMPARE(w.view()->layers().slot(false, LayerSlot::Paste), before);
        table->setCurrentCell(0, 0);
        table->bottomPaste();
        runTicks(w, 1);
        const GerberLayer* moved = w.view()->layers().slot(false, LayerSlot::Paste);
        QCOMPARE(moved->fileName, QStringLiteral("paste.gbr"));
        QVERIFY(moved->color == before->color && table->targetSlot == -1);
        w.view()->waitForRenders();
        // Remove frees the row and keeps its colour; a row of -1 is ignored.
        const QColor colour = row(w, 0)->color;
        table->setCurrentCell(-1, -1);
        table->removeEntryGerber();
        runTicks(w, 1);
        QVERIFY(LayerRows::inUse(*row(w, 0)));
        table->setCurrentCell(0, 0);
        table->removeEntryGerber();
        runTicks(w, 1);
        QVERIFY(!LayerRows::inUse(*row(w, 0)) && !row(w, 0)->visible && row(w, 0)->color == colour);
    }

    // Files dropped on the view: a drill file into the Drill slot, Gerber files into the first
    // empty slots; in Gerber mode (dropped on the table) into free rows from the drop row.
    void droppedFilesLoad()
    {
        QTemporaryDir dir;
        auto&& [home, p, w] = WindowUnderTest();
        p.dialogHandlers.enqueue([](QDialog*) { return int(QDialog::Accepted); });
        p.questionAnswers.enqueue(QMessageBox::Yes); // the hole lies off the one-flash copper: keep it
        emit w.view()->filesDropped({ writeFile(dir, "a.gbr", goodGerber), writeFile(dir, "b.drl", drill),
            writeFile(dir, "c.gbr", goodGerber) });
        const LayerSet& layers = w.view()->layers();
        QCOMPARE(QStringList({ layers.slot(true, LayerSlot::Signal)->fileName,
                     layers.slot(true, LayerSlot::Mask)->fileName,
                     layers.slot(true, LayerSlot::Drill)->fileName }),
            QStringList({ "a.gbr", "c.gbr", "b.drl" }));
        w.view()->waitForRenders();

        w.switchGerberPnP();
        GerberTable* table = w.form()->gerber_table;
        table->setCurrentCell(10, 0);
        table->droppedFiles = QStringList { writeFile(dir, "d;1.gbr", goodGerber) };
        table->filesDropped = true;
        runTicks(w, 1);
        QCOMPARE(row(w, 10)->fileName, QStringLiteral("d_1.gbr"));
        QVERIFY(!table->filesDropped && p.callsOf("warning").isEmpty());
    }

    // Every "Move to" entry asks for its own side and slot, with the current row, and clears
    // the selection.
    void contextMenuEntriesRaiseRequests_data()
    {
        columns<QString, QString, int>("side", "entry", "slot");
        const char* entries[] = { "Drill", "Outline", "Silk", "Assy", "Paste", "Mask", "Signal" };
        for (const char* side : { "top", "bottom" })
            for (int i = 0; i < 7; ++i)
                QTest::addRow("%s %s", side, entries[i]) << side << entries[i] << 6 - i;
    }
    void contextMenuEntriesRaiseRequests()
    {
        QFETCH(QString, side);
        QFETCH(QString, entry);
        GerberTable table;
        table.refresh(LayerSet().list(LayerList::GerberMode));
        table.setCurrentCell(7, 0);
        QMenu* moveTo = table.contextMenu()->actions().at(2)->menu();
        QMenu* sideMenu = moveTo->actions().at(side == QLatin1String("top") ? 0 : 1)->menu();
        QCOMPARE(sideMenu->title(), side);
        QAction* action = nullptr;
        for (QAction* a : sideMenu->actions())
            if (a->text() == entry)
                action = a;
        QVERIFY(action);
        action->trigger();
        QTEST(table.targetSlot, "slot");
        QCOMPARE(table.sourceRow, 7);
        QCOMPARE(QVector<bool>({ table.moveToTopRequested, table.moveToBottomRequested }),
            QVector<bool>({ side == QLatin1String("top"), side == QLatin1String("bottom") }));
        QVERIFY(table.selectedItems().isEmpty());
    }

    // A slot load starts the render (the bar and the transforms while it runs: tst_mainwindow).
    // Layers read back from a project render in the background like freshly loaded ones.
    void layersRenderWithProgress()
    {
        QTemporaryDir dir;
        auto&& [home, p, w] = WindowUnderTest();
        p.fileAnswers.enqueue(writeFile(dir, "top.gbr", goodGerber));
        w.form()->actionTop->trigger();
        QCOMPARE(QPoint(w.view()->layers().slot(true, LayerSlot::Signal)->objects().size(),
                     w.view()->viewState().render.total),
            QPoint(1, 2));
        w.view()->waitForRenders();
        QTRY_COMPARE(w.view()->viewState().render.reached, 2);

        const QString project = dir.filePath(QStringLiteral("board.tvx"));
        p.fileAnswers.enqueue(project);
        w.form()->actionSpeichern_unter->trigger();
        QVERIFY(QFile::exists(project));
        p.fileAnswers.enqueue(project);
        w.form()->action_oeffnen->trigger();
        const GerberLayer* layer = w.view()->layers().slot(true, LayerSlot::Signal);
        QCOMPARE(QPoint(layer->objects().size(), w.view()->viewState().render.total), QPoint(1, 2));
        w.view()->waitForRenders();
        QVERIFY(!layer->busy);
        QCOMPARE(layer->cachedBounds[0], 2); // rendered: bounds of the 1 mm pad at (1, 1)
    }

    // A row's load button asks Gerber or Excellon, then the file, and loads into that row.
    void rowButtonLoadsIntoItsRow()
    {
        QTemporaryDir dir;
        auto&& [home, p, w] = WindowUnderTest();
        w.switchGerberPnP();
        p.dialogHandlers.enqueue([](QDialog* d) {
            d->findChild<QRadioButton*>(QStringLiteral("radioExcellon"))->setChecked(true);
            return int(QDialog::Accepted);
        });
        p.dialogHandlers.enqueue([](QDialog*) { return int(QDialog::Accepted); }); // number format
        p.fileAnswers.enqueue(writeFile(dir, "holes.drl", drill));
        auto* button
            = qobject_cast<QPushButton*>(w.form()->gerber_table->cellWidget(42, GerberTable::LoadColumn));
        QVERIFY(button);
        button->click();
        QCOMPARE(p.callsOf("exec").first().title + " | " + p.callsOf("open").first().filter,
            QStringLiteral("Import Layer | Drill File (*.*)"));
        QVERIFY(!row(w, 42)->excellonLines.isEmpty() && row(w, 42)->visible);
        // Its visibility box hides it again.
        auto* box
            = qobject_cast<QCheckBox*>(w.form()->gerber_table->cellWidget(42, GerberTable::VisibleColumn));
        QVERIFY(box && box->isChecked());
        box->click();
        QVERIFY(!row(w, 42)->visible);
    }

    void deleteActionsColours()
    {
        auto&& [home, p, w] = WindowUnderTest();
        w.form()->actionDelete_Assy->trigger();
        QCOMPARE(w.view()->layers().slot(true, LayerSlot::Assy)->color, QColor(255, 255, 255));
        // The slot's default colour is the layer colour row of its number (3: grey).
        w.form()->actionDelAssy->trigger();
        QCOMPARE(w.view()->layers().slot(true, LayerSlot::Assy)->color, QColor(150, 150, 150));
        // Nothing is deleted in Gerber mode.
        w.switchGerberPnP();
        w.form()->actionDelete_Assy->trigger();
        QCOMPARE(w.view()->layers().slot(true, LayerSlot::Assy)->color, QColor(150, 150, 150));
    }
};

QTEST_MAIN(TstGerberTable)
#include "tst_gerbertable.moc"
