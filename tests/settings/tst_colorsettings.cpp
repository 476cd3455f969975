// colors.cfg: what is taken from a file, what is refused, and a write that reads back.
#include "settings/colorsettings.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray colourLines(int count, const QByteArray& line = "1;2;3")
{
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out += line + '\n';
    return out;
}

} // namespace

class TestColorSettings : public QObject
{
    Q_OBJECT

private slots:
    void readingTakesOnlyValidValues_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("coloursTaken");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("right");
        QTest::newRow("whole file") << colourLines(12) + "300;250" << true << 300 << 250;
        QTest::newRow("line feed at the end") << colourLines(12) + "300;250\r\n" << true << 300 << 250;
        QTest::newRow("colours only, line feed at the end") << colourLines(12) << true << 240 << 200;
        QTest::newRow("256 in line 3")
            << colourLines(2) + "1;256;3\n" + colourLines(9) + "300;250" << false << 240 << 200;
        QTest::newRow("negative") << colourLines(12, "-1;2;3") + "300;250" << false << 240 << 200;
        QTest::newRow("not a number") << colourLines(12, "a;2;3") << false << 240 << 200;
        QTest::newRow("eleven colours") << colourLines(11) + "300;250" << false << 300 << 250;
        QTest::newRow("empty line") << colourLines(6) + "\n" + colourLines(6) << false << 240 << 200;
        QTest::newRow("too narrow") << colourLines(12) + "239;300" << true << 240 << 200;
        QTest::newRow("minimum") << colourLines(12) + "240;200" << true << 240 << 200;
        QTest::newRow("wider than window") << colourLines(12) + "700;300" << true << 240 << 200;
        QTest::newRow("sizes no numbers") << colourLines(12) + "wide;300" << true << 240 << 200;
        QTest::newRow("extra fields and spaces")
            << colourLines(12, " 1 ; 2 ; 3 ;x") + "300;250" << true << 300 << 250;
    }
    void readingTakesOnlyValidValues()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, coloursTaken);
        ColorSettings settings;
        ColorSettingsFile::parse(text, 1000, &settings);
        QCOMPARE(settings.colour(ColorSettings::TapeMeasure),
            coloursTaken ? QColor(1, 2, 3) : QColor(127, 127, 127));
        QTEST(settings.leftPanelWidth, "left");
        QTEST(settings.rightPanelWidth, "right");
    }

    void writtenFileReadsBack()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("colors.cfg"));
        ColorSettings settings;
        settings.setColour(ColorSettings::FeederOutline, QColor(9, 8, 7));
        settings.leftPanelWidth = 333;
        QString error;
        QVERIFY(ColorSettingsFile::write(path, settings, &error));
        ColorSettings read;
        QVERIFY(ColorSettingsFile::read(path, 2000, &read));
        QVERIFY(read == settings);
        QVERIFY(ColorSettingsFile::text(settings).endsWith(";200"));
        // A folder that is not there: nothing written, the reason names the file.
        QVERIFY(!ColorSettingsFile::write(dir.filePath(QStringLiteral("no/colors.cfg")), settings, &error));
        QVERIFY(error.contains(QStringLiteral("colors.cfg")));
    }
};

QTEST_GUILESS_MAIN(TestColorSettings)
#include "tst_colorsettings.moc"
