#include "app/mainwindow.h"

#include "app/applook.h"
#include "app/boardpanel.h"
#include "app/documentsession.h"
#include "app/feederpanel.h"
#include "app/hoverwatch.h"
#include "app/layerslots.h"
#include "app/placementtables.h"
#include "app/statustext.h"
#include "app/undoactions.h"
#include "fab/ui/fabricationimport.h"
#include "model/configfolder.h"
#include "resources/resources.h"
#include "ui_mainwindow.h"
#include "uikit/prompt.h"
#include "uikit/tablecolumns.h"
#include "view/ui/darstellg.h"

#include <QComboBox>
#include <QDebug>
#include <QDoubleSpinBox>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMovie>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QShowEvent>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

MainWindow::MainWindow(const QString& startupArgument, QWidget* parent)
    : QMainWindow(parent)
    , m_ui(new Ui::MainWindow)
    , m_drawingsColor(255, 0, 0)
{
    initTessavrantResources();
    m_hoverWatch = std::make_unique<HoverWatch>();
    m_statusLabel = new QLabel(this);

    // The form; the board view is its drst.
    m_ui->setupUi(this);
    m_view = m_ui->drst;
    m_ui->movieLabel->setMovie(
        new QMovie(QStringLiteral(":/ressources/images/spinner.gif"), QByteArray(), this));
    m_ui->movieLabel->hide();
    createToolbarWidgets();

    AppLook::apply();

    qDebug() << QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!ConfigFolder::ensureExists())
        qDebug() << "cannot create" << ConfigFolder::path();
    readColorSettings();
    createCollaborators();
    connect(m_ui->menuOpen_Recent, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);
    connect(m_topButton, &QPushButton::clicked, this, &MainWindow::switchBottomTop);
    connect(m_bottomButton, &QPushButton::clicked, this, &MainWindow::switchTopBottom);
    connect(m_gerberButton, &QPushButton::clicked, this, &MainWindow::switchGerberPnP);

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
    fitFiducialFields();
    // The tab titles keep the application's normal size so all three fit the narrow panel.
    QFont tabFont = m_ui->boardStuff->tabBar()->font();
    tabFont.setPointSize(qMax(6, tabFont.pointSize() - 3));
    m_ui->boardStuff->tabBar()->setFont(tabFont);

    // Fields and tables show the empty document before the first tick.
    m_tables->disconnectSignals();
    m_board->fillBoardInfoFields();
    m_board->fillFiducialFields();
    createLists();
    m_board->buildOriginsTable();
    m_feeders->rebuildFeederList();
    m_tables->connectSignals();

    m_timerId = startTimer(20, Qt::CoarseTimer);

    m_document->updateWindowTitle();
    styleSideButtons(0);
    createShortcuts();
    createStatusBarWidgets();
    connectViewActions();
    setInitialIcons();
    fillSelectorBoxes();
    // Through layer mode into placement top, so menus and buttons start in a known state.
    switchGerberPnP();
    switchBottomTop();

    m_document->applyStartupArgument(startupArgument);

    // Entries that carry no function in this version.
    m_view->setFocus();
    for (const QString& name : { QStringLiteral("actionAssembleon"), QStringLiteral("actionAssembleon_TXT"),
             QStringLiteral("actionEclipse_emerald"), QStringLiteral("actionVI3000") })
        setEntryEnabled(name, false);
    m_ui->actionGenerate_Feederlist->setText(QStringLiteral("Set Part Dimensions"));
}

MainWindow::~MainWindow()
{
    if (m_timerId)
        killTimer(m_timerId);
}

void MainWindow::createCollaborators()
{
    DocumentSession::Hooks session;
    session.blockInteraction = [this] { blockInteraction(); };
    session.unblockInteraction = [this] { unblockInteraction(); };
    session.startNewDocument = [this] { startNewDocument(); };
    session.prepareForLoad = [this] { prepareForLoad(); };
    session.showLoadedDocument = [this](bool read) { showLoadedDocument(read); };
    session.handLineDataToView = [this] { m_feeders->handLineDataToView(); };
    session.fillBoardInfoFields = [this] { m_board->fillBoardInfoFields(); };
    session.showTop = [this] { switchBottomTop(); };
    session.placementsImported = [this] { m_tables->rebuildTables(); };
    session.loadLayerFile
        = [this](const QString& path, bool drill) { return m_layers->loadFromCommandLine(path, drill); };
    session.writeColorSettings = [this] { writeColorSettings(); };
    session.colorSettingsChanged = [this] { return colorSettingsChanged(); };
    m_document = std::make_unique<DocumentSession>(*m_ui, *m_view, *this, std::move(session));

    FeederPanel::Hooks feeders;
    feeders.applyMachineSelector = [this](int machine) { m_tables->applyMachineSelector(machine); };
    feeders.placementOrderChanged = [this] { m_tables->buildPlacementTable(); };
    feeders.layerModeActive = [this] { return m_layerModeActive; };
    m_feeders = std::make_unique<FeederPanel>(*m_ui, *m_view, this, m_document->lastDirectory(), feeders);

    PlacementTables::Hooks tables;
    tables.blockInteraction = [this] { blockInteraction(); };
    tables.unblockInteraction = [this] { unblockInteraction(); };
    tables.shiftSelected = [this](bool alongX) { m_board->shiftAsked(alongX, true); };
    tables.convertToFiducial = [this](int target) { m_board->convertToFiducial(target); };
    tables.showSide = [this](bool top) { (top ? m_topButton : m_bottomButton)->click(); };
    tables.titleName = [this] { return m_document->titleName(); };
    tables.cursorPosition = [this] { return m_cursor; };
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
    installFabricationImport();
    installUndo();
}

void MainWindow::createToolbarWidgets()
{
    m_searchField = new QLineEdit(this);
    m_searchField->setObjectName(QStringLiteral("searchField"));
    m_searchField->setFixedWidth(100);
    auto* findNow = new QPushButton(QStringLiteral("Find Now"), this);
    findNow->setObjectName(QStringLiteral("findNowButton"));
    connect(findNow, &QPushButton::clicked, this, &MainWindow::searchRefDes);
    m_bottomButton = new QPushButton(QStringLiteral("BOTTOM"), this);
    m_bottomButton->setObjectName(QStringLiteral("bottomButton"));
    m_topButton = new QPushButton(QStringLiteral("TOP"), this);
    m_topButton->setObjectName(QStringLiteral("topButton"));
    m_topButton->setMinimumWidth(66);
    m_topButton->setMaximumWidth(66);
    m_gerberButton = new QPushButton(QStringLiteral("GERBER"), this);
    m_gerberButton->setObjectName(QStringLiteral("gerberButton"));
    for (QPushButton* b : { findNow, m_bottomButton, m_topButton, m_gerberButton })
        b->setFocusPolicy(Qt::NoFocus);
    m_ui->toolBar->addWidget(m_searchField);
    m_ui->toolBar->addWidget(findNow);
    m_ui->toolBar->addWidget(m_topButton);
    m_ui->toolBar->addWidget(m_bottomButton);
    m_ui->toolBar->addWidget(m_gerberButton);
}

void MainWindow::createStatusBarWidgets()
{
    m_statusLabel->setObjectName(QStringLiteral("statusLabel"));
    statusBar()->addWidget(m_statusLabel);
    statusBar()->addWidget(m_view->progressBar());
    statusBar()->addWidget(m_view->stepLabel());
}

void MainWindow::createShortcuts()
{
    const struct
    {
        Qt::Key key;
        std::function<void()> run;
    } keys[] = { { Qt::Key_T, [this] { switchBottomTop(); } }, { Qt::Key_B, [this] { switchTopBottom(); } },
        { Qt::Key_D, [this] { sigDistanceTool(); } },
        { Qt::Key_M, [this] { chooseTool(ToolMode::Movement); } },
        { Qt::Key_O, [this] { chooseTool(ToolMode::SetNewOrigin); } },
        { Qt::Key_A, [this] { chooseTool(ToolMode::MultipleSelection); } },
        { Qt::Key_S, [this] { chooseTool(ToolMode::SetNewPosition); } } };
    for (const auto& k : keys) {
        auto* shortcut = new QShortcut(QKeySequence(k.key), this);
        shortcut->setAutoRepeat(false);
        connect(shortcut, &QShortcut::activated, this, k.run);
    }
}

void MainWindow::fillSelectorBoxes()
{
    const struct
    {
        QComboBox* box;
        QStringList entries;
    } boxes[] = {
        { m_ui->FiducialGeometrySquareCircle, { QStringLiteral("Circle"), QStringLiteral("Square") } },
        { m_ui->FiducialGeometryReflect, { QStringLiteral("Reflect"), QStringLiteral("NReflect") } },
        { m_ui->BoardColorBox,
            { QStringLiteral("Green"), QStringLiteral("White"), QStringLiteral("Black"),
                QStringLiteral("Red"), QStringLiteral("Blue") } },
        { m_ui->SilkColorBox,
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
    m_board->fillFiducialFields();
}

void MainWindow::fitFiducialFields()
{
    // The fiducial fields share the narrow right panel two by two: where the font is too wide
    // for a full coordinate, theirs gets smaller rather than the value being cut.
    for (QDoubleSpinBox* box : m_ui->boardStuff->findChildren<QDoubleSpinBox*>()) {
        QFont font = box->font();
        const auto needed
            = [&] { return QFontMetrics(font).horizontalAdvance(QStringLiteral("-9999.999")) + 10; };
        while (needed() > box->width() && font.pointSizeF() > 6.0)
            font.setPointSizeF(font.pointSizeF() - 0.5);
        box->setFont(font);
    }
}

void MainWindow::showAtSavedPlace()
{
    const WindowPlacement saved = m_document->settings().window;
    if (!saved.geometry.isValid()) {
        showMaximized();
        return;
    }
    const QScreen* screen = QGuiApplication::screenAt(saved.geometry.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    setGeometry(screen ? saved.fittedInto(screen->availableGeometry()).geometry : saved.geometry);
    if (saved.maximized)
        showMaximized();
    else
        show();
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
