#include "dialogfit.h"
#include "documentsetup.h"
#include "settings/ui/search_dlg.h"
#include "tables/ui/new_pnp_dlg.h"
#include "ui_mainwindow.h"
#include "view/ui/darstellg.h"
#include "windowfixture.h"

#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>

namespace {

// The action at the end of a path of menu texts ("Split in", "2").
QAction* menuEntry(QMenu* menu, const QStringList& path)
{
    for (int i = 0; i < path.size(); ++i) {
        QAction* found = nullptr;
        emit menu->aboutToShow();
        for (QAction* a : menu->actions())
            if (a->text() == path.at(i))
                found = a;
        if (!found || i == path.size() - 1)
            return found;
        menu = found->menu();
    }
    return nullptr;
}

void choose(QMenu* menu, const QStringList& path)
{
    QAction* a = menuEntry(menu, path);
    QVERIFY2(a, qPrintable(path.join(" > ")));
    a->trigger();
}

// Board with "refDes:value:name" entries on the top side, tables built.
struct Board
{
    TemporaryHome home;
    ScriptedPrompt prompt;
    MainWindow w;
    PNPlist* pnp = w.form()->pickandplacepositionen;
    Partlist* parts = w.form()->teile;
    Document& doc = w.view()->document();

    explicit Board(const QString& entries)
    {
        double x = 0;
        for (const QString& s : entries.split(' ')) {
            const QStringList f = s.split(':');
            doc.appendEntry(new PnPEntry(f[0], f[2], x += 1, 0, "top", 0, f[1], "1", ""));
        }
        w.tables().createLists();
        runTicks(w);
    }
    QString column(QTableWidget* t, int c) const
    {
        QStringList out;
        for (int r = 0; r < t->rowCount(); ++r)
            out << t->item(r, c)->text();
        return out.join(' ');
    }
    void type(QTableWidget* t, int row, int c, const QString& text) { t->item(row, c)->setText(text); }
};

const QString board = "R1:10k:0603 R2:1k:0603 C1:100n:0402 R10:10k:0603 R3:1k:0603 C2:100n:0402";

} // namespace

class TstTableWindow : public QObject
{
    Q_OBJECT
private slots:
    void createListsFillsBothTables()
    {
        Board b(board);
        QCOMPARE(QStringList({ b.column(b.pnp, 0), b.column(b.pnp, 3), b.column(b.parts, 0),
                     b.column(b.parts, 1), b.w.form()->exec1cnt->text() }),
            QStringList(
                { "R1 R2 C1 R10 R3 C2", "1,00 2,00 3,00 4,00 5,00 6,00", "2 2 2", "10k 1k 100n", "6" }));
    }

    // Readable on a small screen: a column grows to fit its header and its longest number, a
    // width the user dragged survives rebuilding the rows, and fiducial fields show whole values.
    void tablesAndFieldsShowWholeTexts()
    {
        Board b("R1:100nF/50V/X7R:CAP_0603_1608Metric R2:1k:0603 MMMMMMMMMM:1k:0603");
        b.doc.currentList().first()->setX(-1234.5678);
        b.w.tables().createLists();
        b.w.show();
        for (QTableWidget* t : { static_cast<QTableWidget*>(b.pnp), static_cast<QTableWidget*>(b.parts) }) {
            const QFontMetrics fm(t->font());
            for (int c = 0; c < t->columnCount(); ++c) {
                QVERIFY2(t->columnWidth(c) >= t->horizontalHeader()->sectionSizeHint(c),
                    qPrintable(t->horizontalHeaderItem(c)->text() + " header cut"));
                for (int r = 0; r < t->rowCount(); ++r)
                    QVERIFY2(t->columnWidth(c) > fm.horizontalAdvance(t->item(r, c)->text()),
                        qPrintable(t->item(r, c)->text() + " cut"));
            }
        }
        b.pnp->horizontalHeader()->resizeSection(2, 150);
        b.pnp->horizontalHeader()->resizeSection(3, 50);
        b.w.tables().createLists();
        QCOMPARE(b.pnp->columnWidth(2), 150);
        QCOMPARE(b.pnp->columnWidth(3), 50);

        for (QDoubleSpinBox* box :
            b.w.form()->boardStuff->findChildren<QDoubleSpinBox*>(QRegularExpression("^Fiducial"))) {
            for (const double v : { 206.5, -999.999 }) {
                box->setValue(v);
                const QLineEdit* field = box->findChild<QLineEdit*>();
                QVERIFY2(field->width() > field->fontMetrics().horizontalAdvance(field->text()) + 4,
                    qPrintable(QStringLiteral("%1: %2 cut (%3 px for %4)")
                                   .arg(box->objectName(), field->text())
                                   .arg(field->width())
                                   .arg(field->fontMetrics().horizontalAdvance(field->text()))));
            }
        }
    }

    void cellEditsAreCheckedAndShown()
    {
        Board b(board);
        b.type(b.pnp, 0, 3, "12,5");
        QVERIFY(b.doc.currentList().at(0)->x() == 12.5 && b.pnp->item(0, 3)->text() == "12,5");
        b.type(b.pnp, 0, 5, "45.5");
        QCOMPARE(b.prompt.said("warning"), QStringList { "Error: Only positive integers are allowed" });
        QCOMPARE(b.pnp->item(0, 5)->text(), QStringLiteral("0"));
        b.type(b.pnp, 1, 1, "10k");
        QCOMPARE(b.column(b.parts, 0), QStringLiteral("3 2 1"));
        QVERIFY(b.doc.isModified());
    }

    void sideEditMovesTheEditedRowOnly()
    {
        Board b(board);
        b.pnp->selectRow(0);
        b.type(b.pnp, 2, 9, "BOTTOM");
        runTicks(b.w);
        QCOMPARE(b.column(b.pnp, 0), QStringLiteral("R1 R2 R10 R3 C2"));
        QCOMPARE(b.column(b.pnp, 9), QStringLiteral("top top top top top"));
        QCOMPARE(refs(b.doc.side(false).placements), QStringList("C1"));
    }

    void partCellRenamesTheRowsGroupHoweverEditStarted()
    {
        Board b(board);
        b.type(b.parts, 0, 2, "0805");
        runTicks(b.w);
        QCOMPARE(b.column(b.pnp, 2), QStringLiteral("0805 0603 0402 0805 0603 0402"));
        b.type(b.parts, 1, 0, "99");
        QCOMPARE(b.parts->item(1, 0)->text(), QStringLiteral("2"));
    }

    void selectionFollowsBothWays()
    {
        Board b(board);
        b.parts->selectRow(0);
        emit b.parts->cellClicked(0, 1);
        QVERIFY(b.pnp->selectedRowNumbers() == QList<int>({ 0, 3 }) && b.doc.selectedEntries().size() == 2);
        b.pnp->selectRow(2);
        emit b.pnp->cellClicked(2, 0);
        QCOMPARE(b.parts->selectedRowNumbers(), QList<int>({ 2 }));
        QCOMPARE(b.doc.selectedEntries(), QList<PnPEntry*>({ b.doc.currentList().at(2) }));
    }

    void headerClicksSortAscendingThenDescending()
    {
        Board b(board);
        b.pnp->horizontalHeader()->sectionClicked(0);
        QCOMPARE(b.column(b.pnp, 0), QStringLiteral("C1 C2 R1 R2 R3 R10"));
        b.pnp->horizontalHeader()->sectionClicked(0);
        QCOMPARE(b.column(b.pnp, 0), QStringLiteral("R10 R3 R2 R1 C2 C1"));
    }

    void splitAndPrintFromThePartMenu()
    {
        Board b(board);
        b.parts->selectRow(0);
        choose(b.parts->contextMenu(), { "Split in", "2" });
        runTicks(b.w);
        QCOMPARE(b.column(b.parts, 2), QStringLiteral("0603_1 0603 0402 0603_2"));
        b.parts->selectRow(1);
        choose(b.parts->contextMenu(), { "Print", "Label" });
        runTicks(b.w);
        QCOMPARE(b.prompt.callsOf("print").size(), 1);
    }

    void deleteRemovesTheSelectedRowsHighestFirst()
    {
        Board b(board);
        b.pnp->selectRows({ 1, 4 });
        choose(b.pnp->contextMenu(), { "delete" });
        runTicks(b.w);
        QCOMPARE(b.column(b.pnp, 0), QStringLiteral("R1 C1 R10 C2"));
    }

    void requestsWithoutSelectionDoNothing()
    {
        Board b(board);
        b.doc.setModified(false);
        for (const QStringList& path : { QStringList { "Rotate", "90°" }, QStringList { "delete" },
                 QStringList { "Execute", "THT" }, QStringList { "placed" } })
            choose(b.pnp->contextMenu(), path);
        for (const QStringList& path : { QStringList { "Rotate", "90°" }, QStringList { "Split in", "2" },
                 QStringList { "Print", "Label" }, QStringList { "Execute", "SMD" } })
            choose(b.parts->contextMenu(), path);
        runTicks(b.w);
        QCOMPARE(b.column(b.pnp, 7), QStringLiteral("1 1 1 1 1 1"));
        QVERIFY(b.pnp->rowCount() == 6 && !b.doc.isModified() && b.prompt.calls.isEmpty());
    }

    void newEntryOnlyWhenAccepted()
    {
        Board b(board);
        choose(b.pnp->contextMenu(), { "new" });
        runTicks(b.w);
        QCOMPARE(b.pnp->rowCount(), 6);
        b.prompt.dialogHandlers.enqueue([](QDialog* d) {
            d->findChild<QLineEdit*>("refDes")->setText("U7");
            d->findChild<QLineEdit*>("name")->setText("SO 8"); // a space is refused
            d->findChild<QSpinBox*>("rotation")->setValue(90);
            return int(QDialog::Accepted);
        });
        choose(b.pnp->contextMenu(), { "new" });
        runTicks(b.w);
        QCOMPARE(b.pnp->rowCount(), 7);
        QCOMPARE(
            QStringList({ b.pnp->item(6, 0)->text(), b.pnp->item(6, 2)->text(), b.pnp->item(6, 5)->text() }),
            QStringList({ "U7", "Unbenannt", "90" }));
        QCOMPARE(b.prompt.callsOf("exec").last().title, QStringLiteral("New Pick-and-Place"));
    }

    void rebuildAskedForDuringABuildRunsAfterIt()
    {
        Board b(board);
        for (int i = 0; i < 300; ++i)
            b.doc.appendEntry(new PnPEntry("R", "N", 0, 0, "top", 0, "V", "1", ""));
        // Runs while the build processes events (every 100 rows): it changes the list and asks
        // for a rebuild, which must neither be lost nor change the rows being built.
        QTimer::singleShot(0, &b.w, [&b] {
            b.doc.appendEntry(new PnPEntry("LATE", "N", 0, 0, "top", 0, "V", "1", ""));
            b.w.tables().createLists();
        });
        b.w.tables().createLists();
        QVERIFY(b.pnp->rowCount() == 307 && b.pnp->item(306, 0)->text() == "LATE");
    }

    void viewMenuActsAtOnce()
    {
        Board b(board);
        b.doc.currentList().at(1)->setSelected(true);
        choose(b.w.tables().viewContextMenu(), { "Execute", "THT" });
        QCOMPARE(
            b.column(b.pnp, 7) + " | " + b.w.form()->exec3cnt->text(), QStringLiteral("1 3 1 1 1 1 | 1"));
        QVERIFY(b.doc.selectedEntries().isEmpty());
        b.doc.currentList().at(0)->setSelected(true);
        choose(b.w.tables().viewContextMenu(), { "Rotate", "270°" });
        QCOMPARE(b.pnp->item(0, 5)->text(), QStringLiteral("270"));
        choose(b.w.tables().viewContextMenu(), { "placed" });
        QVERIFY(b.doc.currentList().at(0)->placed());
        QCOMPARE(b.column(b.parts, 0), QStringLiteral("2 2 1")); // the placed R1 is hidden
    }

    void newEntryDialogShowsAllItsTexts()
    {
        New_PnP_dlg d;
        QCOMPARE(cutTexts(d, "new_pnp_dlg"), QStringList());
    }

    void machineMenuAssignsAndDims()
    {
        Board b(board);
        b.w.form()->lineselect->addItem("1");
        b.w.form()->comboBox->clear();
        b.w.form()->comboBox->addItems({ "(none)", "Topaz", "Opal" });
        b.w.form()->comboBox->setCurrentIndex(1);
        b.pnp->selectRows({ 0, 2 });
        choose(b.pnp->contextMenu(), { "assign to Machine...", "Topaz" });
        runTicks(b.w);
        QCOMPARE(
            b.column(b.pnp, 10) + " | " + b.column(b.pnp, 11), QStringLiteral("1 0 1 0 0 0 | 1 0 1 0 0 0"));
        QCOMPARE(b.pnp->item(1, 0)->foreground().color(), QColor(96, 96, 96));
        QVERIFY(b.doc.currentList().at(0)->onSelectedMachine()
            && !b.doc.currentList().at(1)->onSelectedMachine());
        // Switching machines recolours the rows both ways.
        const auto colours = [&] {
            return QList<QColor> { b.pnp->item(0, 3)->foreground().color(),
                b.pnp->item(1, 3)->foreground().color() };
        };
        b.w.form()->comboBox->setCurrentIndex(2);
        QCOMPARE(colours(), QList<QColor>({ QColor(96, 96, 96), QColor(96, 96, 96) }));
        b.w.form()->comboBox->setCurrentIndex(1);
        QCOMPARE(colours(), QList<QColor>({ Qt::white, QColor(96, 96, 96) }));
    }

    void findNowLocatesAHitOnTheOtherSide()
    {
        Board b(board);
        b.w.view()->resize(400, 300);
        b.pnp->selectRow(5);
        emit b.pnp->cellClicked(5, 0);
        choose(b.pnp->contextMenu(), { "switch side" });
        runTicks(b.w);
        b.w.tables().searchField()->setText("c2");
        b.w.findChild<QPushButton*>("findNowButton")->click();
        Search_dlg* search = b.w.tables().searchDialog();
        QCOMPARE(search->hitCount(), 1);
        search->findChild<QListWidget*>("result_box")->setCurrentRow(0);
        runTicks(b.w);
        QVERIFY(!b.w.view()->document().activeSideIsTop() && b.doc.currentList().at(0)->selected());
        QVERIFY(b.pnp->selectedRowNumbers() == QList<int>({ 0 }) && search->locatedIndex() == -1);
    }

    // A new document forgets the search hits: their placements are gone.
    void newDocumentForgetsSearchHits()
    {
        Board b(board);
        b.w.tables().searchField()->setText("C1");
        b.w.findChild<QPushButton*>("findNowButton")->click();
        QVERIFY(b.w.tables().searchDialog()->hitCount() > 0);
        b.prompt.questionAnswers.enqueue(QMessageBox::No);
        b.w.form()->actionNeu->trigger();
        QCOMPARE(b.w.tables().searchDialog()->hitCount(), 0);
    }
};

QTEST_MAIN(TstTableWindow)
#include "tst_tablewindow.moc"
