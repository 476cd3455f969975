#include "datatable.h"
#include "model/document.h"

#include <QtTest>

Q_DECLARE_METATYPE(BoardField)

class TstBoardFields : public QObject
{
    Q_OBJECT

private slots:

    void patterns_data()
    {
        columns<BoardField, QString, bool>("field", "text", "accepted");

        // The name becomes a file name: letters, digits, "_", "-" and ".", no path characters.
        row("name plain", BoardField::Name, "Board_01.rev", true);
        row("name empty", BoardField::Name, "", true);
        row("name 100", BoardField::Name, QString(100, 'a'), true);
        row("name 101", BoardField::Name, QString(101, 'a'), false);
        row("name hyphen", BoardField::Name, "Board-1", true);
        row("name space", BoardField::Name, "a b", false);
        for (const char* c : { "/", "\\", ":", "<", "?", "@" })
            QTest::addRow("name with %s", c) << BoardField::Name << QStringLiteral("a%1b").arg(c) << false;
        row("name backtick", BoardField::Name, "a`b", false);
        row("name comma", BoardField::Name, "a,b", false);
        row("name umlaut", BoardField::Name, QString::fromUtf8("Platine_ä"), false);

        row("comment hyphen", BoardField::Comment, "rev-2_x", true);
        row("comment dot", BoardField::Comment, "rev.2", false);
        row("comment space", BoardField::Comment, "a b", false);
        row("comment 101", BoardField::Comment, QString(101, 'a'), false);

        row("number int", BoardField::Width, "100", true);
        row("number negative", BoardField::OriginX, "-12.5", true);
        row("number comma", BoardField::Height, "1,25", true);
        row("number trailing point", BoardField::Depth, "1.", true);
        row("number leading point", BoardField::Width, ".5", false);
        row("number exponent", BoardField::Width, "1e3", false);
        row("number two points", BoardField::Width, "1.2.3", false);
        row("number plus", BoardField::Width, "+1", false);
        row("number empty", BoardField::OriginY, "", false);
        row("number space", BoardField::Width, " 1", false);
        // Digits QRegExp's \d accepts but toDouble cannot read would be stored as 0.
        row("number arabic digits", BoardField::Width, QString::fromUtf8("١٢"), false);
        // Too many digits for a double would be stored as infinity.
        row("number overflow", BoardField::OriginX, QString(400, '9'), false);
        row("number long but finite", BoardField::Width, QString(300, '9'), true);
    }

    void patterns()
    {
        QFETCH(BoardField, field);
        QFETCH(QString, text);
        QTEST(Document::boardFieldAccepts(field, text), "accepted");
    }

    void acceptedEditStoresAndRewrites_data()
    {
        columns<BoardField, QString, QString>("field", "text", "rewritten");
        row("empty name", BoardField::Name, "", "unbenannt");
        row("name", BoardField::Name, "Main.Board", "Main.Board");
        row("comment", BoardField::Comment, "v-1", "v-1");
        row("comma width", BoardField::Width, "100,5", "100.5");
        row("six digits", BoardField::Height, "123.456789", "123.457");
        row("large", BoardField::Depth, "1234567", "1.23457e+06");
        row("trailing point", BoardField::Depth, "3.", "3");
    }

    void acceptedEditStoresAndRewrites()
    {
        QFETCH(BoardField, field);
        QFETCH(QString, text);
        QFETCH(QString, rewritten);
        Document doc;
        const BoardFieldEdit r = doc.editBoardField(field, text);
        QVERIFY(r.accepted && doc.isModified());
        QCOMPARE(QStringList({ r.text, Document::boardFieldText(*doc.boardInfo(), field) }),
            QStringList({ rewritten, rewritten }));
    }

    void rejectedEditKeepsOldValue()
    {
        Document doc;
        doc.editBoardField(BoardField::Width, "80");
        doc.editBoardField(BoardField::Name, "Good");
        doc.setModified(false);

        // The field shows the stored value again.
        const BoardFieldEdit width = doc.editBoardField(BoardField::Width, "8O");
        const BoardFieldEdit name = doc.editBoardField(BoardField::Name, "bad name");
        QVERIFY(!width.accepted && !name.accepted && !doc.isModified());
        QCOMPARE(QStringList({ width.text, name.text }), QStringList({ "80", "Good" }));
        QCOMPARE(doc.boardInfo()->width(), 80.0);
    }

    void originEditKeepsAbsolutePositions_data()
    {
        columns<BoardField, QString, QString, double, double>(
            "field", "from", "to", "entryBefore", "entryAfter");
        row("x 0 to 10", BoardField::OriginX, "0", "10", 15.0, 5.0);
        row("x 10 to -2,5", BoardField::OriginX, "10", "-2,5", 5.0, 17.5);
        row("y 3 to 1", BoardField::OriginY, "3", "1", 4.0, 6.0);
        row("rejected moves nothing", BoardField::OriginY, "3", "abc", 4.0, 4.0);
    }

    void originEditKeepsAbsolutePositions()
    {
        QFETCH(BoardField, field);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(double, entryBefore);
        const bool isX = field == BoardField::OriginX;
        Document doc;
        doc.editBoardField(field, from);
        auto* e = new PnPEntry(
            "R1", "n", isX ? entryBefore : 7.0, isX ? 7.0 : entryBefore, "top", 0, "v", "1", "", 1);
        doc.appendEntry(e);
        const double absBefore
            = isX ? doc.boardInfo()->originX() + e->x() : doc.boardInfo()->originY() + e->y();

        doc.editBoardField(field, to);
        QTEST(isX ? e->x() : e->y(), "entryAfter");
        QCOMPARE(isX ? e->y() : e->x(), 7.0); // the other axis stays
        const double absAfter
            = isX ? doc.boardInfo()->originX() + e->x() : doc.boardInfo()->originY() + e->y();
        QCOMPARE(absAfter, absBefore);
    }
};

QTEST_GUILESS_MAIN(TstBoardFields)
#include "tst_boardfields.moc"
