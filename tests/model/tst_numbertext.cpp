// Numbers typed with a decimal comma or point, and shown with six significant digits.
#include "datatable.h"
#include "model/numbertext.h"

#include <QtTest>
#include <cmath>

class TstNumberText : public QObject
{
    Q_OBJECT
private slots:
    void parse_data()
    {
        columns<QString, bool, double>("text", "ok", "value");
        row("comma", "1,5", true, 1.5);
        row("point", "-0.25", true, -0.25);
        row("spaces around", " 2.0 ", true, 2.0);
        row("exponent", "1e3", true, 1000.0);
        row("two separators", "1,5.3", false, 0.0);
        row("empty", "", false, 0.0);
        row("word", "Top", false, 0.0);
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        bool parsed = !ok;
        QTEST(NumberText::parse(text, &parsed), "value");
        QCOMPARE(parsed, ok);
    }

    // "-0" reads as negative zero, and shows as plain "0".
    void negativeZero()
    {
        QVERIFY(std::signbit(NumberText::parse(QStringLiteral("-0"))) && NumberText::format(-0.0) == "0");
    }

    void format_data()
    {
        columns<double, QString, QString>("value", "point", "comma");
        row("rounded to six digits", 10.1234567, "10.1235", "10,1235");
        row("whole", 25.0, "25", "25");
        row("sum noise", 0.1 + 0.2, "0.3", "0,3");
        row("large", 1234567.0, "1.23457e+06", "1,23457e+06");
    }
    void format()
    {
        QFETCH(double, value);
        QTEST(NumberText::format(value), "point");
        QTEST(NumberText::formatComma(value), "comma");
    }
};

QTEST_GUILESS_MAIN(TstNumberText)
#include "tst_numbertext.moc"
