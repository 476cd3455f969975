#include "app/modeactions.h"
#include "datatable.h"
#include "gerber/gerberlayer.h"
#include "model/version.h"
#include "ui_mainwindow.h"
#include "view/ui/darstellg.h"
#include "windowfixture.h"

#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>

// The main window as a user meets it: start-up state, the three modes with what they enable,
// blocking, the feeder toggle, the layout and the status line.
class TstMainWindow : public QObject
{
    Q_OBJECT
private:
    static bool entryEnabled(MainWindow& w, const QString& name)
    {
        if (QMenu* menu = w.findChild<QMenu*>(name))
            return menu->menuAction()->isEnabled();
        QAction* action = w.findChild<QAction*>(name);
        if (!action)
            qFatal("no entry %s", qPrintable(name));
        return action->isEnabled();
    }
private slots:
    void startsInPlacementTop()
    {
        auto&& [home, scripted, w] = WindowUnderTest();
        QCOMPARE(shownTitle(w), QStringLiteral("unbenannt - ") + Version::programText());
        QVERIFY(!w.form()->movieLabel->isVisibleTo(&w));
        for (const QString& name : ModeActions::withoutFunction())
            QVERIFY2(!entryEnabled(w, name), qPrintable(name));
        QCOMPARE(w.view()->toolMode(), ToolMode::SetNewPosition);
        // Start-up is not an edit.
        QVERIFY(!w.view()->document().isModified() && scripted.calls.isEmpty());
        QVERIFY(QDir(home.configPath()).exists());
        QCOMPARE(w.documentSession().lastDirectory(), home.path() + QStringLiteral("/Desktop"));
    }

    void modeSwitches_data()
    {
        // active: 0 top, 1 bottom, 2 layer mode
        columns<QString, bool, int, int>("keys", "feederOpen", "active", "offsetChange");
        row("start: placement, top", "", false, 0, 0);
        row("layer mode", "G", false, 2, -28);
        row("layer mode, feeder open", "G", true, 2, -230);
        row("layer mode and back", "GT", false, 0, 0);
        row("bottom", "B", false, 1, 0);
        row("bottom, layer, top", "BGT", true, 0, 0);
        row("layer twice stays", "GG", false, 2, -28);
        row("layer, bottom", "GB", false, 1, 0);
    }

    void modeSwitches()
    {
        QFETCH(QString, keys);
        QFETCH(bool, feederOpen);
        QFETCH(int, active);
        auto&& [home, scripted, w] = WindowUnderTest();
        if (feederOpen)
            w.form()->viewFeederButton->click();
        const int offset = w.view()->viewOffsetY();
        // As a project written with another background leaves them: holes must not keep it.
        for (bool top : { true, false })
            w.view()->layers().slot(top, LayerSlot::Drill)->color = Qt::red;
        for (const QChar k : keys)
            (k == 'G'          ? w.modes().gerberButton()
                    : k == 'T' ? w.modes().topButton()
                               : w.modes().bottomButton())
                ->click();
        const bool layer = active == 2;
        QVERIFY(w.modes().layerModeActive() == layer && w.view()->document().gerberMode() == layer);
        QTEST(w.view()->viewOffsetY() - offset, "offsetChange");
        for (bool top : { true, false })
            QCOMPARE(w.view()->layers().slot(top, LayerSlot::Drill)->color,
                !keys.contains('G') ? QColor(Qt::red) : w.view()->viewState().colours.background);
        if (!layer)
            QCOMPARE(w.view()->document().activeSideIsTop(), active == 0);
        for (const QString& name : ModeActions::placementOnly())
            QVERIFY2(entryEnabled(w, name) == !layer, qPrintable(name));
        QCOMPARE(QVector<bool>({ w.form()->menuImport->menuAction()->isVisible(),
                     w.form()->menuImportieren->menuAction()->isVisible() }),
            QVector<bool>({ layer, !layer }));
        for (QWidget* panel : std::initializer_list<QWidget*> { w.form()->teile,
                 w.form()->pickandplacepositionen, w.form()->feeder_config, w.form()->boardStuff })
            QCOMPARE(panel->isVisibleTo(&w), !layer);
        QCOMPARE(w.form()->gerber_table->isVisibleTo(&w), layer);
        QVERIFY(scripted.calls.isEmpty());
    }

    // Showing the side already shown only repaints; a switch resets the tool and deselects.
    void switchingSides()
    {
        auto&& [home, prompt, w] = WindowUnderTest();
        auto* entry = new PnPEntry("R1", "0805", 1, 1, "top", 0, "10k", "1", "");
        w.view()->document().appendEntry(entry);
        entry->setSelected(true);
        w.tools().selectTool(ToolMode::Measure);
        w.switchBottomTop();
        QCOMPARE(w.view()->toolMode(), ToolMode::Measure);
        w.switchTopBottom();
        QCOMPARE(w.view()->toolMode(), ToolMode::SetNewPosition);
        QVERIFY(!w.view()->document().activeSideIsTop());
        w.switchBottomTop();
        QVERIFY(!entry->selected() && w.view()->document().currentList().size() == 1);
    }

    void singleKeysSwitchModesAndTools()
    {
        auto&& [home, scripted, w] = WindowUnderTest();
        w.show();
        w.activateWindow();
        if (!QTest::qWaitForWindowActive(&w))
            QSKIP("the window does not become active on this platform, so shortcuts cannot fire");
        w.view()->setFocus();
        const std::pair<Qt::Key, ToolMode> steps[]
            = { { Qt::Key_D, ToolMode::Measure }, { Qt::Key_D, ToolMode::SetNewPosition },
                  { Qt::Key_M, ToolMode::Movement }, { Qt::Key_O, ToolMode::SetNewOrigin },
                  { Qt::Key_A, ToolMode::MultipleSelection }, { Qt::Key_S, ToolMode::SetNewPosition } };
        for (const auto& [key, tool] : steps) {
            QTest::keyClick(w.view(), key);
            QCOMPARE(w.view()->toolMode(), tool);
        }
        QTest::keyClick(w.view(), Qt::Key_B);
        QVERIFY(!w.view()->document().activeSideIsTop());
        QTest::keyClick(w.view(), Qt::Key_T);
        QVERIFY(w.view()->document().activeSideIsTop());
    }

    void layerModeRefusesSelectionTools()
    {
        auto&& [home, scripted, w] = WindowUnderTest();
        w.switchGerberPnP();
        w.form()->actionMultiSelect->trigger();
        w.form()->actionrotate_selection->trigger();
        QCOMPARE(w.view()->toolMode(), ToolMode::SetNewPosition);
        const QString refused = QStringLiteral("not available: This tool isn't available in this mode");
        QCOMPARE(scripted.said("warning"), QStringList({ refused, refused }));
    }

    void blockAndUnblock_data()
    {
        columns<bool, bool>("layerMode", "modified");
        row("top, unmodified", false, false);
        row("top, modified", false, true);
        row("layer mode, modified", true, true);
    }

    void blockAndUnblock()
    {
        QFETCH(bool, layerMode);
        QFETCH(bool, modified);
        auto&& [home, prompt, w] = WindowUnderTest();
        if (layerMode)
            w.switchGerberPnP();
        w.view()->document().setModified(modified);
        w.blockInteraction();
        QVERIFY(w.view()->interactionBlocked());
        for (const QString& menu : ModeActions::blockedMenus())
            QVERIFY(!entryEnabled(w, menu));
        for (QWidget* widget :
            std::initializer_list<QWidget*> { w.modes().topButton(), w.modes().bottomButton(),
                w.modes().gerberButton(), w.form()->teile, w.form()->boardStuff, w.form()->gerber_table,
                w.form()->feeder_config, w.view()->zoomBox(), w.view()->gridSpinBox() })
            QVERIFY(!widget->isEnabled());
        // The driver keeps Save off while blocked.
        runTicks(w);
        for (QAction* a : { w.form()->actionSetNewPosition, w.form()->actionShow_RefDes,
                 w.form()->actionSpeicher, w.form()->actionRotate })
            QVERIFY(!a->isEnabled());

        w.unblockInteraction();
        QVERIFY(!w.view()->interactionBlocked());
        for (const QString& menu : ModeActions::blockedMenus())
            QVERIFY(entryEnabled(w, menu));
        QVERIFY(w.modes().topButton()->isEnabled() && w.form()->actionMeasure->isEnabled());
        QCOMPARE(QVector<bool>({ w.form()->actionSpeicher->isEnabled(),
                     w.form()->actionGenerate_origin->isEnabled(), w.form()->actionSearch->isEnabled() }),
            QVector<bool>({ modified, !layerMode, !layerMode }));
    }

    void feederToggle()
    {
        auto&& [home, prompt, w] = WindowUnderTest();
        QPushButton* button = w.form()->viewFeederButton;
        const int offset = w.view()->viewOffsetY();
        // The panel heights themselves: tst_windowlayout.
        for (const bool open : { false, true, false }) {
            if (open || button->text() != QString(QChar(0x25B2)))
                button->click();
            QCOMPARE(button->text(), QString(QChar(open ? 0x25BC : 0x25B2)));
            QCOMPARE(w.view()->viewOffsetY(), offset + (open ? 202 : 0));
        }
    }

    void statusLineFollowsTheCursor()
    {
        auto&& [home, prompt, w] = WindowUnderTest();
        w.resize(1400, 900);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.panelLayout().apply();
        Darstellg* v = w.view();
        // Outside the view.
        QCursor::setPos(w.mapToGlobal(QPoint(5, 5)));
        runTicks(w);
        if (QCursor::pos() != w.mapToGlobal(QPoint(5, 5)))
            QSKIP("the platform does not move the cursor");
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("statusLabel"))->text(),
            QStringLiteral(" X: 0.00 mm Y: 0.00 mm | current machine: line 1 - (none)"));

        // Over the view at X 12.5 mm, Y 3 mm: x = offsetX + 12.5 z, y = h + offsetY - 3 z.
        auto* entry = new PnPEntry("R7", "0805", 12.5, 3.0, "top", 0, "4k7", "1", "");
        v->document().appendEntry(entry);
        const int z = v->zoomLevel();
        const QPoint p(v->viewOffsetX() + int(12.5 * z), v->height() + v->viewOffsetY() - 3 * z);
        QCursor::setPos(v->mapToGlobal(p));
        runTicks(w);
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("statusLabel"))->text(),
            QStringLiteral(" X: 12.50 mm Y: 3.00 mm | R7 0805 4k7 | current machine: line 1 - (none)"));
        QCOMPARE(entry->hoverState(), 1);
        // Leaving the view lets the highlight go.
        QCursor::setPos(w.mapToGlobal(QPoint(5, 5)));
        runTicks(w);
        QCOMPARE(entry->hoverState(), 0);
    }

    void renderProgressDrivesTheBar()
    {
        auto&& [home, prompt, w] = WindowUnderTest();
        Darstellg* v = w.view();
        v->viewState().render = { true, 1, 3 };
        runTicks(w);
        QProgressBar* bar = v->progressBar();
        QVERIFY(!bar->isHidden());
        QCOMPARE(QPoint(bar->value(), bar->maximum()), QPoint(1, 3));
        for (QAction* a : { w.form()->actionRotate, w.form()->actionMirror, w.form()->actionSetNewOrigin })
            QVERIFY(!a->isEnabled());

        // A layer still read by a render thread keeps them off, whatever the counters say.
        auto layer = std::make_unique<GerberLayer>(0);
        GerberLayer* busy = layer.get();
        layer->busy = true;
        v->layers().replace(LayerList::Top, 0, std::move(layer));
        v->viewState().render.reached = 3;
        runTicks(w);
        QVERIFY(!w.form()->actionRotate->isEnabled());
        busy->busy = false;
        runTicks(w);
        QVERIFY(!v->viewState().render.rendering && bar->isHidden());
        for (QAction* a : { w.form()->actionRotate, w.form()->actionMirror, w.form()->actionSetNewOrigin })
            QVERIFY(a->isEnabled());
    }

    void boardFieldsValidate()
    {
        auto&& [home, scripted, w] = WindowUnderTest();
        w.form()->boardWidth->setText(QStringLiteral("12,5"));
        emit w.form()->boardWidth->editingFinished();
        QCOMPARE(w.form()->boardWidth->text(), QStringLiteral("12.5"));
        QVERIFY(w.view()->document().boardInfo()->width() == 12.5 && w.view()->document().isModified());
        w.form()->boardComment->setText(QStringLiteral("first;second"));
        emit w.form()->boardComment->editingFinished();
        QCOMPARE(scripted.said("warning"),
            QStringList { "Invalid Characters: Your input contains invalid characters" });
        QVERIFY(w.form()->boardComment->text().isEmpty());
    }
};

QTEST_MAIN(TstMainWindow)
#include "tst_mainwindow.moc"
