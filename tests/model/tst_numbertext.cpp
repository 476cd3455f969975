// Numbers typed with a decimal comma or point, and shown with six significant digits.
#include "model/numbertext.h"

#include <QtTest>
#include <cmath>

class TstNumberText : public QObject
{
    Q_OBJECT
private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::newRow("comma") << "1,5" << true << 1.5;
        QTest::newRow("point") << "-0.25" << true << -0.25;
        QTest::newRow("spaces around") << " 2.0 " << true << 2.0;
        QTest::newRow("exponent") << "1e3" << true << 1000.0;
        QTest::newRow("two separators") << "1,5.3" << false << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("word") << "Top" << false << 0.0;
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
        QVERIFY(std::signbit(NumberText::parse(QStringLiteral("-0"))));
        QCOMPARE(NumberText::format(-0.0), QStringLiteral("0"));
    }

    void format_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("point");
        QTest::addColumn<QString>("comma");
        QTest::newRow("rounded to six digits") << 10.1234567 << "10.1235"
                                               << "10,1235";
        QTest::newRow("whole") << 25.0 << "25"
                               << "25";
        QTest::newRow("sum noise") << 0.1 + 0.2 << "0.3"
                                   << "0,3";
        QTest::newRow("large") << 1234567.0 << "1.23457e+06"
                               << "1,23457e+06";
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
