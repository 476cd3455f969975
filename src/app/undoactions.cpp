#include "app/undoactions.h"

#include "app/feederpanel.h"
#include "board/layerhistory.h"
#include "line/feederhandover.h"
#include "line/ui/linie_dlg.h"
#include "view/ui/darstellg.h"

#include <QAction>
#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QToolBar>

namespace {

// The feeder lists of the line's machines as the project file keeps them; putting a state
// back hands the rows out to the machines as a load does.
class FeederListHistory : public HistoryFacet
{
public:
    FeederListHistory(Document& doc, FeederPanel& feeders)
        : m_doc(doc)
        , m_feeders(feeders)
    { }

    struct Rows : State
    {
        FeederData data;
        qint64 bytes() const override
        {
            qint64 n = 0;
            for (const MachineFeeders& m : data.machines)
                for (const FeederRecord& r : m.feeders)
                    for (const QString& f : r.fields)
                        n += 24 + f.size() * 2;
            return n;
        }
    };

    std::shared_ptr<const State> capture() override
    {
        auto rows = std::make_shared<Rows>();
        rows->data = m_doc.feederData();
        FeederHandOver::collect(rows->data, m_feeders.lineDialog()->lines());
        return rows;
    }
    bool same(const State& a, const State& b) const override
    {
        return static_cast<const Rows&>(a).data == static_cast<const Rows&>(b).data;
    }
    void restore(const State&, const State& wanted) override
    {
        m_doc.setFeederData(static_cast<const Rows&>(wanted).data);
        m_feeders.handOutFeederLists();
    }

private:
    Document& m_doc;
    FeederPanel& m_feeders;
};

} // namespace

UndoActions::UndoActions(Darstellg& view, FeederPanel& feeders, QMenu& editMenu, QToolBar& toolBar,
    QAction* before, Hooks hooks, QObject* parent)
    : QObject(parent)
    , m_view(view)
    , m_hooks(std::move(hooks))
    , m_recorder(std::make_unique<DocumentHistory>(view.document(), m_history))
{
    m_recorder->addFacet(std::make_unique<LayerHistory>(view.layers()));
    m_recorder->addFacet(std::make_unique<FeederListHistory>(view.document(), feeders));
    m_recorder->setRestoredHandler([this] {
        if (m_hooks.restored)
            m_hooks.restored();
    });

    m_undo = new QAction(
        QIcon(QStringLiteral(":/ressources/icons/undo.png")), QStringLiteral("Undo"), &editMenu);
    m_undo->setObjectName(QStringLiteral("actionUndo"));
    m_undo->setShortcut(QKeySequence::Undo);
    m_redo = new QAction(
        QIcon(QStringLiteral(":/ressources/icons/redo.png")), QStringLiteral("Redo"), &editMenu);
    m_redo->setObjectName(QStringLiteral("actionRedo"));
    m_redo->setShortcut(QKeySequence::Redo);
    QAction* first = editMenu.actions().value(0);
    editMenu.insertAction(first, m_undo);
    editMenu.insertAction(first, m_redo);
    if (first)
        editMenu.insertSeparator(first);
    toolBar.insertAction(before, m_undo);
    toolBar.insertAction(before, m_redo);
    connect(m_undo, &QAction::triggered, this, &UndoActions::undo);
    connect(m_redo, &QAction::triggered, this, &UndoActions::redo);
    m_history.setChangedHandler([this] { refreshActions(); });
    refreshActions();
}

UndoActions::~UndoActions()
{
    m_history.setChangedHandler(nullptr);
}

void UndoActions::undo()
{
    if (m_hooks.blocked && m_hooks.blocked())
        return;
    // A render thread must not read a layer whose image is put back.
    m_view.waitForRenders();
    m_recorder->undo();
}

void UndoActions::redo()
{
    if (m_hooks.blocked && m_hooks.blocked())
        return;
    m_view.waitForRenders();
    m_recorder->redo();
}

void UndoActions::clear()
{
    m_recorder->clear();
}

void UndoActions::setSaving(bool on)
{
    m_recorder->setPaused(on);
}

void UndoActions::toolPressed()
{
    if (m_toolGroupOpen)
        return;
    m_toolGroupOpen = true;
    m_view.document().beginGroup(QString());
}

void UndoActions::toolReleased(const QString& name)
{
    if (!m_toolGroupOpen)
        return;
    m_toolGroupOpen = false;
    m_view.document().endGroup(name);
}

QString UndoActions::toolStepName(ToolMode tool)
{
    switch (tool) {
    case ToolMode::SetNewOrigin:
        return QStringLiteral("Set New Origin");
    case ToolMode::DrawLine:
        return QStringLiteral("Draw Line");
    case ToolMode::DrawRectangle:
        return QStringLiteral("Draw Rectangle");
    case ToolMode::DrawFilledRectangle:
        return QStringLiteral("Draw Filled Rectangle");
    case ToolMode::InsertText:
        return QStringLiteral("Insert Text");
    case ToolMode::RotateSelection:
        return QStringLiteral("Rotate %n placements");
    default:
        break;
    }
    return QStringLiteral("Move %n placements");
}

void UndoActions::tick()
{
    // A press whose release went elsewhere (a context menu took it) ends its step here.
    if (m_toolGroupOpen && QGuiApplication::mouseButtons() == Qt::NoButton)
        toolReleased(QString());
    if (!m_view.document().isModified() && !m_history.isClean())
        m_recorder->markSaved();
    const bool blocked = m_hooks.blocked && m_hooks.blocked();
    m_undo->setEnabled(m_history.canUndo() && !blocked);
    m_redo->setEnabled(m_history.canRedo() && !blocked);
}

void UndoActions::refreshActions()
{
    m_undo->setText(
        m_history.canUndo() ? QStringLiteral("Undo ") + m_history.undoName() : QStringLiteral("Undo"));
    m_redo->setText(
        m_history.canRedo() ? QStringLiteral("Redo ") + m_history.redoName() : QStringLiteral("Redo"));
    m_undo->setEnabled(m_history.canUndo());
    m_redo->setEnabled(m_history.canRedo());
}
