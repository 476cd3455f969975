#include "datatable.h"
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
        columns<QByteArray, QString>("bytes", "text");
        row("ascii", QByteArray("R1 10k"), QStringLiteral("R1 10k"));
        row("utf8 micro", QByteArray("C2 47\xc2\xb5\x46"), QStringLiteral("C2 47\u00b5F"));
        row("cp1252 micro", QByteArray("C1 10\xb5"), QStringLiteral("C1 10\u00b5"));
        row("utf8 ohm", QByteArray("R1 4k7\xce\xa9"), QStringLiteral("R1 4k7\u03a9"));
        row("cp1252 trade mark", QByteArray("Foo\x99"), QStringLiteral("Foo\u2122"));
        row("truncated utf8 falls back", QByteArray("10\xc2"), QStringLiteral("10\u00c2"));
        row("nul bytes kept", QByteArray("a\0b", 3), QString::fromLatin1("a\0b", 3));
    }
    void decodesUtf8AndWindows1252()
    {
        QFETCH(QByteArray, bytes);
        QTEST(PnPText::decode(bytes), "text");
    }

    void splitsQuotedFields_data()
    {
        columns<QString, QStringList>("line", "fields");
        row("plain", "a,b,c", QStringList { "a", "b", "c" });
        row("separator inside quotes", "\"R1\",\"Header, 2-Pin\",\"1,5\"",
            QStringList { "R1", "Header, 2-Pin", "1,5" });
        row("doubled quote", "\"say \"\"hi\"\"\",x", QStringList { "say \"hi\"", "x" });
        row("stray quote kept", "\"12\" Rack\",x", QStringList { "12\" Rack", "x" });
        row("empty fields", ",,", QStringList { "", "", "" });
        row("empty quoted", "\"\",\"\"", QStringList { "", "" });
        row("trailing separator", "a,", QStringList { "a", "" });
        row("unterminated quote", "\"abc,def", QStringList { "abc,def" });
        row("empty line", "", QStringList { "" });
        row("space before quote", "a, \"b,c\"", QStringList { "a", "b,c" });
    }
    void splitsQuotedFields()
    {
        QFETCH(QString, line);
        QTEST(PnPText::splitQuoted(line, QLatin1Char(',')), "fields");
    }

    void cutsColumns_data()
    {
        columns<QString, QVector<int>, QStringList>("line", "starts", "fields");
        row("in order", "ab  cd  ef", QVector<int> { 0, 4, 8 }, QStringList { "ab  ", "cd  ", "ef" });
        row("absent column", "ab  cd", QVector<int> { 0, -1, 4 }, QStringList { "ab  ", "", "cd" });
        row("out of order header", "ab  cd  ef", QVector<int> { 0, 8, 4 },
            QStringList { "ab  ", "ef", "cd  " });
        row("short line", "ab", QVector<int> { 0, 4, 8 }, QStringList { "ab", "", "" });
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
