#include "app/mainwindow.h"

#include "app/applook.h"
#include "app/boardpanel.h"
#include "app/documentsession.h"
#include "app/feederpanel.h"
#include "app/layerslots.h"
#include "app/modeactions.h"
#include "app/panellayout.h"
#include "app/placementtables.h"
#include "app/toolactions.h"
#include "app/undoactions.h"
#include "app/windowcolors.h"
#include "app/windowmodes.h"
#include "app/windowstatus.h"
#include "fab/ui/fabricationimport.h"
#include "model/configfolder.h"
#include "model/version.h"
#include "pnpio/ui/pnpimportactions.h"
#include "resources/resources.h"
#include "settings/ui/search_dlg.h"
#include "ui_mainwindow.h"
#include "uikit/prompt.h"
#include "uikit/tablecolumns.h"
#include "view/ui/darstellg.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDebug>
#include <QDoubleSpinBox>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QMovie>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QTimerEvent>

namespace {
void fitFiducialFields(Ui::MainWindow& ui)
{
    // The fiducial fields share the narrow right panel two by two: where the font is too wide
    // for a full coordinate, theirs gets smaller rather than the value being cut.
    for (QDoubleSpinBox* box : ui.boardStuff->findChildren<QDoubleSpinBox*>()) {
        QFont font = box->font();
        const auto needed
            = [&] { return QFontMetrics(font).horizontalAdvance(QStringLiteral("-9999.999")) + 10; };
        while (needed() > box->width() && font.pointSizeF() > 6.0)
            font.setPointSizeF(font.pointSizeF() - 0.5);
        box->setFont(font);
    }
}

void fillSelectorBoxes(Ui::MainWindow& ui)
{
    const struct
    {
        QComboBox* box;
        QStringList entries;
    } boxes[] = {
        { ui.FiducialGeometrySquareCircle, { QStringLiteral("Circle"), QStringLiteral("Square") } },
        { ui.FiducialGeometryReflect, { QStringLiteral("Reflect"), QStringLiteral("NReflect") } },
        { ui.BoardColorBox,
            { QStringLiteral("Green"), QStringLiteral("White"), QStringLiteral("Black"),
                QStringLiteral("Red"), QStringLiteral("Blue") } },
        { ui.SilkColorBox,
            { QStringLiteral("White"), QStringLiteral("Black"), QStringLiteral("Yellow"),
                QStringLiteral("Red") } },
    };
    // Filling is not an edit: the boxes' change handlers would mark the document modified.
    for (const auto& b : boxes) {
        const bool blocked = b.box->blockSignals(true);
        b.box->clear();
        b.box->addItems(b.entries);
        b.box->blockSignals(blocked);
    }
}
} // namespace

MainWindow::MainWindow(const QString& startupArgument, QWidget* parent)
    : QMainWindow(parent)
    , m_ui(new Ui::MainWindow)
{
    initTessavrantResources();

    // The form; the board view is its drst.
    m_ui->setupUi(this);
    m_view = m_ui->drst;
    m_ui->movieLabel->setMovie(
        new QMovie(QStringLiteral(":/ressources/images/spinner.gif"), QByteArray(), this));
    m_ui->movieLabel->hide();
    m_searchField = new QLineEdit(this);
    m_searchField->setObjectName(QStringLiteral("searchField"));
    m_searchField->setFixedWidth(100);
    auto* findNow = new QPushButton(QStringLiteral("Find Now"), this);
    findNow->setObjectName(QStringLiteral("findNowButton"));
    findNow->setFocusPolicy(Qt::NoFocus);
    connect(findNow, &QPushButton::clicked, this, &MainWindow::searchRefDes);
    m_ui->toolBar->addWidget(m_searchField);
    m_ui->toolBar->addWidget(findNow);

    AppLook::apply();

    qDebug() << QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!ConfigFolder::ensureExists())
        qDebug() << "cannot create" << ConfigFolder::path();
    createCollaborators();
    connect(m_ui->menuOpen_Recent, &QMenu::aboutToShow, m_document.get(), &DocumentSession::fillRecentMenu);
    connect(m_modes->topButton(), &QPushButton::clicked, this, &MainWindow::switchBottomTop);
    connect(m_modes->bottomButton(), &QPushButton::clicked, this, &MainWindow::switchTopBottom);
    connect(m_modes->gerberButton(), &QPushButton::clicked, this, &MainWindow::switchGerberPnP);
    // Entries that have no slot of their own.
    connect(m_ui->actionKiCad, &QAction::triggered, m_tables.get(),
        [this] { m_tables->importPlacements(PnPImportActions::importKiCad, m_document->lastDirectory()); });
    connect(m_ui->actionTOPAZ_OPAL_single_CAM, &QAction::triggered, m_feeders.get(), &FeederPanel::optimize);
    connect(m_ui->actionAbout, &QAction::triggered, this, [this] {
        prompt().information(
            this, QStringLiteral("About"), Version::programText() + QLatin1Char('\n') + Version::buildText());
    });

    m_ui->pickandplacepositionen->setColumnCount(11);
    m_ui->pickandplacepositionen->setHorizontalHeaderLabels({ QStringLiteral("RefDes"),
        QStringLiteral("Value"), QStringLiteral("Name"), QStringLiteral("X(mm)"), QStringLiteral("Y(mm)"),
        QStringLiteral("Rotate"), QStringLiteral("Comment"), QStringLiteral("Exec"), QStringLiteral("Head"),
        QStringLiteral("Side"), QStringLiteral("Machine") });
    // The tables start at their default widths (45, 60, 60, 45, ... and 40, 90, 90), and
    // columns whose header or numbers need more grow to fit them.
    m_ui->pickandplacepositionen->columns()->fit();
    m_ui->teile->setColumnCount(3);
    m_ui->teile->setHorizontalHeaderLabels(
        { QStringLiteral("Qty"), QStringLiteral("Value"), QStringLiteral("Name") });
    m_ui->teile->columns()->fit();
    fitFiducialFields(*m_ui);
    // The tab titles keep the application's normal size so all three fit the narrow panel.
    QFont tabFont = m_ui->boardStuff->tabBar()->font();
    tabFont.setPointSize(qMax(6, tabFont.pointSize() - 3));
    m_ui->boardStuff->tabBar()->setFont(tabFont);

    // Fields and tables show the empty document before the first tick.
    m_tables->disconnectSignals();
    m_board->fillBoardInfoFields();
    m_board->fillFiducialFields();
    m_tables->createLists();
    m_board->buildOriginsTable();
    m_feeders->rebuildFeederList();
    m_tables->connectSignals();

    m_timerId = startTimer(20, Qt::CoarseTimer);

    m_document->updateWindowTitle();
    const struct
    {
        Qt::Key key;
        std::function<void()> run;
    } keys[] = { { Qt::Key_T, [this] { switchBottomTop(); } }, { Qt::Key_B, [this] { switchTopBottom(); } },
        { Qt::Key_D, [this] { sigDistanceTool(); } },
        { Qt::Key_M, [this] { m_tools->chooseTool(ToolMode::Movement); } },
        { Qt::Key_O, [this] { m_tools->chooseTool(ToolMode::SetNewOrigin); } },
        { Qt::Key_A, [this] { m_tools->chooseTool(ToolMode::MultipleSelection); } },
        { Qt::Key_S, [this] { m_tools->chooseTool(ToolMode::SetNewPosition); } } };
    for (const auto& k : keys) {
        auto* shortcut = new QShortcut(QKeySequence(k.key), this);
        shortcut->setAutoRepeat(false);
        connect(shortcut, &QShortcut::activated, this, k.run);
    }
    m_status = std::make_unique<WindowStatus>(*m_ui, *m_view, *this);
    m_tools->connectActions();
    m_tools->setInitialIcons();
    fillSelectorBoxes(*m_ui);
    m_board->fillFiducialFields();
    // Through layer mode into placement top, so menus and buttons start in a known state.
    switchGerberPnP();
    switchBottomTop();

    m_document->applyStartupArgument(startupArgument);

    // Entries that carry no function in this version.
    m_view->setFocus();
    for (const QString& name : ModeActions::withoutFunction())
        m_modes->setEntryEnabled(name, false);
    m_ui->actionGenerate_Feederlist->setText(QStringLiteral("Set Part Dimensions"));
}

MainWindow::~MainWindow()
{
    if (m_timerId)
        killTimer(m_timerId);
}

void MainWindow::createCollaborators()
{
    m_panelLayout = std::make_unique<PanelLayout>(
        *m_ui, *m_view, *this, [this] { return m_modes && m_modes->layerModeActive(); });
    m_colors = std::make_unique<WindowColors>(*m_ui, *m_view, m_panelLayout->state(), *this,
        [this] { return m_modes && m_modes->layerModeActive(); });
    m_colors->read();

    DocumentSession::Hooks session;
    session.blockInteraction = [this] { blockInteraction(); };
    session.unblockInteraction = [this] { unblockInteraction(); };
    session.startNewDocument = [this] {
        m_modes->startNewDocument();
        m_undo->clear();
    };
    session.prepareForLoad = [this] { m_modes->prepareForLoad(); };
    session.showLoadedDocument = [this](bool read) {
        m_modes->showLoadedDocument(read);
        m_undo->clear();
    };
    session.handLineDataToView = [this] { m_feeders->handLineDataToView(); };
    session.fillBoardInfoFields = [this] { m_board->fillBoardInfoFields(); };
    session.showTop = [this] { switchBottomTop(); };
    session.placementsImported = [this] { m_tables->rebuildTables(); };
    session.loadLayerFile
        = [this](const QString& path, bool drill) { return m_layers->loadFromCommandLine(path, drill); };
    session.writeColorSettings = [this] { m_colors->write(); };
    session.colorSettingsChanged = [this] { return m_colors->changed(); };
    m_document = std::make_unique<DocumentSession>(*m_ui, *m_view, *this, std::move(session));

    FeederPanel::Hooks feeders;
    feeders.applyMachineSelector = [this](int machine) { m_tables->applyMachineSelector(machine); };
    feeders.placementOrderChanged = [this] { m_tables->buildPlacementTable(); };
    feeders.layerModeActive = [this] { return m_modes && m_modes->layerModeActive(); };
    m_feeders = std::make_unique<FeederPanel>(*m_ui, *m_view, this, m_document->lastDirectory(), feeders);

    PlacementTables::Hooks tables;
    tables.blockInteraction = [this] { blockInteraction(); };
    tables.unblockInteraction = [this] { unblockInteraction(); };
    tables.shiftSelected = [this](bool alongX) { m_board->shiftAsked(alongX, true); };
    tables.convertToFiducial = [this](int target) { m_board->convertToFiducial(target); };
    tables.showSide = [this](bool top) { (top ? m_modes->topButton() : m_modes->bottomButton())->click(); };
    tables.titleName = [this] { return m_document->titleName(); };
    tables.cursorPosition = [this] { return m_status->cursor(); };
    m_tables = std::make_unique<PlacementTables>(*m_ui, *m_view, *m_feeders, *m_searchField, this, tables);
    connect(m_searchField, &QLineEdit::returnPressed, this, &MainWindow::searchRefDes);

    LayerSlots::Hooks layers;
    layers.blockInteraction = [this] { blockInteraction(); };
    layers.unblockInteraction = [this] { unblockInteraction(); };
    layers.panelize = [this] { m_board->panelizeAsked(); };
    layers.openPackage = [this](const QString& path) {
        if (!FabricationImport::isPackage(path))
            return false;
        m_fabImport->lastDirectory = m_document->lastDirectory();
        m_fabImport->open(path);
        return true;
    };
    m_layers = std::make_unique<LayerSlots>(*m_ui, *m_view, this, m_document->lastDirectory(), layers);
    m_board = std::make_unique<BoardPanel>(*m_ui, *m_view, *m_tables, *this);
    m_tools = std::make_unique<ToolActions>(*m_ui, *m_view, *m_tables, *m_board, *this);
    m_modes = std::make_unique<WindowModes>(*m_ui, *m_view, *this,
        WindowModes::Parts {
            *m_tables, *m_feeders, *m_layers, *m_board, *m_tools, *m_colors, *m_panelLayout });

    // The fabrication package import: its File menu entry and dropped packages.
    m_fabImport = new FabricationImport(m_view, this);
    m_fabImport->lastDirectory = m_document->lastDirectory();
    m_fabImport->addMenuEntry(m_ui->menuTopPaste, m_ui->menuImportieren->menuAction());
    connect(m_fabImport, &FabricationImport::loaded, m_tables.get(), &PlacementTables::createLists);

    // Undo and redo; after a step was taken back the window shows the document anew.
    UndoActions::Hooks undo;
    undo.blocked = [this] { return m_view->interactionBlocked(); };
    undo.restored = [this] {
        // The entries were made anew: nothing may keep the old ones.
        m_tables->searchDialog()->reset();
        m_tools->reset();
        m_tables->disconnectSignals();
        m_layers->buildTable();
        m_layers->renderSideLayers();
        m_board->fillBoardInfoFields();
        m_board->fillFiducialFields();
        m_board->buildOriginsTable();
        m_tables->createLists();
        m_tables->connectSignals();
        m_view->update();
    };
    m_undo = std::make_unique<UndoActions>(*m_view, *m_feeders, *m_ui->menuTools, *m_ui->toolBar,
        m_ui->actionSetNewPosition, std::move(undo), this);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // A file given at start was read before the view had a size; once the window is shown by
    // the program (not restored by the window system), bring the board into view if none of it
    // shows.
    if (!event->spontaneous())
        QTimer::singleShot(0, this, [this] { m_view->fitIfBoardOutOfView(); });
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    Search_dlg* search = m_tables->searchDialog();
    if (search->isVisible())
        search->close();
    if (!m_document->confirmClose()) {
        event->ignore();
        return;
    }
    // Where the window stood, for the next start; a window never shown has no place to keep.
    if (isVisible())
        m_document->rememberWindow(normalGeometry(), isMaximized());
    event->accept();
}

void MainWindow::paintEvent(QPaintEvent* event)
{
    m_panelLayout->apply();
    QMainWindow::paintEvent(event);
}

void MainWindow::mousePressEvent(QMouseEvent* event)
{
    if (m_panelLayout->press(event))
        return;
    // A press inside the view hands it the keyboard and goes to the current tool.
    if (m_view->geometry().translated(m_ui->centralWidget->pos()).contains(event->pos()))
        m_view->setFocus();
    // A tool's drag, from press to release, is one undo step.
    m_undo->toolPressed();
    if (!m_tools->press(event)) {
        m_undo->toolReleased(QString());
        QMainWindow::mousePressEvent(event);
    }
}

void MainWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (m_panelLayout->move(event))
        return;
    m_tools->move(event);
    QMainWindow::mouseMoveEvent(event);
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event)
{
    m_tools->stopDragging();
    if (m_panelLayout->release())
        return;
    m_tools->release(event);
    m_undo->toolReleased(UndoActions::toolStepName(m_view->viewState().tool));
    QMainWindow::mouseReleaseEvent(event);
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    if (!m_tools->keyPress(event))
        QMainWindow::keyPressEvent(event);
}

void MainWindow::keyReleaseEvent(QKeyEvent* event)
{
    if (!m_tools->keyRelease(event))
        QMainWindow::keyReleaseEvent(event);
}

void MainWindow::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_timerId) {
        QMainWindow::timerEvent(event);
        return;
    }
    tick();
}

void MainWindow::tick()
{
    // A step that processes events (a table rebuild, a project load) must not start the
    // next tick inside this one, nor run requests that change the list being shown.
    if (m_inTick || m_tables->creatingLists())
        return;
    m_inTick = true;
    // The order matters: the cursor position feeds the status line and hover, table requests
    // run before the save action looks at the modified flag, and the after-load step sees
    // everything a load changed in this tick.
    m_status->tickCursorPosition();
    m_document->tickPendingOpen();
    m_status->tickRenderProgress();
    m_tools->tickEdgeScrolling();
    m_status->tickStatusText();
    m_panelLayout->tickBoundary();
    m_tables->executeRequests();
    m_document->tickSaveAction();
    m_layers->executeRequests();
    m_tables->executeMachineRequests();
    m_feeders->executeRequests();
    m_feeders->tickLineChanged();
    m_tables->refreshSearch();
    m_document->tickAfterLoad();
    m_undo->tick();
    m_inTick = false;
}
