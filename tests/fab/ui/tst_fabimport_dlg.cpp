#include "fab/ui/fabimport_dlg.h"

#include <QComboBox>
#include <QLabel>
#include <QTableWidget>
#include <QtTest>

// The assignment dialog: every file and left-out entry has a row, and a changed row comes back.
class TstFabImportDlg : public QObject
{
    Q_OBJECT
private slots:
    void rowsChangeTheAssignment()
    {
        FabFile top;
        top.path = "b.gtl";
        top.content = FabContent::Gerber;
        top.side = FabSide::Top;
        top.slot = 0;
        top.reason = "Altium/Protel name .gtl";
        FabFile unknown;
        unknown.path = "l3.grb";
        unknown.content = FabContent::Gerber;
        unknown.reason = "Gerber file whose name and attributes do not say its layer";
        FabImport_dlg dialog("pkg.zip", { top, unknown }, { { "../x.gbr", "unsafe name" } });
        QTableWidget* table = dialog.table();
        QCOMPARE(table->rowCount(), 3);
        QCOMPARE(table->item(2, 0)->text(), QStringLiteral("../x.gbr"));
        QCOMPARE(table->item(1, 3)->text(), unknown.reason);
        auto* label = dialog.findChild<QLabel*>("fabSummary");
        QCOMPARE(label->text(), QStringLiteral("1 files to load, 1 without a place. Placements: none."));

        qobject_cast<QComboBox*>(table->cellWidget(1, 1))->setCurrentIndex(1); // bottom
        qobject_cast<QComboBox*>(table->cellWidget(1, 2))->setCurrentIndex(1 + 4); // 4 Silk
        qobject_cast<QComboBox*>(table->cellWidget(0, 2))->setCurrentIndex(0); // "-"
        const FabFiles chosen = dialog.files();
        QVERIFY(chosen.at(1).side == FabSide::Bottom && chosen.at(1).slot == 4 && !chosen.at(0).placed());
        QCOMPARE(label->text(), QStringLiteral("1 files to load, 1 without a place. Placements: none."));
    }
};

QTEST_MAIN(TstFabImportDlg)
#include "tst_fabimport_dlg.moc"
