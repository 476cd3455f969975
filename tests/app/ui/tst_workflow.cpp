// The whole job on real boards, as a process engineer does it in the window: import, layers,
// origin, a 2 x 2 panel, a line with one machine of each family, assign, feeders, the optimizer on
// each machine, save, close, reopen and export. Each step checks what the user looks at.
// With TESSAVRANT_WORKFLOW_SHOTS set to a folder, the window is shown at 1920 x 1080 and every
// step is saved there as a PNG (run under Xvfb with QT_QPA_PLATFORM=xcb).
#include "app/mainwindow.h"
#include "corpus.h"
#include "datatable.h"
#include "dialogfit.h"
#include "gerber/gerberlayer.h"
#include "gerber/gerberreader.h"
#include "line/feederentry.h"
#include "line/feederlist.h"
#include "line/machine.h"
#include "line/machinetables.h"
#include "line/ui/linie_dlg.h"
#include "model/document.h"
#include "model/pnpentry.h"
#include "scriptedprompt.h"
#include "tables/ui/partlist.h"
#include "ui_mainwindow.h"
#include "view/boardpainter.h"
#include "view/layerbounds.h"
#include "view/selectionhits.h"
#include "view/ui/darstellg.h"
#include "view/viewmapping.h"
#include "windowfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>

#include <cmath>

namespace {

const QString kicadFolder = QStringLiteral("/gerber/gerbonara/resources/kicad-older/chibi_2024");
const QString altiumFile
    = QStringLiteral("/pnp/altium/google-deepmind_barkour_robot__Pick_Place_for_Hopper.txt");
const QStringList families { QStringLiteral("Topaz"), QStringLiteral("Opal"), QStringLiteral("Eclipse") };

void shot(QWidget& w, const QString& name)
{
    const QString folder = qEnvironmentVariable("TESSAVRANT_WORKFLOW_SHOTS");
    if (folder.isEmpty())
        return;
    QCoreApplication::processEvents();
    w.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// Every dialog the next action opens is accepted as it was preset, after `edit`.
void acceptNext(ScriptedPrompt& p, std::function<void(QDialog*)> edit = {})
{
    p.dialogHandlers.enqueue([edit](QDialog* d) {
        if (edit)
            edit(d);
        return int(QDialog::Accepted);
    });
}

// Pad centres (mm) of the flashes of a layer, as the view draws them.
QList<QPointF> flashes(const GerberLayer& layer)
{
    QList<QPointF> out;
    for (const ImageObject* o : layer.objects())
        if (o->kind() == ImageObject::flash())
            out.append(QPointF(o->x, o->y) * layer.unitFactor);
    return out;
}

// The corpus holds no centroid file of a board whose layers it holds: the KiCad board gets a
// position file as pcbnew writes it, one part per paste pad, so that every marker has its pad.
// Part types by pad aperture and a value cycle, to give the Topaz more than its 40 front sets.
QString writePositions(const QString& path, const GerberLayer& paste)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    QTextStream out(&f);
    out << "### Module positions - created for the workflow test ###\n## Unit = mm, Angle = deg.\n"
           "## Side : All\n# Ref     Val       Package      PosX       PosY       Rot  Side\n";
    int n = 0;
    for (const ImageObject* o : paste.objects()) {
        if (o->kind() != ImageObject::flash() || !o->aperture())
            continue;
        const QPointF at = QPointF(o->x, o->y) * paste.unitFactor;
        out << QStringLiteral("P%1 V%2 PAD%3 %4 %5 0.0000 top\n")
                   .arg(n + 1)
                   .arg(n % 4)
                   .arg(o->aperture()->name)
                   .arg(at.x(), 0, 'f', 4)
                   .arg(at.y(), 0, 'f', 4);
        ++n;
    }
    return path;
}

// What a reopened project must show as it was saved.
struct Snapshot
{
    QStringList placements;
    Origins origins;
    QSizeF board;
    QStringList layers;
    QStringList feeders;
    QString machine;
    int rowsOnMachine = 0;
    int feederRows = 0;
};

Snapshot snapshot(MainWindow& w)
{
    Snapshot s;
    Document& doc = w.view()->document();
    for (const PnPEntry* e : doc.currentList()) {
        s.placements << QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                            .arg(e->refDes(), e->name(), e->value())
                            .arg(e->x())
                            .arg(e->y())
                            .arg(e->line())
                            .arg(e->machine());
        s.rowsOnMachine += e->onSelectedMachine() ? 1 : 0;
    }
    s.origins = doc.origins();
    s.board = QSizeF(doc.boardInfo()->width(), doc.boardInfo()->height());
    for (int slot = 0; slot < layerSlotCount; ++slot) {
        const GerberLayer* layer = w.view()->layers().slot(true, LayerSlot(slot));
        const QList<QPointF> pads = layer ? flashes(*layer) : QList<QPointF>();
        s.layers << QStringLiteral("%1 %2 %3 %4")
                        .arg(slot)
                        .arg(layer ? layer->objects().size() : 0)
                        .arg(pads.isEmpty() ? 0.0 : pads.first().x(), 0, 'f', 6)
                        .arg(pads.isEmpty() ? 0.0 : pads.last().y(), 0, 'f', 6);
    }
    for (const Machine* m : w.feeders().lineDialog()->currentLineMachines())
        for (const FeederEntry* f : m->feeders)
            s.feeders << m->name + QLatin1Char(' ') + FeederList::toFields(*f).join(QLatin1Char(';'));
    s.machine = w.form()->comboBox->currentText();
    s.feederRows = w.form()->feeder_config->rowCount();
    return s;
}

void waitForLayers(MainWindow& w)
{
    w.view()->waitForRenders();
    QCoreApplication::processEvents();
    runTicks(w, 2);
}

} // namespace

class TstWorkflow : public QObject
{
    Q_OBJECT

private slots:
    void panelForALine_data();
    void panelForALine();
};

void TstWorkflow::panelForALine_data()
{
    // kicad: the KiCad board with its layers and drill, else Altium (mil)
    // newOrigin: where the user clicks with "Set New Origin", mm
    // board: the single board typed into the generator, mm
    columns<bool, QPointF, QSizeF>("kicad", "newOrigin", "board");
    row("KiCad, layers and drill", true, QPointF(49, -122), QSizeF(100, 79));
    row("Altium, mil", false, QPointF(-2, -2), QSizeF(60, 35));
}

void TstWorkflow::panelForALine()
{
    QFETCH(bool, kicad);
    QFETCH(QPointF, newOrigin);
    QFETCH(QSizeF, board);
    if (!corpusPresent(QStringLiteral("gerber")) || !corpusPresent(QStringLiteral("pnp")))
        QSKIP("the corpus of real CAD files is absent");
    const QString shots = kicad ? QStringLiteral("") : QStringLiteral("altium-");
    TemporaryHome home;
    ScriptedPrompt scripted;
    const QString project = home.path() + QStringLiteral("/panel.tvx");
    Snapshot saved;
    {
        MainWindow w;
        w.resize(1920, 1080);
        if (!qEnvironmentVariableIsEmpty("TESSAVRANT_WORKFLOW_SHOTS"))
            w.show();
        w.panelLayout().apply();
        runTicks(w);
        Document& doc = w.view()->document();

        // Import.
        GerberLayer paste(slotIndex(LayerSlot::Paste));
        QString pnp = corpusRoot() + altiumFile;
        if (kicad) {
            QVERIFY(loadGerber(corpusRoot() + kicadFolder + QStringLiteral("-F.Paste.gbr"), paste));
            pnp = writePositions(home.path() + QStringLiteral("/chibi_2024-all.pos"), paste);
        }
        scripted.fileAnswers.enqueue(pnp);
        acceptNext(scripted);
        (kicad ? w.form()->actionKiCad : w.form()->actionAltium)->trigger();
        const int count = doc.currentList().size();
        QCOMPARE(count, kicad ? flashes(paste).size() : 83); // Hopper: 97 parts, 14 of them below
        QVERIFY(scripted.callsOf("warning").isEmpty());
        w.view()->fitToBoard();
        shot(w, shots + QStringLiteral("01-import"));

        // Layers: copper, paste, outline and drill of the same board.
        if (kicad) {
            const std::pair<QAction*, const char*> layers[]
                = { { w.form()->actionTop, "-F.Cu.gbr" }, { w.form()->actionPaste, "-F.Paste.gbr" },
                      { w.form()->actionBoard_Outline, "-Edge.Cuts.gbr" },
                      { w.form()->actionDrill_Excellon, ".drl" } };
            for (const auto& [action, suffix] : layers) {
                scripted.fileAnswers.enqueue(corpusRoot() + kicadFolder + QLatin1String(suffix));
                if (action == w.form()->actionDrill_Excellon)
                    acceptNext(scripted); // the number format, as the file's header states it
                action->trigger();
            }
            waitForLayers(w);
            QVERIFY2(scripted.callsOf("warning").isEmpty(),
                qPrintable(scripted.callsOf("warning").value(0).detail));
            // Every hole of the drill file on the board, none ten times off.
            const QRectF outline
                = LayerBounds::extentMm(*w.view()->layers().slot(true, LayerSlot::BoardOutline), true);
            const QList<QPointF> holes = flashes(*w.view()->layers().slot(true, LayerSlot::Drill));
            QCOMPARE(holes.size(), 342);
            for (const QPointF& hole : holes)
                QVERIFY(outline.adjusted(-0.1, -0.1, 0.1, 0.1).contains(hole));
        }
        w.view()->fitToBoard();
        shot(w, shots + QStringLiteral("02-layers"));

        // Set New Origin at the board's lower left corner: placements and pads move together.
        const QList<PnPEntry*> entries = doc.currentList();
        w.tools().selectTool(ToolMode::SetNewOrigin);
        ViewState& s = w.view()->viewState();
        const QPoint click(100, w.view()->height() / 2);
        s.zoomLevel = 4;
        s.offsetX = int(std::lround(click.x() - 4 * newOrigin.x()));
        s.offsetY = int(std::lround(4 * newOrigin.y() - click.y()));
        QTest::mouseClick(w.view(), Qt::LeftButton, {}, click);
        // The first part (J21 of the Altium file at 78.74 mil) moved by the new origin.
        QVERIFY(qAbs(entries.first()->y() - ((kicad ? -82.65 : 2.0) - newOrigin.y())) < 0.01);
        w.tools().selectTool(ToolMode::SetNewPosition);
        waitForLayers(w);
        if (kicad) {
            const QList<QPointF> pads = flashes(*w.view()->layers().slot(true, LayerSlot::Paste));
            // Each placement on a paste flash, after the shift, within the two decimals kept.
            for (int i = 0; i < count; ++i)
                QVERIFY(QLineF(QPointF(entries.at(i)->x(), entries.at(i)->y()), pads.at(i)).length() < 0.02);
        }
        w.view()->fitToBoard();
        shot(w, shots + QStringLiteral("03-set-origin"));

        // A 2 x 2 panel with a 5 mm border and 2 mm spacing, then Panelize with what it offers:
        // one panel, one board size.
        acceptNext(scripted, [&](QDialog* d) {
            child<QSpinBox>(d, "columnCnt")->setValue(2);
            child<QSpinBox>(d, "rowCnt")->setValue(2);
            child<QDoubleSpinBox>(d, "sizeX")->setValue(board.width());
            child<QDoubleSpinBox>(d, "sizeY")->setValue(board.height());
            child<QDoubleSpinBox>(d, "xSpacing")->setValue(2);
            child<QDoubleSpinBox>(d, "ySpacing")->setValue(2);
            for (const char* side : { "bottom", "left", "top", "right" })
                child<QDoubleSpinBox>(d, side)->setValue(5);
            child<QCheckBox>(d, "genPCB")->setChecked(true);
            shot(*d, shots + QStringLiteral("04-generate-origin"));
        });
        w.form()->actionGenerate_origin->trigger();
        const Origins origins = doc.origins();
        const QSizeF panel(2 * board.width() + 12, 2 * board.height() + 12);
        QCOMPARE(origins.size(), 4);
        QCOMPARE(QSizeF(doc.boardInfo()->width(), doc.boardInfo()->height()), panel);
        acceptNext(scripted);
        w.form()->actionPanelize->trigger();
        QCOMPARE(doc.origins(), origins);
        QCOMPARE(QSizeF(doc.boardInfo()->width(), doc.boardInfo()->height()), panel);
        QCOMPARE(BoardPainter::boardOutline(doc), QRectF(QPointF(0, 0), panel));

        // Every cell: the hit test and hover find the placement where its marker is drawn, and
        // the copper is drawn under it (a pixel with the pick-and-place markers hidden).
        waitForLayers(w);
        ViewState state = w.view()->viewState();
        state.zoomLevel = 8;
        state.offsetX = 10;
        state.offsetY = 0;
        state.filters.showPickAndPlace = false;
        const QSize size(int(panel.width() * 8) + 20, int(panel.height() * 8) + 20);
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        BoardScene scene = w.view()->scene();
        scene.state = &state;
        {
            QPainter p(&image);
            BoardPainter().paint(p, size, scene);
        }
        const ViewMapping m = ViewMapping::of(state, size.height());
        const QRgb body = image.pixel(m.point(1, 1)); // the border: board, no copper
        const QList<QPointF> bases = SelectionHits::placementBases(doc);
        QCOMPARE(bases.size(), 4);
        for (const QPointF& base : bases) {
            for (const PnPEntry* e : entries) {
                const QPointF at = base + QPointF(e->x(), e->y());
                QCOMPARE(SelectionHits::placementAt(doc, at + QPointF(0.3, -0.3)), e);
                if (kicad)
                    QVERIFY2(image.pixel(m.point(at.x(), at.y())) != body, qPrintable(e->refDes()));
            }
        }
        w.view()->fitToBoard();
        shot(w, shots + QStringLiteral("05-panel"));

        // A line with one machine of each family, made in "Production Line".
        acceptNext(scripted, [&](QDialog* d) {
            for (int i = 0; i < families.size(); ++i) {
                child<QPushButton>(d, "addMachineButton")->click();
                auto* name = child<QLineEdit>(d, "nameField");
                name->setText(families.at(i));
                emit name->editingFinished();
                child<QComboBox>(d, "machineType")->setCurrentIndex(i);
            }
            shot(*d, shots + QStringLiteral("06-line"));
            child<QPushButton>(d, "okButton")->click();
        });
        w.form()->actionLinie_erstellen->trigger();
        runTicks(w);
        QCOMPARE(w.form()->comboBox->count(), 4);

        // Each family in turn: assign every part type, generate the feeders, optimize.
        for (int machine = 1; machine <= families.size(); ++machine) {
            w.form()->comboBox->setCurrentIndex(machine);
            w.form()->teile->selectAll();
            w.form()->teile->debugOutput(machine);
            runTicks(w, 1);
            w.form()->actionGenerate_Feederlist->trigger();
            const Machine* m = w.feeders().lineDialog()->currentLineMachines().at(machine - 1);
            QVERIFY(!m->feeders.isEmpty());
            const QVector<int> sets = generationSets(m->type);
            for (const FeederEntry* f : m->feeders)
                QVERIFY2(sets.contains(f->setNo), qPrintable(f->name + ' ' + QString::number(f->setNo)));
            w.form()->actionTOPAZ_OPAL_single_CAM->trigger();
            QVERIFY2(scripted.callsOf("warning").isEmpty(),
                qPrintable(
                    scripted.callsOf("warning").value(0).text + scripted.callsOf("warning").value(0).detail));
            QCOMPARE(scripted.callsOf("information").last().title, QStringLiteral("Success"));
            // Every placement once in the optimized order.
            QSet<const PnPEntry*> ordered;
            for (const PnPEntry* e : doc.currentList())
                ordered.insert(e);
            QCOMPARE(ordered.size(), count);
            QCOMPARE(doc.currentList().size(), count);
            if (machine == 1)
                shot(w, shots + QStringLiteral("07-optimized"));
        }

        // Save and close.
        saved = snapshot(w);
        QCOMPARE(saved.machine, families.last());
        QCOMPARE(saved.rowsOnMachine, count);
        scripted.fileAnswers.enqueue(project);
        w.form()->actionSpeichern_unter->trigger();
        QVERIFY(!w.view()->document().isModified());
        QVERIFY(closeWindow(w));
    }
    // For comparing two builds: TESSAVRANT_WORKFLOW_SAVE_COPY=PATH keeps the saved project of
    // each row as PATH with the row (kicad / altium) before its suffix.
    const QString copy = qEnvironmentVariable("TESSAVRANT_WORKFLOW_SAVE_COPY");
    if (!copy.isEmpty()) {
        const QFileInfo to(copy);
        const QString target = to.path() + QLatin1Char('/') + to.completeBaseName()
            + (kicad ? QStringLiteral("-kicad.") : QStringLiteral("-altium.")) + to.suffix();
        QFile::remove(target);
        QVERIFY(QFile::copy(project, target));
    }

    // Reopen: the same panel, layers, feeder lists, and the machine the placements are on.
    MainWindow w(project);
    w.resize(1920, 1080);
    if (!qEnvironmentVariableIsEmpty("TESSAVRANT_WORKFLOW_SHOTS"))
        w.show();
    w.panelLayout().apply();
    runTicks(w, 3);
    waitForLayers(w);
    QVERIFY(scripted.callsOf("warning").isEmpty());
    const Snapshot reopened = snapshot(w);
    QCOMPARE(reopened.placements, saved.placements);
    QCOMPARE(reopened.origins, saved.origins);
    QCOMPARE(reopened.layers, saved.layers);
    QCOMPARE(reopened.feeders, saved.feeders);
    QCOMPARE(reopened.machine, saved.machine);
    QCOMPARE(reopened.board, saved.board);
    QCOMPARE(reopened.rowsOnMachine, saved.rowsOnMachine); // no grey rows
    QCOMPARE(reopened.feederRows, saved.feederRows);
    w.view()->fitToBoard();
    shot(w, shots + QStringLiteral("08-reopened"));

    // Export the placements.
    const QString csv = home.path() + QStringLiteral("/panel.csv");
    scripted.fileAnswers.enqueue(csv);
    acceptNext(scripted);
    w.form()->actionPick_And_Place_Data->trigger();
    QFile exported(csv);
    QVERIFY(exported.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(exported.readAll());
    for (const QString& row : saved.placements)
        QVERIFY2(text.contains(row.section(QLatin1Char(' '), 0, 0)), qPrintable(row));
}

QTEST_MAIN(TstWorkflow)
#include "tst_workflow.moc"
