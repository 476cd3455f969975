#include "app/mainwindow.h"

#include "app/applook.h"
#include "app/hoverwatch.h"
#include "app/statustext.h"
#include "model/configfolder.h"
#include "resources/resources.h"
#include "settings/ui/search_dlg.h"
#include "ui_mainwindow.h"
#include "uikit/prompt.h"
#include "uikit/tablecolumns.h"
#include "view/ui/darstellg.h"

#include <QComboBox>
#include <QDebug>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMovie>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QSignalMapper>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>

MainWindow::MainWindow(const QString& startupArgument, QWidget* parent)
    : QMainWindow(parent)
    , m_ui(new Ui::MainWindow)
    , m_titleName(BoardInfo::defaultName())
    , m_drawingsColor(255, 0, 0)
{
    initTessavrantResources();
    m_hoverWatch = std::make_unique<HoverWatch>();
    m_statusLabel = new QLabel(this);
    m_machineMapper = new QSignalMapper(this);
    m_movie = new QMovie(QStringLiteral(":/ressources/images/spinner.gif"), QByteArray(), this);

    // The form; the board view is its drst.
    m_ui->setupUi(this);
    m_view = m_ui->drst;
    m_ui->movieLabel->setMovie(m_movie);
    m_ui->movieLabel->hide();
    createToolbarWidgets();

    AppLook::apply();

    createConfigFolder();
    readColorSettings();
    m_session = SessionSettings::read(SessionSettings::path());
    connect(m_ui->menuOpen_Recent, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);
    createLineDialog();
    // File dialogs start on the desktop, then in the folder of the last chosen file.
    m_lastDirectory = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);

    m_searchDialog = new Search_dlg(this);
    createViewContextMenu();
    connect(m_searchField, &QLineEdit::returnPressed, this, &MainWindow::searchRefDes);
    connect(m_findNowButton, &QPushButton::clicked, this, &MainWindow::searchRefDes);
    connect(m_topButton, &QPushButton::clicked, this, &MainWindow::switchBottomTop);
    connect(m_bottomButton, &QPushButton::clicked, this, &MainWindow::switchTopBottom);
    connect(m_gerberButton, &QPushButton::clicked, this, &MainWindow::switchGerberPnP);
    connectLayerWidgets();

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
    disconnectTableSignals();
    fillBoardInfoFields();
    fillFiducialFields();
    createLists();
    buildOriginsTable();
    rebuildFeederList();
    connectTableSignals();

    m_timerId = startTimer(20, Qt::CoarseTimer);

    updateWindowTitle();
    styleSideButtons(0);
    createShortcuts();
    createStatusBarWidgets();
    setInitialIcons();
    fillSelectorBoxes();
    connectPanelWidgets();
    // Through layer mode into placement top, so menus and buttons start in a known state.
    switchGerberPnP();
    switchBottomTop();

    applyStartupArgument(startupArgument);

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

QString MainWindow::configFolder()
{
    return ConfigFolder::path();
}

void MainWindow::createConfigFolder()
{
    qDebug() << QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!ConfigFolder::ensureExists())
        qDebug() << "cannot create" << configFolder();
}

void MainWindow::createToolbarWidgets()
{
    m_searchField = new QLineEdit(this);
    m_searchField->setObjectName(QStringLiteral("searchField"));
    m_searchField->setFixedWidth(100);
    m_findNowButton = new QPushButton(QStringLiteral("Find Now"), this);
    m_findNowButton->setObjectName(QStringLiteral("findNowButton"));
    m_bottomButton = new QPushButton(QStringLiteral("BOTTOM"), this);
    m_bottomButton->setObjectName(QStringLiteral("bottomButton"));
    m_topButton = new QPushButton(QStringLiteral("TOP"), this);
    m_topButton->setObjectName(QStringLiteral("topButton"));
    m_topButton->setMinimumWidth(66);
    m_topButton->setMaximumWidth(66);
    m_gerberButton = new QPushButton(QStringLiteral("GERBER"), this);
    m_gerberButton->setObjectName(QStringLiteral("gerberButton"));
    for (QPushButton* b : { m_findNowButton, m_bottomButton, m_topButton, m_gerberButton })
        b->setFocusPolicy(Qt::NoFocus);
    m_ui->toolBar->addWidget(m_searchField);
    m_ui->toolBar->addWidget(m_findNowButton);
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
        void (MainWindow::*slot)();
    } keys[] = { { Qt::Key_T, &MainWindow::switchBottomTop }, { Qt::Key_B, &MainWindow::switchTopBottom },
        { Qt::Key_D, &MainWindow::sigDistanceTool }, { Qt::Key_M, &MainWindow::on_actionMovement_triggered },
        { Qt::Key_O, &MainWindow::on_actionSetNewOrigin_triggered },
        { Qt::Key_A, &MainWindow::on_actionMultiSelect_triggered },
        { Qt::Key_S, &MainWindow::on_actionSetNewPosition_triggered } };
    for (const auto& k : keys) {
        auto* shortcut = new QShortcut(QKeySequence(k.key), this);
        shortcut->setAutoRepeat(false);
        connect(shortcut, &QShortcut::activated, this, k.slot);
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
    fillFiducialFields();
}

QAction* MainWindow::actionNamed(const QString& name) const
{
    return findChild<QAction*>(name);
}

QMenu* MainWindow::menuNamed(const QString& name) const
{
    return findChild<QMenu*>(name);
}

void MainWindow::setEntryEnabled(const QString& name, bool on)
{
    if (QMenu* menu = menuNamed(name))
        menu->menuAction()->setEnabled(on);
    else if (QAction* action = actionNamed(name))
        action->setEnabled(on);
}

void MainWindow::updateWindowTitle()
{
    setWindowTitle(StatusText::windowTitle(m_titleName));
}

void MainWindow::createLists()
{
    qDebug() << "create lists";
    // The build shows progress and so processes events; a rebuild asked for meanwhile is
    // not dropped but runs once after this one, from the list as it is then.
    if (m_creatingLists) {
        m_listsPending = true;
        return;
    }
    m_creatingLists = true;
    do {
        m_listsPending = false;
        qDebug() << "- PnP";
        buildPlacementTable();
        qDebug() << "- Listen";
        buildPartTable();
        qDebug() << "- PnPsizes";
        updateBodySizes();
    } while (m_listsPending);
    m_creatingLists = false;
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
