#include "model/document.h"

#include "model/numbertext.h"

#include <QHash>
#include <QRegExp>
#include <QSet>
#include <cmath>

namespace {

void deleteAll(BoardSide& side)
{
    qDeleteAll(side.placements);
    side = BoardSide();
}

} // namespace

Document::~Document()
{
    deleteAll(m_top);
    deleteAll(m_bottom);
}

void Document::clear()
{
    deleteAll(m_top);
    deleteAll(m_bottom);
    m_activeSideIsTop = true;
    m_modified = false;
    m_fileVersion = currentFileVersion;
    m_feederData = FeederData();
}

void Document::run(const DocumentEdit& edit, const std::function<void()>& change, bool mayDropEntries)
{
    if (m_observer)
        m_observer(edit, false);
    // Copies only where entries may leave: holding one makes every append copy the list.
    const QList<PnPEntry*> topBefore = mayDropEntries ? m_top.placements : QList<PnPEntry*>();
    const QList<PnPEntry*> bottomBefore = mayDropEntries ? m_bottom.placements : QList<PnPEntry*>();
    change();
    // Field edits leave the lists shared with their copies above: nothing to look for then.
    if (mayDropEntries
        && (!topBefore.isSharedWith(m_top.placements) || !bottomBefore.isSharedWith(m_bottom.placements))) {
        QSet<PnPEntry*> held;
        held.reserve(m_top.placements.size() + m_bottom.placements.size());
        for (const QList<PnPEntry*>* list : { &m_top.placements, &m_bottom.placements })
            for (PnPEntry* e : *list)
                held.insert(e);
        for (const QList<PnPEntry*>* list : { &topBefore, &bottomBefore })
            for (PnPEntry* e : *list)
                if (!held.contains(e)) {
                    held.insert(e); // a pointer listed twice is deleted once
                    delete e;
                }
    }
    if (edit.changes & ~Changes(Change::Selection | Change::Feeders))
        m_modified = true;
    if (m_observer)
        m_observer(edit, true);
}

void Document::beginGroup(const QString& name, bool besides)
{
    if (m_groupObserver)
        m_groupObserver(name, true, besides);
}

void Document::endGroup(const QString& name)
{
    if (m_groupObserver)
        m_groupObserver(name, false, false);
}

void Document::edit(const QString& what, Changes changes, const std::function<void(BoardSide&)>& change)
{
    editSide(m_activeSideIsTop, what, changes, change);
}

void Document::editSide(
    bool top, const QString& what, Changes changes, const std::function<void(BoardSide&)>& change)
{
    run(
        DocumentEdit { what, changes, top }, [&] { change(sideRecord(top)); }, changes & Change::Placements);
}

void Document::editSides(const QString& what, Changes changes,
    const std::function<void(BoardSide& top, BoardSide& bottom)>& change)
{
    run(
        DocumentEdit { what, changes | Change::BothSides, m_activeSideIsTop },
        [&] { change(m_top, m_bottom); }, changes & Change::Placements);
}

void Document::replaceSides(BoardSide top, BoardSide bottom)
{
    const Changes all = Change::Placements | Change::Board | Change::Fiducials | Change::Origins
        | Change::OriginGen | Change::Drawings;
    editSides(QStringLiteral("load"), all, [&](BoardSide& t, BoardSide& b) {
        t = std::move(top);
        b = std::move(bottom);
    });
}

void Document::setPlacements(const QList<PnPEntry*>& list)
{
    edit(
        QStringLiteral("reorder placements"), Change::Placements, [&](BoardSide& s) { s.placements = list; });
}

void Document::appendEntry(PnPEntry* entry)
{
    if (entry)
        run(
            DocumentEdit { QStringLiteral("add placement"), Change::Placements, m_activeSideIsTop },
            [&] { sideRecord(m_activeSideIsTop).placements.append(entry); }, false);
}

void Document::removeEntries(const QList<PnPEntry*>& entries)
{
    if (entries.isEmpty())
        return;
    const QSet<PnPEntry*> gone(entries.begin(), entries.end());
    edit(QStringLiteral("delete placements"), Change::Placements, [&](BoardSide& s) {
        QList<PnPEntry*> kept;
        kept.reserve(s.placements.size());
        for (PnPEntry* e : qAsConst(s.placements))
            if (!gone.contains(e))
                kept.append(e);
        s.placements = kept;
    });
}

void Document::editEntries(const QList<PnPEntry*>& entries, const std::function<void(PnPEntry&)>& change)
{
    run(
        DocumentEdit { QStringLiteral("edit placements"), Change::Placements, m_activeSideIsTop },
        [&] {
            for (PnPEntry* e : entries)
                if (e)
                    change(*e);
        },
        false);
}

void Document::editEntry(PnPEntry& entry, const std::function<void(PnPEntry&)>& change)
{
    run(
        DocumentEdit { QStringLiteral("edit placement"), Change::Placements, m_activeSideIsTop },
        [&] { change(entry); }, false);
}

QList<PnPEntry*> Document::selectedEntries() const
{
    QList<PnPEntry*> out;
    for (PnPEntry* e : working().placements)
        if (e->selected())
            out.append(e);
    return out;
}

void Document::clearSelection()
{
    edit(QStringLiteral("clear selection"), Change::Selection, [](BoardSide& s) {
        for (PnPEntry* e : qAsConst(s.placements))
            e->setSelected(false);
    });
}

void Document::moveToOtherSide(const std::function<bool(const PnPEntry&)>& moves, bool drawings)
{
    const bool top = m_activeSideIsTop;
    const QString otherSide = top ? QStringLiteral("bottom") : QStringLiteral("top");
    const Changes changes
        = drawings ? Changes(Change::Placements | Change::Drawings) : Changes(Change::Placements);
    editSides(QStringLiteral("switch side"), changes, [&](BoardSide& t, BoardSide& b) {
        if (m_gerberMode)
            return;
        BoardSide& active = top ? t : b;
        BoardSide& other = top ? b : t;
        QList<PnPEntry*> staying;
        staying.reserve(active.placements.size());
        for (PnPEntry* e : qAsConst(active.placements)) {
            if (moves(*e)) {
                e->setSelected(false);
                e->setSide(otherSide);
                other.placements.append(e);
            } else {
                staying.append(e);
            }
        }
        active.placements = staying;
        if (!drawings)
            return;
        Drawings stayingDrawings;
        for (Drawing d : qAsConst(active.drawings)) {
            if (d.selected) {
                d.selected = false;
                other.drawings.append(d);
            } else {
                stayingDrawings.append(d);
            }
        }
        active.drawings = stayingDrawings;
    });
}

void Document::switchPnPside()
{
    moveToOtherSide([](const PnPEntry& e) { return e.selected(); }, true);
}

void Document::moveEntriesToOtherSide(const QList<PnPEntry*>& entries)
{
    const QSet<const PnPEntry*> moving(entries.begin(), entries.end());
    moveToOtherSide([&](const PnPEntry& e) { return moving.contains(&e); }, false);
}

void Document::importEntries(const QList<PnPEntry*>& entries, bool clearTop, bool clearBottom)
{
    editSides(QStringLiteral("import placements"), Change::Placements, [&](BoardSide& t, BoardSide& b) {
        if (clearTop)
            t.placements.clear();
        if (clearBottom)
            b.placements.clear();
        for (PnPEntry* e : entries)
            (e->side() == QLatin1String("top") ? t : b).placements.append(e);
    });
}

bool PartListFilter::shows(const PnPEntry& e) const
{
    const QString& exec = e.exec();
    const bool kindShown = (exec == ExecKind::Hand && showHand) || (exec == ExecKind::Machine && showMachine)
        || (exec == ExecKind::Tht && showTht);
    return kindShown && !(e.placed() && !showPlaced);
}

QList<PartListRow> Document::partList(const PartListFilter& filter) const
{
    // Keys are flag + value + TAB + name, counted in order of first appearance; only keys
    // of shown entries become rows, so hidden entries of a group do not add to its Qty.
    QHash<QString, int> rowOfKey;
    QList<PartListRow> rows;
    QList<bool> rowShown;
    for (const PnPEntry* e : working().placements) {
        const bool shown = filter.shows(*e);
        const QString key
            = (shown ? QLatin1Char('1') : QLatin1Char('0')) + e->value() + QLatin1Char('\t') + e->name();
        auto it = rowOfKey.find(key);
        if (it == rowOfKey.end()) {
            rowOfKey.insert(key, rows.size());
            rows.append(PartListRow { 1, e->value(), e->name() });
            rowShown.append(shown);
        } else {
            ++rows[*it].qty;
        }
    }
    QList<PartListRow> out;
    for (int i = 0; i < rows.size(); ++i)
        if (rowShown.at(i))
            out.append(rows.at(i));
    return out;
}

ExecCounts Document::execCounts() const
{
    ExecCounts c;
    for (const PnPEntry* e : working().placements) {
        switch (ExecKind::counterIndex(e->exec())) {
        case 0:
            ++c.notPlaced;
            break;
        case 1:
            ++c.machine;
            break;
        case 2:
            ++c.other;
            break;
        case 3:
            ++c.tht;
            break;
        default:
            break;
        }
    }
    return c;
}

void Document::setOrigins(const Origins& origins)
{
    edit(QStringLiteral("origins"), Change::Origins, [&](BoardSide& s) { s.origins = origins; });
}

void Document::setOriginGen(bool top, const OriginGen& gen)
{
    editSide(
        top, QStringLiteral("origin generator"), Change::OriginGen, [&](BoardSide& s) { s.originGen = gen; });
}

void Document::setDrawings(const Drawings& drawings)
{
    edit(QStringLiteral("drawings"), Change::Drawings, [&](BoardSide& s) { s.drawings = drawings; });
}

void Document::appendDrawing(const Drawing& drawing)
{
    edit(QStringLiteral("add drawing"), Change::Drawings, [&](BoardSide& s) { s.drawings.append(drawing); });
}

int Document::removeSelectedDrawings()
{
    Drawings kept;
    for (const Drawing& d : working().drawings)
        if (!d.selected)
            kept.append(d);
    const int removed = working().drawings.size() - kept.size();
    if (removed > 0)
        edit(QStringLiteral("delete drawings"), Change::Drawings, [&](BoardSide& s) { s.drawings = kept; });
    return removed;
}

void Document::setFeederData(const FeederData& data)
{
    run(
        DocumentEdit { QStringLiteral("feeder rows"), Change::Feeders, m_activeSideIsTop },
        [&] { m_feederData = data; }, false);
}

namespace {

// The patterns are QRegExp patterns on purpose: their matching rules are what the user has
// always been allowed to type. The name is also the default file name of Save As, so it takes
// letters, digits, "_", "-" and "." and no path characters ("/", "\\", ":", "<", "?").
const QRegExp& namePattern()
{
    thread_local const QRegExp re(QStringLiteral("^[a-zA-Z0-9_.-]{0,100}$"));
    return re;
}

const QRegExp& commentPattern()
{
    thread_local const QRegExp re(QStringLiteral("^[a-zA-Z0-9_-]{0,100}$"));
    return re;
}

const QRegExp& numberPattern()
{
    thread_local const QRegExp re(QStringLiteral("^\\-{0,1}\\d{1,}[\\.\\,]{0,1}\\d*$"));
    return re;
}

bool isNumberField(BoardField field)
{
    return field != BoardField::Name && field != BoardField::Comment;
}

double numberOf(const QString& text)
{
    return NumberText::parse(text);
}

} // namespace

bool Document::boardFieldAccepts(BoardField field, const QString& text)
{
    switch (field) {
    case BoardField::Name:
        return namePattern().exactMatch(text);
    case BoardField::Comment:
        return commentPattern().exactMatch(text);
    default:
        break;
    }
    if (!numberPattern().exactMatch(text))
        return false;
    // A run of digits too long for a double would be stored as infinity (or 0) and spread
    // into every placement through the origin shift: refuse it like a wrong character.
    bool ok = false;
    const double v = NumberText::parse(text, &ok);
    return ok && std::isfinite(v);
}

QString Document::boardFieldText(const BoardInfo& info, BoardField field)
{
    switch (field) {
    case BoardField::Name:
        return info.name();
    case BoardField::Comment:
        return info.comment();
    case BoardField::Width:
        return NumberText::format(info.width());
    case BoardField::Height:
        return NumberText::format(info.height());
    case BoardField::Depth:
        return NumberText::format(info.depth());
    case BoardField::OriginX:
        return NumberText::format(info.originX());
    case BoardField::OriginY:
        return NumberText::format(info.originY());
    }
    return QString();
}

BoardFieldEdit Document::editBoardField(BoardField field, const QString& text)
{
    BoardFieldEdit result;
    if (boardFieldAccepts(field, text)) {
        const double v = isNumberField(field) ? numberOf(text) : 0.0;
        const bool origin = field == BoardField::OriginX || field == BoardField::OriginY;
        edit(QStringLiteral("board field"),
            origin ? Change::Board | Change::Placements : Changes(Change::Board), [&](BoardSide& s) {
                BoardInfo& board = s.board;
                switch (field) {
                case BoardField::Name:
                    board.setName(text);
                    break;
                case BoardField::Comment:
                    board.setComment(text);
                    break;
                case BoardField::Width:
                    board.setWidth(v);
                    break;
                case BoardField::Height:
                    board.setHeight(v);
                    break;
                case BoardField::Depth:
                    board.setDepth(v);
                    break;
                case BoardField::OriginX:
                case BoardField::OriginY: {
                    // Moving the origin keeps every entry at its absolute position.
                    const double x = field == BoardField::OriginX ? v : board.originX();
                    const double y = field == BoardField::OriginY ? v : board.originY();
                    const double dx = x - board.originX();
                    const double dy = y - board.originY();
                    for (PnPEntry* e : qAsConst(s.placements)) {
                        e->setX(e->x() - dx);
                        e->setY(e->y() - dy);
                    }
                    board.setOriginX(x);
                    board.setOriginY(y);
                    break;
                }
                }
            });
        result.accepted = true;
    }
    result.text = boardFieldText(working().board, field);
    return result;
}
