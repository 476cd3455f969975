#include "app/layerslots.h"

#include "board/layertransform.h"
#include "gerber/excellonreader.h"
#include "gerber/gerberlayer.h"
#include "gerber/gerberreader.h"
#include "gerber/layerrows.h"
#include "gerber/ui/excellonimport.h"
#include "gerber/ui/gerber_drill_dlg.h"
#include "gerber/ui/gerbertable.h"
#include "model/fileio.h"
#include "ui_mainwindow.h"
#include "uikit/prompt.h"
#include "view/layerbounds.h"
#include "view/ui/darstellg.h"

#include <QDebug>
#include <QFile>

namespace {

const QString errorTitle = QStringLiteral("Error");

bool startsLikeDrillFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && looksLikeExcellon(file.read(64 * 1024));
}

} // namespace

LayerSlots::LayerSlots(
    Ui::MainWindow& ui, Darstellg& view, QWidget* dialogParent, QString& lastDirectory, Hooks hooks)
    : m_ui(ui)
    , m_view(view)
    , m_parent(dialogParent)
    , m_lastDirectory(lastDirectory)
    , m_hooks(std::move(hooks))
{
    connect(m_ui.gerber_table, &GerberTable::loadRowPressed, this, &LayerSlots::loadRowAsked);
    connect(m_ui.gerber_table, &GerberTable::rowVisibilityToggled, this, &LayerSlots::setRowVisible);
    connect(&m_view, &Darstellg::filesDropped, this, &LayerSlots::loadDroppedFiles);
    connectActions();
}

void LayerSlots::connectActions()
{
    // "Import..." > "Gerber" loads into a slot; the two delete menus empty one, in its own
    // colour or in white.
    const struct
    {
        QAction* load;
        QAction* clear;
        QAction* clearWhite;
        LayerSlot slot;
        const char* title;
    } entries[] = {
        { m_ui.actionTop, m_ui.actionDelSignal, m_ui.actionDelete_Signal, LayerSlot::Signal,
            "Open Gerber Signal" },
        { m_ui.actionTop_Paste, m_ui.actionDelMask, m_ui.actionDelete_Mask, LayerSlot::Mask,
            "Open Gerber Mask" },
        { m_ui.actionPaste, m_ui.actionDelPaste, m_ui.actionDelete_Paste, LayerSlot::Paste,
            "Open Gerber Paste" },
        { m_ui.actionAssy, m_ui.actionDelAssy, m_ui.actionDelete_Assy, LayerSlot::Assy, "Open Gerber Assy" },
        { m_ui.actionTop_Silk, m_ui.actionDelSilk, m_ui.actionDelete_Silk, LayerSlot::Silk,
            "Open Gerber Silk" },
        { m_ui.actionBoard_Outline, m_ui.actionDelOutline, m_ui.actionDelete_Board_Outline,
            LayerSlot::BoardOutline, "Open Gerber Board Outline" },
        { m_ui.actionDrill_Excellon, m_ui.actionDelDrill, m_ui.actionDelete_Drill, LayerSlot::Drill,
            "Open Excellon Drill" },
    };
    for (const auto& s : entries) {
        const LayerSlot slot = s.slot;
        const QString title = QLatin1String(s.title);
        connect(s.load, &QAction::triggered, this,
            [this, slot, title] { loadSlotAsked(slot, title, slot == LayerSlot::Drill); });
        connect(s.clear, &QAction::triggered, this, [this, slot] { clearSlot(slot, false); });
        connect(s.clearWhite, &QAction::triggered, this, [this, slot] { clearSlot(slot, true); });
    }
    connect(m_ui.actionGerber, &QAction::triggered, this, [this] { importIntoFreeRow(false); });
    connect(m_ui.actionDrill, &QAction::triggered, this, [this] { importIntoFreeRow(true); });
}

void LayerSlots::warnLoadFailed(const QString& detail)
{
    prompt().warning(m_parent, errorTitle, QStringLiteral("An error occured while loading the file"), detail);
}

void LayerSlots::buildTable()
{
    m_ui.gerber_table->refresh(m_view.layers().list(LayerList::GerberMode));
}

// ---- loading

LayerSlots::Load LayerSlots::load(const QString& path, const Target& target, bool drill, QString* error)
{
    EditGroup step(m_view.document(), QStringLiteral("Load Layer"));
    LayerSet& layers = m_view.layers();
    const bool intoRow = target.row >= 0;
    const bool top = m_view.document().activeSideIsTop();
    // The file is read into a layer of its own: only a good read replaces the slot's or row's
    // layer, so a failed or cancelled load leaves the layer the user had.
    std::unique_ptr<GerberLayer> layer;
    if (intoRow) {
        const GerberLayer* old = layers.layer(LayerList::GerberMode, target.row);
        if (!old)
            return Load::Failed;
        layer = LayerRows::freshRow(*old, target.row);
    } else {
        layer = std::make_unique<GerberLayer>(slotIndex(target.slot));
        // Holes are painted in the background colour so they look like holes.
        if (drill)
            layer->color = m_view.viewState().colours.background;
    }
    if (drill) {
        // Drill coordinates are placed against the copper of the layers beside them.
        const LayerList beside = intoRow ? LayerList::GerberMode : top ? LayerList::Top : LayerList::Bottom;
        const QRectF copper = LayerBounds::copperExtentMm(layers.list(beside));
        const DrillImport result = importExcellon(m_parent, path, *layer, copper, error);
        if (result != DrillImport::Loaded)
            return result == DrillImport::Cancelled ? Load::Cancelled : Load::Failed;
    } else if (!loadGerber(path, *layer, error)) {
        return Load::Failed;
    } else if (!intoRow) {
        if (const GerberLayer* old = layers.slot(top, target.slot))
            layer->color = old->color;
    }
    GerberLayer* installed = layer.get();
    if (intoRow) {
        layer->fileName = LayerRows::cleanName(layer->fileName);
        layers.replace(LayerList::GerberMode, target.row, std::move(layer));
    } else {
        m_view.installSideLayer(target.slot, std::move(layer));
    }
    m_view.document().setModified(true);
    m_view.fitIfBoardOutOfView();
    // A side slot shows a rendered image; in layer mode the rows are drawn as they are.
    if (!intoRow && !m_view.document().gerberMode()) {
        m_view.expectRenders();
        m_view.startRendering(installed);
    }
    return Load::Loaded;
}

bool LayerSlots::loadFromCommandLine(const QString& path, bool drill)
{
    QString error;
    Target target;
    if (load(path, target, drill, &error) == Load::Failed) {
        warnLoadFailed(error);
        return false;
    }
    return true;
}

void LayerSlots::loadSlotAsked(LayerSlot slot, const QString& title, bool drill)
{
    const QString filter = drill ? QStringLiteral("Drill File (*.*)") : QStringLiteral("Gerber File (*.*)");
    const QString path = prompt().openFileName(m_parent, title, m_lastDirectory, filter);
    if (path.isEmpty())
        return;
    m_lastDirectory = FileIo::folderOf(path);
    QString error;
    Target target;
    target.slot = slot;
    if (load(path, target, drill, &error) == Load::Failed)
        warnLoadFailed(error);
    m_view.update();
}

void LayerSlots::askFileForRow(int row, bool drill)
{
    const QString path = prompt().openFileName(m_parent,
        drill ? QStringLiteral("Import Drill") : QStringLiteral("Import Gerber"), m_lastDirectory,
        drill ? QStringLiteral("Drill File (*.*)") : QStringLiteral("Gerber File (*.*)"));
    if (path.isEmpty())
        return;
    m_lastDirectory = FileIo::folderOf(path);
    QString error;
    Target target;
    target.row = row;
    if (load(path, target, drill, &error) == Load::Failed)
        warnLoadFailed(error);
    buildTable();
    m_view.update();
}

void LayerSlots::importIntoFreeRow(bool drill)
{
    if (!m_view.document().gerberMode())
        return;
    const int row = LayerRows::firstFreeRow(m_view.layers(), m_ui.gerber_table->currentRow());
    if (row < 0) {
        prompt().warning(m_parent, errorTitle, QStringLiteral("All (following) Fields are in use"));
        return;
    }
    askFileForRow(row, drill);
}

void LayerSlots::loadRowAsked(int row)
{
    Gerber_drill_dlg dialog(m_parent);
    if (prompt().exec(&dialog) != QDialog::Accepted)
        return;
    const bool drill = dialog.excellonChosen();
    askFileForRow(row, drill);
}

void LayerSlots::loadDroppedFiles(const QStringList& paths)
{
    for (const QString& path : paths) {
        if (m_hooks.openPackage && m_hooks.openPackage(path))
            continue; // a whole fabrication package
        const bool drill = startsLikeDrillFile(path);
        QString error;
        Target target;
        if (m_view.document().gerberMode()) {
            target.row = LayerRows::firstFreeRow(m_view.layers(), m_ui.gerber_table->currentRow());
            if (target.row < 0) {
                prompt().warning(m_parent, errorTitle, QStringLiteral("All (following) Fields are in use"));
                break;
            }
        } else {
            // Drill files go to the drill slot; Gerber files to the first empty slot, else Signal.
            target.slot = drill ? LayerSlot::Drill : LayerSlot::Signal;
            if (!drill) {
                for (int s = 0; s < slotIndex(LayerSlot::Drill); ++s) {
                    const GerberLayer* l
                        = m_view.layers().slot(m_view.document().activeSideIsTop(), LayerSlot(s));
                    if (l && !LayerRows::inUse(*l)) {
                        target.slot = LayerSlot(s);
                        break;
                    }
                }
            }
        }
        if (load(path, target, drill, &error) == Load::Failed)
            warnLoadFailed(error);
        m_lastDirectory = FileIo::folderOf(path);
    }
    buildTable();
    m_view.update();
}

// ---- fixed slots

void LayerSlots::renderSideLayers()
{
    QList<GerberLayer*> pending;
    for (LayerList list : { LayerList::Top, LayerList::Bottom })
        for (GerberLayer* layer : m_view.layers().list(list))
            if (layer && !layer->busy && !layer->objects().isEmpty())
                pending << layer;
    if (pending.isEmpty())
        return;
    m_view.expectRenders(pending.size());
    for (GerberLayer* layer : qAsConst(pending))
        m_view.startRendering(layer);
}

void LayerSlots::clearSlot(LayerSlot slot, bool white)
{
    if (m_view.document().gerberMode())
        return;
    EditGroup step(m_view.document(), QStringLiteral("Delete Layer"));
    auto layer = std::make_unique<GerberLayer>(slotIndex(slot));
    if (white)
        layer->color = QColor(255, 255, 255);
    const LayerList list = m_view.document().activeSideIsTop() ? LayerList::Top : LayerList::Bottom;
    m_view.layers().replace(list, slotIndex(slot), std::move(layer));
    m_view.update();
}

// ---- Gerber-mode rows

void LayerSlots::setRowVisible(int row, bool visible)
{
    EditGroup step(m_view.document(), visible ? QStringLiteral("Show Layer") : QStringLiteral("Hide Layer"));
    if (GerberLayer* layer = m_view.layers().layer(LayerList::GerberMode, row))
        layer->visible = visible;
    m_view.update();
}

void LayerSlots::rowDoubleClicked(int row, int column)
{
    GerberLayer* layer = m_view.layers().layer(LayerList::GerberMode, row);
    if (column != GerberTable::ColourColumn || !layer)
        return;
    const QColor c = prompt().color(m_parent, layer->color, QString());
    if (!c.isValid())
        return;
    EditGroup step(m_view.document(), QStringLiteral("Layer Colour"));
    layer->color = c;
    buildTable();
    m_view.update();
}

void LayerSlots::rowNameChanged(int row, int column)
{
    GerberLayer* layer = m_view.layers().layer(LayerList::GerberMode, row);
    const QTableWidgetItem* item = m_ui.gerber_table->item(row, column);
    if (column != GerberTable::NameColumn || !layer || !item)
        return;
    if (!layer->rawLines.isEmpty() && !item->text().isEmpty()) {
        EditGroup step(m_view.document(), QStringLiteral("Rename Layer"));
        layer->fileName = LayerRows::cleanName(item->text());
        m_view.document().setModified(true);
    }
    buildTable();
}

void LayerSlots::moveRowToSlot(int row, bool top, int slot)
{
    LayerSet& layers = m_view.layers();
    const GerberLayer* source = layers.layer(LayerList::GerberMode, row);
    const LayerList list = top ? LayerList::Top : LayerList::Bottom;
    const GerberLayer* target = layers.layer(list, slot);
    // An empty row would only blank the slot.
    if (!source || !target || !LayerRows::inUse(*source))
        return;
    m_hooks.blockInteraction();
    EditGroup step(m_view.document(), QStringLiteral("Move Layer"));
    QString error;
    std::unique_ptr<GerberLayer> layer = LayerRows::copyForSlot(*source, slot, target->color, &error);
    GerberLayer* moved = layer.get();
    if (layer) {
        // The row's transform (mirrors, quarter turns, offset) is applied to the fresh image,
        // so the layer lands where the row showed it.
        LayerTransform::replay(*layer);
        layers.replace(list, slot, std::move(layer));
        m_view.document().setModified(true);
        m_view.expectRenders();
        m_view.startRendering(moved);
    }
    m_hooks.unblockInteraction();
    if (!moved)
        warnLoadFailed(error);
}

void LayerSlots::executeRequests()
{
    GerberTable* table = m_ui.gerber_table;
    if (table->moveToTopRequested || table->moveToBottomRequested) {
        moveRowToSlot(table->sourceRow, table->moveToTopRequested, table->targetSlot);
        table->moveToTopRequested = table->moveToBottomRequested = false;
        table->targetSlot = table->sourceRow = -1;
        m_view.update();
    }
    if (table->removeRequested) {
        EditGroup step(m_view.document(), QStringLiteral("Remove Layer"));
        LayerSet& layers = m_view.layers();
        if (const GerberLayer* old = layers.layer(LayerList::GerberMode, table->sourceRow)) {
            layers.replace(
                LayerList::GerberMode, table->sourceRow, LayerRows::freshRow(*old, table->sourceRow));
            m_view.document().setModified(true);
        }
        buildTable();
        table->removeRequested = false;
        table->sourceRow = -1;
        m_view.update();
    }
    if (table->exportRequested) {
        table->exportRequested = false;
        const int row = table->sourceRow;
        table->sourceRow = -1;
        if (const GerberLayer* layer = m_view.layers().layer(LayerList::GerberMode, row)) {
            bool isGerber = false;
            const QStringList lines = LayerRows::exportLines(*layer, &isGerber);
            if (!lines.isEmpty())
                exportLayer(lines, layer->fileName, isGerber);
        }
    }
    if (table->panelizeRequested) {
        table->panelizeRequested = false;
        table->sourceRow = -1;
        m_hooks.panelize();
        buildTable();
    }
    if (table->filesDropped) {
        const QStringList files = table->droppedFiles;
        table->filesDropped = false;
        table->droppedFiles.clear();
        table->dropRow = -1;
        loadDroppedFiles(files);
    }
}

void LayerSlots::exportLayer(const QStringList& lines, const QString& proposedName, bool isGerber)
{
    const QString path = prompt().saveFileName(m_parent,
        isGerber ? QStringLiteral("Export Gerber File") : QStringLiteral("Export Excellon Drill File"),
        m_lastDirectory + QLatin1Char('/') + proposedName,
        isGerber ? QStringLiteral("Gerber File (*.gbr)") : QStringLiteral("Excellon Drill File (*.drl)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!LayerRows::writeLayerFile(path, lines, &error))
        prompt().warning(
            m_parent, errorTitle, QStringLiteral("An error occured while exporting the file"), error);
}
