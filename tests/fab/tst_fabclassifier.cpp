#include "corpus.h"
#include "datatable.h"
#include "fab/fabassignment.h"
#include "fab/fabclassifier.h"
#include "fab/fabload.h"
#include "fab/fabpackage.h"

#include <QtTest>

namespace {

// "t0", "b4", "both6" or "-": side and slot as one word.
QString placeText(const FabFile& f)
{
    if (!f.placed())
        return QStringLiteral("-");
    const QString side = f.side == FabSide::Both ? QStringLiteral("both")
        : f.side == FabSide::Top                 ? QStringLiteral("t")
                                                 : QStringLiteral("b");
    return side + QString::number(f.slot);
}

const QByteArray gerberHead = "%FSLAX46Y46*%\n%MOMM*%\n%ADD10C,0.1*%\n";
const QByteArray drillHead = "M48\nMETRIC,TZ\nT1C0.8\n%\nT1\nX1000Y1000\nM30\n";

} // namespace

// Which slot a file of a fabrication package is proposed for: by attribute, by each CAD tool's
// file-name convention, by content; and the whole corpus boards as one package each.
class TstFabClassifier : public QObject
{
    Q_OBJECT
private slots:
    void classifies_data()
    {
        columns<QString, QByteArray, QString, int>("name", "head", "place", "evidence");
        const int attr = int(FabEvidence::Attribute);
        const int name = int(FabEvidence::Name);
        const int content = int(FabEvidence::Content);
        // The attribute wins over a name that says otherwise.
        row("X2 copper top", "x.gbl", "%TF.FileFunction,Copper,L1,Top*%\n" + gerberHead, "t0", attr);
        row("X2 copper bottom, type after side", "a.gbr",
            "%TF.FileFunction,Copper,L4,Bot,Mixed*%\n" + gerberHead, "b0", attr);
        row("X2 inner copper", "a.gbr", "%TF.FileFunction,Copper,L2,Inr*%\n" + gerberHead, "-", attr);
        row("X2 mask, index after side", "a.gbr", "%TF.FileFunction,Soldermask,Bot,1*%\n" + gerberHead, "b1",
            attr);
        row("X2 paste", "a.gbr", "%TF.FileFunction,Paste,Top*%\n" + gerberHead, "t2", attr);
        row("X2 legend", "a.gbr", "%TF.FileFunction,Legend,Bot*%\n" + gerberHead, "b4", attr);
        row("X2 assembly", "a.gbr", "%TF.FileFunction,AssemblyDrawing,Top*%\n" + gerberHead, "t3", attr);
        row("X3 component layer", "a.gbr", "%TF.FileFunction,Component,L2,Bot*%\n" + gerberHead, "b3", attr);
        row("X2 profile", "a.gbr", "%TF.FileFunction,Profile,NP*%\n" + gerberHead, "both5", attr);
        row("X2 drill map", "a.gbr", "%TF.FileFunction,Drillmap*%\n" + gerberHead, "-", attr);
        row("X1 comment attribute", "a.gbr", "G04 #@! TF.FileFunction,Legend,Top*\n" + gerberHead, "t4",
            attr);
        row("drill attribute", "a.txt", "M48\n; #@! TF.FileFunction,NonPlated,1,2,NPTH\n" + drillHead.mid(4),
            "both6", attr);
        row("KiCad B.SilkS (older)", "b-B.SilkS.gbr", gerberHead, "b4", name);
        row("KiCad F_Fab", "b-F_Fab.gbr", gerberHead, "t3", name);
        row("Protel mechanical 2", "b.GM2", gerberHead, "-", int(FabEvidence::None));
        // Conventions met by a corpus board are checked there, on the real files.
        row("Eagle crc", "b.crc", gerberHead, "t2", name);
        row("Eagle dim", "b.dim", gerberHead, "both5", name);
        row("OrCAD drill drawing .drd", "b.drd", gerberHead, "-", int(FabEvidence::None));
        row("gEDA group is inner", "b.group3.gbr", gerberHead, "-", int(FabEvidence::None));
        row("content: drill", "holes.xyz", drillHead, "both6", content);
        row("content: unnamed Gerber", "l3.grb", gerberHead, "-", int(FabEvidence::None));
        row("neither", "readme.txt", QByteArray("made with love\n"), "-", int(FabEvidence::None));
    }
    void classifies()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, head);
        FabFile f;
        f.path = QStringLiteral("pkg/") + name;
        FabClassifier::classify(f, head);
        QTEST(placeText(f), "place");
        QTEST(int(f.evidence), "evidence");
        QVERIFY2(!f.reason.isEmpty(), "every file says why it has its place or none");
    }

    void sniffsCentroidFiles()
    {
        const auto sniffed = [](const char* path, const QByteArray& head) {
            FabFile f;
            f.path = QString::fromLatin1(path);
            FabClassifier::classify(f, head);
            return f;
        };
        const FabFile kicad
            = sniffed("b-all.pos", "# Ref     Val       Package      PosX       PosY       Rot  Side\n");
        QVERIFY(kicad.content == FabContent::Centroid && kicad.centroidFormat == PnPFormat::KiCad);
        QCOMPARE(sniffed("Pick Place for b.csv", "\"Designator\",\"Footprint\",\"Mid X\",\"Mid Y\"\n")
                     .centroidFormat,
            PnPFormat::AltiumCsv);
        QCOMPARE(sniffed("b.mnb", "R1 1 2 0 10k R0603\n").side, FabSide::Bottom);
    }

    // Tools of the second drill program are numbered on, so both keep their sizes.
    void mergesDrillPrograms()
    {
        const QStringList merged = FabLoad::mergeDrillLines(
            { { "M48", "T1C0.8", "T2C1.0", "%", "T1", "X1Y1", "T2", "X2Y2", "M30" },
                { "M48", "T01C3.0", "%", "T01", "X5Y5", "T0", "M30" } });
        QCOMPARE(merged.join(' '),
            QStringLiteral("M48 T1C0.8 T2C1.0 % T1 X1Y1 T2 X2Y2 M48 T3C3.0 % T3 X5Y5 T0 M30"));
    }

    // Every corpus board with a fabrication set, opened as a package: the proposal for each file
    // that names its layer (attribute or convention), in fab-list's words.
    void corpusBoards_data()
    {
        // expected: file-name suffix=place, space separated
        columns<QString, QString>("folder", "expected");
        row("Target", "gerbonara/resources/Target3001",
            ".Bot=b0 .Drill=both6 .Outline=both5 .PasteBot=b2 .PasteTop=t2 .PosiBot=b4 "
            ".PosiTop=t4 .StopBot=b1 .StopTop=t1 .Top=t0");
        row("DipTrace", "gerbonara/resources/diptrace",
            "mainboard.drl=both6 mainboard_BoardOutline.gbr=both5 mainboard_Bottom.gbr=b0 "
            "mainboard_BottomMask.gbr=b1 mainboard_Top.gbr=t0 mainboard_TopMask.gbr=t1 "
            "mainboard_TopSilk.gbr=t4 keyboard_Bottom.gbr=- panel.drl=-");
        row("Eagle X2", "gerbonara/resources/eagle-newer",
            "copper_bottom.gbr=b0 copper_top.gbr=t0 drills.xln=both6 profile.gbr=both5 "
            "silkscreen_bottom.gbr=b4 silkscreen_top.gbr=t4 soldermask_bottom.gbr=b1 "
            "soldermask_top.gbr=t1 solderpaste_bottom.gbr=b2 solderpaste_top.gbr=t2");
        row("Eagle CAM", "gerbonara/resources/eagle_files",
            "copper_bottom_l4.gbr=b0 copper_inner_l2.gbr=- copper_top_l1.gbr=t0 "
            "profile.gbr=both5 silkscreen_bottom.gbr=b4 soldermask_top.gbr=t1 solderpaste_bottom.gbr=b2");
        row("Fritzing", "gerbonara/resources/fritzing",
            "combined.gbl=b0 combined.gbo=b4 combined.gbs=b1 combined.GKO=both5 "
            "combined.gtl=t0 combined.gto=t4 combined.gts=t1 combined.txt=both6");
        row("Fusion", "gerbonara/resources/fusion360",
            "copper_bottom.gbr=b0 copper_top.gbr=t0 profile.gbr=both5 silkscreen_top.gbr=t4 "
            "soldermask_bottom.gbr=b1 solderpaste_top.gbr=t2");
        row("gEDA", "gerbonara/resources/geda",
            "controller.bottom.gbr=b0 controller.bottommask.gbr=b1 controller.plated-drill.cnc=both6 "
            "controller.top.gbr=t0 controller.topmask.gbr=t1 controller.topsilk.gbr=t4 "
            "controller.unplated-drill.cnc=both6 driver.top.gbr=-");
        row("KiCad X2", "gerbonara/resources/kicad-older",
            "B.Cu.gbr=b0 B.Mask.gbr=b1 B.Paste.gbr=b2 B.SilkS.gbr=b4 Edge.Cuts.gbr=both5 "
            "F.Cu.gbr=t0 F.Mask.gbr=t1 F.Paste.gbr=t2 F.SilkS.gbr=t4 chibi_2024.drl=both6");
        row("P-CAD", "gerbonara/resources/p-cad",
            ".DRL=both6 .GBL=b0 .GBO=b4 .GBS=b1 .GKO=both5 .GTL=t0 .GTO=t4 .GTS=t1");
        row("PADS", "gerbonara/resources/pads",
            "Bottom.pho=b0 Drill.drl=both6 SMB.pho=b1 SMT.pho=t1 SSB.pho=b4 SST.pho=t4 Top.pho=t0");
        row("pcb-rnd", "gerbonara/resources/pcb-rnd",
            ".asb=b3 .ast=t3 .gbl=b0 .gbo=b4 .gbp=b2 .gbs=b1 .gko=both5 .gtl=t0 .gto=t4 "
            ".gtp=t2 .gts=t1 .xln=both6");
        row("Xpedition", "gerbonara/resources/siemens",
            "L01_Top.gdo=t0 L02.gdo=- L12_Bottom.gdo=b0 SilkscreenBottom.gdo=b4 "
            "SoldermaskTop.gdo=t1 SolderPasteBottom.gdo=b2 ThruHolePlated.ncd=both6 "
            "ThruHoleNonPlated.ncd=both6");
        row("Upverter", "gerbonara/resources/upverter",
            ".drl=both6 .gbl=b0 .gbo=b4 .gbp=b2 .gbs=b1 .gko=both5 .gtl=t0 .gto=t4 .gtp=t2 "
            ".gts=t1");
        row("KiCad X2 2", "gerbonara/resources/world_clock_2",
            "B_Cu.gbr=b0 B_Mask.gbr=b1 B_Paste.gbr=b2 B_SilkS.gbr=b4 Edge_Cuts.gbr=both5 "
            "F_Cu.gbr=t0 F_Mask.gbr=t1 F_Paste.gbr=t2 F_SilkS.gbr=t4");
        row("gEDA hellboard", "gerbv/example/hellboard",
            "back.gbr=b0 fab.gbr=- front.gbr=t0 plated-drill.cnc=both6");
        row("gEDA numpres", "gerbv/example/numpres",
            "componentmask.grb=t1 componentsilk.grb=t4 soldermask.grb=b1 "
            "plated-drill.grb=both6 unplated-drill.grb=both6");
        row("OrCAD", "gerbv/example/orcad",
            ".asb=b3 .ast=t3 .bot=b0 .smb=b1 .smt=t1 .ssb=b4 .sst=t4 .top=t0 thruhole.tap=both6");
        row("Protel", "gerbv/example/protel-pnp",
            ".GBL=b0 .GBO=b4 .GBS=b1 .GD1=- .GM1=both5 .GTL=t0 .GTO=t4 .GTS=t1 .TXT=both6");
        row("pcb-tools", "pcb-tools/examples/gerbers", ".GBL=b0 .GBS=b1 .GTL=t0 .DRD=both6 .GTO=t4 .GTS=t1");
        row("Eagle mixtape", "tracespace/boards/8bit-mixtape",
            ".gbl=b0 .gbo=b4 .gbp=b2 .gbs=b1 .gml=both5 .gtl=t0 .gto=t4 .gtp=t2 .gts=t1 "
            ".txt=both6");
        row("Eagle bus-pirate", "tracespace/boards/bus-pirate",
            ".cmp=t0 .drd=both6 .gko=both5 .plc=t4 .pls=b4 .sol=b0 .stc=t1 .sts=b1");
        row("KiCad clockblock", "tracespace/boards/clockblock",
            "B_Cu.gbr=b0 B_Mask.gbr=b1 B_SilkS.gbr=b4 Edge_Cuts.gbr=both5 F_Cu.gbr=t0 "
            "F_Mask.gbr=t1 F_Paste.gbr=t2 F_SilkS.gbr=t4 NPTH.drl=both6 clockblock.drl=both6");
        row("Altium core", "tracespace/boards/core",
            ".GBL=b0 .GBO=b4 .GBP=b2 .GBS=b1 .GTL=t0 .GTO=t4 .GTP=t2 .GTS=t1 .TXT=both6");
        row("Eagle freeduino", "tracespace/boards/freeduino",
            ".cmp=t0 .drd=both6 .plc=t4 .sol=b0 .stc=t1 .sts=b1");
        row("KiCad mchck", "tracespace/boards/mchck",
            "B_Cu.pho=b0 B_Mask.pho=b1 B_SilkS.pho=b4 Edge_Cuts.pho=both5 F_Cu.pho=t0 "
            "F_Mask.pho=t1 F_SilkS.pho=t4 mchck.drl=both6");
        row("Altium usbvil", "tracespace/boards/usbvil",
            ".gbl=b0 .gbo=b4 .gbs=b1 .gko=both5 .gtl=t0 .gto=t4 .gts=t1 .txt=both6");
        row("five boards", "pcb-tools-extension/examples/inputs",
            "rcstick-f-small.GTL=t0 rcstick-f-small.TXT=both6 rcstick-f.GTL=- "
            "sonopi-digi.TXT=- stm32breakout.GML=-");
    }
    void corpusBoards()
    {
        if (!corpusPresent(QStringLiteral("gerber")))
            QSKIP("corpus absent");
        QFETCH(QString, folder);
        FabPackage package;
        QString error;
        QVERIFY2(package.open(corpusRoot() + "/gerber/" + folder, &error), qPrintable(error));
        QFETCH(QString, expected);
        for (const QString& pair : expected.split(' ')) {
            const QString suffix = pair.section('=', 0, 0);
            const FabFile* hit = nullptr;
            for (const FabFile& f : package.files())
                if (f.path.endsWith(suffix))
                    hit = &f;
            QVERIFY2(hit, qPrintable(suffix));
            QCOMPARE(hit->path + '=' + placeText(*hit), hit->path + '=' + pair.section('=', 1));
        }
    }

    // A plated and a non-plated drill file load as one drill layer holding the holes of both.
    void drillFilesShareTheSlot()
    {
        if (!corpusPresent(QStringLiteral("gerber")))
            QSKIP("corpus absent");
        const QString board = corpusRoot() + "/gerber/tracespace/boards/clockblock/";
        FabPackage package;
        QVERIFY(package.open(board, nullptr));
        FabLoadResult loaded = FabLoad::read(package.files());
        int holes = -1;
        for (const FabLayer& l : loaded.layers)
            if (l.top && l.slot == 6)
                holes = l.layer->objects().size();
        int separate = 0;
        for (const char* name : { "clockblock.drl", "clockblock-NPTH.drl" }) {
            FabFile one;
            one.path = QString::fromLatin1(name);
            one.localPath = board + one.path;
            one.content = FabContent::Drill;
            one.side = FabSide::Top;
            one.slot = 6;
            FabAssignment::detectDrillFormat(one);
            FabLoadResult single = FabLoad::read({ one });
            QVERIFY(single.layers.size() == 1 && !single.layers.front().layer->objects().isEmpty());
            separate += single.layers.front().layer->objects().size();
        }
        QCOMPARE(holes, separate);
        QVERIFY2(loaded.messages.isEmpty(), qPrintable(loaded.messages.join('\n')));
    }
};

QTEST_GUILESS_MAIN(TstFabClassifier)
#include "tst_fabclassifier.moc"
