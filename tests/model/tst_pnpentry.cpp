#include "datatable.h"
#include "model/pnpentry.h"

#include <QtTest>
#include <limits>

class TstPnPEntry : public QObject
{
    Q_OBJECT

private slots:

    void constructorCleansTexts_data()
    {
        columns<QString, QString>("input", "stored");
        row("hyphen and space", "R-1 A", "R_1_A");
        row("angle brackets", "<10k>", "_10k_");
        row("all seven", "a<b>c=d\"e$f g-h", "a_b_c_d_e_f_g_h");
        row("runs of them", "--  $$", "______");
        row("others kept", "C1.5;/\\*_+", "C1.5;/\\*_+");
        row("empty", "", "");
        row("non latin kept", QString::fromUtf8("µF Ω"), QString::fromUtf8("µF_Ω"));
    }

    void constructorCleansTexts()
    {
        QFETCH(QString, input);
        QFETCH(QString, stored);
        const PnPEntry e(input, input, 0, 0, "top", 0, input, input, input, 1);
        for (const QString& t :
            { e.refDes(), e.name(), e.value(), e.exec(), e.comment(), PnPEntry::sanitiseText(input) })
            QCOMPARE(t, stored);
    }

    void constructorSide_data()
    {
        columns<QString, QString>("input", "stored");
        row("upper", "TOP", "top");
        row("mixed", "BoTtOm", "bottom");
        row("space", "Top Side", "top_side"); // cleaned like the other texts before lower-casing
    }

    void constructorSide()
    {
        QFETCH(QString, input);
        const PnPEntry e("R1", "0603", 1, 2, input, 0, "1k", "1", "", 1);
        QTEST(e.side(), "stored");
    }

    void constructorRotation_data()
    {
        columns<double, double>("input", "stored");
        row("90", 90.0, 90.0);
        row("360", 360.0, 0.0);
        row("725", 725.0, 5.0);
        row("-90 is 270", -90.0, 270.0);
        row("-97.5 is 262.5", -97.5, 262.5);
        row("-1e-17 stays below 360", -1e-17, 0.0);
        row("-450 is 270", -450.0, 270.0);
        row("725.3 stepwise", 725.3, (725.3 - 360.0 - 360.0));
        row("huge", 1e300, std::fmod(1e300, 360.0));
        row("nan", std::numeric_limits<double>::quiet_NaN(), 0.0);
        row("inf", std::numeric_limits<double>::infinity(), 0.0);
    }

    void constructorRotation()
    {
        QFETCH(double, input);
        const PnPEntry e("R1", "0603", 0, 0, "top", input, "1k", "1", "", 1);
        QTEST(e.rotation(), "stored");
        QVERIFY(e.rotation() >= 0.0 && e.rotation() < 360.0);
    }

    void rotationSetter_data()
    {
        columns<double, double>("input", "stored");
        row("360", 360.0, 0.0);
        row("450", 450.0, 90.0);
        // The setter does not clamp: rotations made negative by an edit stay negative.
        row("-45 kept", -45.0, -45.0);
        row("270+135 stepwise", (270.0 + 135.0), (270.0 + 135.0 - 360.0));
        row("1e300 terminates", 1e300, std::fmod(1e300, 360.0));
        row("nan", std::numeric_limits<double>::quiet_NaN(), 0.0);
        row("inf", std::numeric_limits<double>::infinity(), 0.0);
    }

    void rotationSetter()
    {
        QFETCH(double, input);
        PnPEntry e("R1", "0603", 0, 0, "top", 10, "1k", "1", "", 1);
        e.setRotation(input);
        QTEST(e.rotation(), "stored");
    }
};

QTEST_GUILESS_MAIN(TstPnPEntry)
#include "tst_pnpentry.moc"
