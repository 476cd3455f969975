// colors.cfg: what is taken from a file, what is refused, and a write that reads back.
#include "datatable.h"
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
        columns<QByteArray, bool, int, int>("text", "coloursTaken", "left", "right");
        row("whole file", colourLines(12) + "300;250", true, 300, 250);
        row("line feed at the end", colourLines(12) + "300;250\r\n", true, 300, 250);
        row("colours only, line feed at the end", colourLines(12), true, 240, 200);
        row("256 in line 3", colourLines(2) + "1;256;3\n" + colourLines(9) + "300;250", false, 240, 200);
        row("negative", colourLines(12, "-1;2;3") + "300;250", false, 240, 200);
        row("not a number", colourLines(12, "a;2;3"), false, 240, 200);
        row("eleven colours", colourLines(11) + "300;250", false, 300, 250);
        row("empty line", colourLines(6) + "\n" + colourLines(6), false, 240, 200);
        row("too narrow", colourLines(12) + "239;300", true, 240, 200);
        row("minimum", colourLines(12) + "240;200", true, 240, 200);
        row("wider than window", colourLines(12) + "700;300", true, 240, 200);
        row("sizes no numbers", colourLines(12) + "wide;300", true, 240, 200);
        row("extra fields and spaces", colourLines(12, " 1 ; 2 ; 3 ;x") + "300;250", true, 300, 250);
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
        QVERIFY(ColorSettingsFile::read(path, 2000, &read) && read == settings);
        QVERIFY(ColorSettingsFile::text(settings).endsWith(";200"));
        // A folder that is not there: nothing written, the reason names the file.
        QVERIFY(!ColorSettingsFile::write(dir.filePath(QStringLiteral("no/colors.cfg")), settings, &error)
            && error.contains(QStringLiteral("colors.cfg")));
    }
};

QTEST_GUILESS_MAIN(TestColorSettings)
#include "tst_colorsettings.moc"
