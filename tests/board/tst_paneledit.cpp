// The origins table's cell rules and the fiducial edits, without widgets.
#include "board/fiducialedit.h"
#include "board/originstable.h"
#include "datatable.h"
#include "model/document.h"

#include <QtTest>

class TestPanelEdit : public QObject
{
    Q_OBJECT

private slots:
    void originCells_data()
    {
        // warning: empty: accepted
        // after: the origins as "x y exec" after the edit
        columns<int, int, QString, QString, QString>("row", "column", "text", "warning", "after");
        const auto add = [](const char* name, int row, int column, const QString& text, const char* warning,
                             const char* after) {
            QTest::newRow(name) << row << column << text << QString(warning) << QString(after);
        };
        add("comma", 0, 0, "-1,25", "", "-1.25 2 1|3 4 0");
        add("point", 1, 1, "7.5", "", "1 2 1|3 7.5 0");
        add("letters", 0, 1, "1e3", "Your input contains invalid characters", "1 2 1|3 4 0");
        add("exec 2", 1, 2, "2", "Value can only be 0 or 1", "1 2 1|3 4 0");
        add("exec 1", 1, 2, " 1 ", "", "1 2 1|3 4 1");
        add("new row", 2, 1, "9", "", "1 2 1|3 4 0|0 9 1");
        add("exec of the new row", 2, 2, "1", "", "1 2 1|3 4 0");
        add("emptied", 0, 0, "", "", "3 4 0");
        add("huge", 0, 0, QString(400, '9'), "Your input contains invalid characters", "1 2 1|3 4 0");
    }
    void originCells()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        Document doc;
        doc.setOrigins({ { 1, 2, 1 }, { 3, 4, 0 } });
        doc.setModified(false);
        const OriginsTable::CellEdit edit = OriginsTable::editCell(doc, row, column, text);
        QTEST(edit.message, "warning");
        QStringList rows;
        for (const Origin& o : doc.origins())
            rows << QStringLiteral("%1 %2 %3").arg(o.x).arg(o.y).arg(o.exec);
        QTEST(rows.join('|'), "after");
        QCOMPARE(doc.isModified(), edit.accepted);
        QCOMPARE(OriginsTable::rowTexts({ -1.25, 1e-7, 1 }), (QStringList { "-1,25", "1e-07", "1" }));
    }

    // A board fiducial is in panel coordinates (plus the chosen origin), a block fiducial in
    // board coordinates; the placement becomes the mark and leaves the list.
    void placementBecomesFiducial()
    {
        Document doc;
        doc.setOrigins({ { 10, 20, 1 } });
        doc.setModified(false);
        QCOMPARE(
            FiducialEdit::originChoices(doc.origins()), (QStringList { "Origin 1 X: 10mm Y: 20mm", "none" }));
        QVERIFY(!FiducialEdit::convertSelected(doc, FiducialEdit::Kind::Board1, QPointF()));
        QVERIFY(!doc.isModified());
        for (const double x : { 1.5, 2.5 }) {
            auto* e = new PnPEntry("FID", "FID", x, 3, "top", 0, "", "1", "");
            e->setSelected(true);
            doc.appendEntry(e);
        }
        const QPointF offset = FiducialEdit::offsetOfChoice(doc.origins(), 0);
        QVERIFY(FiducialEdit::convertSelected(doc, FiducialEdit::Kind::Board2, offset));
        QVERIFY(FiducialEdit::convertSelected(doc, FiducialEdit::Kind::Block1, offset));
        const Fiducials& f = *doc.fiducials();
        QCOMPARE(QPointF(f.board2X(), f.board2Y()), QPointF(11.5, 23));
        QCOMPARE(QPointF(f.block1X(), f.block1Y()), QPointF(2.5, 3));
        QVERIFY(f.boardExec() && f.blockExec() && doc.currentList().isEmpty());
        QVERIFY(!FiducialEdit::setValue(doc, FiducialEdit::Field::GeometryY, qQNaN()));
        QVERIFY(!FiducialEdit::setGeometryIndex(doc, 2));
        QCOMPARE(f.geometryY(), 1.0);
    }
};

QTEST_GUILESS_MAIN(TestPanelEdit)
#include "tst_paneledit.moc"
