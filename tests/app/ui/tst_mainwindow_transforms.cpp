// The board and panel dialogs driven through the main window's menus, the origins table and
// the fiducial fields, as a user meets them.
#include "dialogfit.h"
#include "documentsetup.h"
#include "gerber/gerberlayer.h"
#include "gerber/gerberreader.h"
#include "gerber/ui/gerbertable.h"
#include "ui_mainwindow.h"
#include "view/ui/darstellg.h"
#include "windowfixture.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLineEdit>

namespace {

PnPEntry* placement(double x, double y, bool selected = false)
{
    auto* e = new PnPEntry("R1", "0603", x, y, "top", 0, "10k", "1", "");
    e->setSelected(selected);
    return e;
}

QList<QPointF> points(const GerberLayer& layer)
{
    QList<QPointF> out;
    for (const ImageObject* o : layer.objects())
        out << QPointF(o->x, o->y);
    return out;
}

} // namespace

class TstMainWindowTransforms : public QObject
{
    Q_OBJECT
private slots:
    // An invalid distance keeps the dialog open and the document untouched; "1,5" shifts.
    void shiftRefusesInvalidText()
    {
        auto&& [home, scripted, w] = WindowUnderTest();
        Document& doc = w.view()->document();
        doc.appendEntry(placement(10, 20));
        doc.setModified(false);
        const auto typeAndOk = [](const QString& text) {
            return [text](QDialog* d) {
                child<QLineEdit>(d, "shiftValue")->setText(text);
                d->accept();
                return d->isVisible() || d->result() != QDialog::Accepted ? QDialog::Rejected : d->result();
            };
        };
        scripted.dialogHandlers.enqueue(typeAndOk("1.5mm"));
        w.form()->actionShiftX->trigger();
        QCOMPARE(scripted.callsOf("exec").first().title, QStringLiteral("Shift X"));
        QCOMPARE(scripted.said("warning"),
            QStringList { "Invalid Characters: Your input contains invalid characters" });
        QVERIFY(!doc.isModified() && doc.currentList().first()->x() == 10.0);
        scripted.dialogHandlers.enqueue(typeAndOk("1,5"));
        w.form()->actionShiftY->trigger();
        QVERIFY(doc.currentList().first()->y() == 21.5 && doc.isModified());
    }

    // Over the cap the generator says so and stays open; a 3 x 2 grid fills the origins table
    // and, with "Generate PCB Size", the board size fields.
    void generatorFillsTheOriginsTable()
    {
        auto&& [home, scripted, w] = WindowUnderTest();
        QStringList cut;
        bool stayedOpen = false;
        scripted.dialogHandlers.enqueue([&](QDialog* d) {
            cut = cutTexts(*d, "origingenerator");
            child<QSpinBox>(d, "columnCnt")->setValue(100);
            child<QSpinBox>(d, "rowCnt")->setValue(11);
            d->accept();
            stayedOpen = d->isVisible();
            child<QSpinBox>(d, "columnCnt")->setValue(3);
            child<QSpinBox>(d, "rowCnt")->setValue(2);
            child<QDoubleSpinBox>(d, "sizeX")->setValue(50);
            child<QDoubleSpinBox>(d, "sizeY")->setValue(40);
            child<QDoubleSpinBox>(d, "xSpacing")->setValue(2.5);
            child<QCheckBox>(d, "genPCB")->setChecked(true);
            d->accept();
            return d->result();
        });
        w.form()->actionGenerate_origin->trigger();
        QVERIFY(cut.isEmpty() && stayedOpen);
        QCOMPARE(
            scripted.callsOf("warning").first().text, QStringLiteral("A panel can hold at most 1000 boards"));
        QTableWidget* table = w.form()->OriginsTable;
        QCOMPARE(table->rowCount(), 7);
        QCOMPARE(
            table->item(1, 0)->text() + " | " + w.form()->boardWidth->text(), QStringLiteral("52,5 | 155"));

        // The enable column takes only 0 or 1; a refused text gives way to the stored one.
        table->item(4, 2)->setText("2");
        QCOMPARE(scripted.callsOf("warning").last().text, QStringLiteral("Value can only be 0 or 1"));
        QCOMPARE(table->item(4, 2)->text(), QStringLiteral("1"));
        table->setItem(6, 1, new QTableWidgetItem("-3"));
        QCOMPARE(QPoint(w.view()->document().origins().size(), table->rowCount()), QPoint(7, 8));
    }

    // The second panelize starts from the single board; the layer table asks the same dialog.
    void panelizeStartsFromTheSingleBoard()
    {
        auto&& [home, scripted, w] = WindowUnderTest();
        editBoard(w.view()->document(), [&](BoardInfo& b) {
            b.setWidth(50);
            b.setHeight(40);
        });
        QStringList cut;
        scripted.dialogHandlers.enqueue([&](QDialog* d) {
            cut = cutTexts(*d, "panelize");
            child<QSpinBox>(d, "spinBox_Columns")->setValue(3);
            child<QSpinBox>(d, "spinBox_Rows")->setValue(2);
            return int(QDialog::Accepted);
        });
        w.form()->actionPanelize->trigger();
        QVERIFY(cut.isEmpty());
        QCOMPARE(w.form()->boardWidth->text(), QStringLiteral("150"));
        double presetWidth = 0;
        scripted.dialogHandlers.enqueue([&](QDialog* d) {
            presetWidth = child<QDoubleSpinBox>(d, "doubleSpinBox_width")->value();
            return int(QDialog::Rejected);
        });
        w.switchGerberPnP();
        w.form()->gerber_table->panelizeRequested = true;
        runTicks(w, 1);
        QVERIFY(scripted.callsOf("exec").last().title == "Panelize" && presetWidth == 50.0);
    }

    // A row turned in Gerber mode and moved to a side slot lands where the row showed it.
    void moveToReplaysTheRowTransform()
    {
        auto&& [home, scripted, w] = WindowUnderTest();
        w.switchGerberPnP();
        auto row = std::make_unique<GerberLayer>();
        row->rawLines = QStringList { "%FSLAX24Y24*%", "%MOMM*%", "%ADD10C,0.5*%", "D10*", "X10000Y20000D03*",
            "X30000Y25000D03*", "M02*" };
        QVERIFY(parseGerber(*row));
        GerberLayer* shown = row.get();
        w.view()->layers().replace(LayerList::GerberMode, 0, std::move(row));
        scripted.dialogHandlers.enqueue([](QDialog*) { return int(QDialog::Accepted); });
        w.form()->actionRotate->trigger();
        w.view()->waitForRenders();
        QCOMPARE(points(*shown), (QList<QPointF> { { -2, 1 }, { -2.5, 3 } }));
        GerberTable* table = w.form()->gerber_table;
        table->moveToTopRequested = true;
        table->targetSlot = 0;
        table->sourceRow = 0;
        runTicks(w, 1);
        w.view()->waitForRenders();
        QCOMPARE(points(*w.view()->layers().slot(true, LayerSlot::Signal)), points(*shown));
    }

    // "to Fiducial" > "Panel 1" asks for the origin, fills the fields and removes the placement;
    // a typed fiducial value marks the document modified.
    void placementToFiducial()
    {
        auto&& [home, scripted, w] = WindowUnderTest();
        Document& doc = w.view()->document();
        doc.setOrigins({ { 5, 6, 1 } });
        doc.appendEntry(placement(1, 2, true));
        doc.setModified(false);
        QStringList cut;
        scripted.dialogHandlers.enqueue([&](QDialog* d) {
            cut = cutTexts(*d, "convert_pnp_to_fid");
            return int(QDialog::Accepted);
        });
        w.form()->pickandplacepositionen->requests.toFiducial = 1;
        runTicks(w, 1);
        QCOMPARE(scripted.callsOf("exec").first().title, QStringLiteral("Convert PnP to Fiducial"));
        QVERIFY(cut.isEmpty());
        QCOMPARE(
            QPointF(w.form()->FiducialBoard1X->value(), w.form()->FiducialBoard1Y->value()), QPointF(6, 8));
        QVERIFY(w.form()->FiducialBoardExec->isChecked() && doc.currentList().isEmpty() && doc.isModified());
        doc.setModified(false);
        w.form()->FiducialGeometrySquareCircle->setCurrentIndex(1);
        QVERIFY(w.form()->FiducialGeometryY->isEnabled() && doc.isModified()
            && doc.fiducials()->geometryIndex() == 1);
    }

    void dialogsFitTheirTexts()
    {
        auto&& [home, scripted, w] = WindowUnderTest();
        QStringList cut;
        for (QAction* a : { w.form()->actionRotate, w.form()->actionShiftX, w.form()->actionRotation }) {
            scripted.dialogHandlers.enqueue([&](QDialog* d) {
                cut += cutTexts(*d, d->objectName());
                return int(QDialog::Rejected);
            });
            a->trigger();
        }
        QCOMPARE(cut, QStringList());
        QCOMPARE(scripted.callsOf("exec").size(), 3);
        QVERIFY(!w.view()->document().isModified());
    }
};

QTEST_MAIN(TstMainWindowTransforms)
#include "tst_mainwindow_transforms.moc"
