#include "dialogfit.h"
#include "model/pnpentry.h"
#include "scriptedprompt.h"
#include "settings/ui/search_dlg.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

class TstSearchDlg : public QObject
{
    Q_OBJECT
private slots:
    void emptyTermWarnsAndKeepsResults_data()
    {
        QTest::addColumn<QString>("term");
        QTest::newRow("empty") << "";
        QTest::newRow("spaces") << "   ";
    }
    void emptyTermWarnsAndKeepsResults()
    {
        QFETCH(QString, term);
        ScriptedPrompt prompt;
        PnPEntry top("R1", "0603", 0, 0, "top", 0, "1k", "1", "");
        PnPEntry bottom("R2", "0603", 0, 0, "bottom", 0, "1k", "1", "");
        Search_dlg d;
        d.setPlacements({ &top }, { &bottom });
        auto* termEdit = d.findChild<QLineEdit*>("searchTerm");
        auto* results = d.findChild<QListWidget*>("result_box");
        termEdit->setText("r");
        d.findChild<QPushButton*>("searchBtn")->click();
        QCOMPARE(results->count(), 2);
        termEdit->setText(term);
        d.findChild<QPushButton*>("searchBtn")->click();
        QVERIFY(prompt.calls.size() == 1 && results->count() == 2);
        QCOMPARE(prompt.said("warning"), QStringList { "Kein Suchbegriff: Bitte Suchbegriff eingeben" });

        // Bottom hits count after all top placements; clearing the list locates nothing.
        results->setCurrentRow(1);
        QCOMPARE(d.locatedIndex(), 1);
        d.clearLocated();
        results->clear();
        QCOMPARE(d.locatedIndex(), -1);
        d.findChild<QPushButton*>("relocate_Btn")->click();
        QCOMPARE(d.locatedIndex(), -1);
    }

    void showsAllItsTexts()
    {
        Search_dlg d;
        QCOMPARE(cutTexts(d, "search_dlg"), QStringList());
    }

    void hitsFollowTheirPlacement()
    {
        PnPEntry a("R1", "0603", 0, 0, "top", 0, "1k", "1", "");
        PnPEntry b("R2", "0603", 0, 0, "top", 0, "1k", "1", "");
        Search_dlg d;
        d.setPlacements({ &a, &b }, {});
        d.setTerm("r2");
        d.on_searchBtn_clicked();
        d.findChild<QListWidget*>("result_box")->setCurrentRow(0);
        // Sorted, moved to the other side, deleted, then back but no longer located.
        QList<int> located { d.locatedIndex() };
        for (const auto& [top, bottom] : { std::pair(QList<PnPEntry*> { &b, &a }, QList<PnPEntry*>()),
                 { { &a }, { &b } }, { { &a }, {} }, { { &a, &b }, {} } }) {
            d.setPlacements(top, bottom);
            located << d.locatedIndex();
        }
        d.on_relocate_Btn_clicked();
        QCOMPARE(located << d.locatedIndex(), QList<int>({ 1, 0, 1, -1, -1, -1 }));
    }
};

QTEST_MAIN(TstSearchDlg)
#include "tst_search_dlg.moc"
