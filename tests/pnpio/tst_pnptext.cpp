#include "pnpio/pnptext.h"

#include <QtTest>

// The text rules every reader stands on: a wrong decode or a split inside quotes
// corrupts every field behind it.
class TstPnPText : public QObject
{
    Q_OBJECT
private slots:
    void decodesUtf8AndWindows1252_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("ascii") << QByteArray("R1 10k") << QStringLiteral("R1 10k");
        QTest::newRow("utf8 micro") << QByteArray("C2 47\xc2\xb5"
                                                  "F")
                                    << QStringLiteral("C2 47\u00b5F");
        QTest::newRow("cp1252 micro") << QByteArray("C1 10\xb5") << QStringLiteral("C1 10\u00b5");
        QTest::newRow("utf8 ohm") << QByteArray("R1 4k7\xce\xa9") << QStringLiteral("R1 4k7\u03a9");
        QTest::newRow("cp1252 trade mark") << QByteArray("Foo\x99") << QStringLiteral("Foo\u2122");
        QTest::newRow("truncated utf8 falls back") << QByteArray("10\xc2") << QStringLiteral("10\u00c2");
        QTest::newRow("nul bytes kept") << QByteArray("a\0b", 3) << QString::fromLatin1("a\0b", 3);
    }
    void decodesUtf8AndWindows1252()
    {
        QFETCH(QByteArray, bytes);
        QTEST(PnPText::decode(bytes), "text");
    }

    void splitsQuotedFields_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("plain") << "a,b,c" << QStringList { "a", "b", "c" };
        QTest::newRow("separator inside quotes")
            << "\"R1\",\"Header, 2-Pin\",\"1,5\"" << QStringList { "R1", "Header, 2-Pin", "1,5" };
        QTest::newRow("doubled quote") << "\"say \"\"hi\"\"\",x" << QStringList { "say \"hi\"", "x" };
        QTest::newRow("stray quote kept") << "\"12\" Rack\",x" << QStringList { "12\" Rack", "x" };
        QTest::newRow("empty fields") << ",," << QStringList { "", "", "" };
        QTest::newRow("empty quoted") << "\"\",\"\"" << QStringList { "", "" };
        QTest::newRow("trailing separator") << "a," << QStringList { "a", "" };
        QTest::newRow("unterminated quote") << "\"abc,def" << QStringList { "abc,def" };
        QTest::newRow("empty line") << "" << QStringList { "" };
        QTest::newRow("space before quote") << "a, \"b,c\"" << QStringList { "a", "b,c" };
    }
    void splitsQuotedFields()
    {
        QFETCH(QString, line);
        QTEST(PnPText::splitQuoted(line, QLatin1Char(',')), "fields");
    }

    void cutsColumns_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QVector<int>>("starts");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("in order") << "ab  cd  ef" << QVector<int> { 0, 4, 8 }
                                  << QStringList { "ab  ", "cd  ", "ef" };
        QTest::newRow("absent column")
            << "ab  cd" << QVector<int> { 0, -1, 4 } << QStringList { "ab  ", "", "cd" };
        QTest::newRow("out of order header")
            << "ab  cd  ef" << QVector<int> { 0, 8, 4 } << QStringList { "ab  ", "ef", "cd  " };
        QTest::newRow("short line") << "ab" << QVector<int> { 0, 4, 8 } << QStringList { "ab", "", "" };
    }
    void cutsColumns()
    {
        QFETCH(QString, line);
        QFETCH(QVector<int>, starts);
        QTEST(PnPText::cutColumns(line, starts), "fields");
    }
};

QTEST_GUILESS_MAIN(TstPnPText)
#include "tst_pnptext.moc"
