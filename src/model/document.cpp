#include "model/document.h"

#include <QHash>
#include <QRegExp>
#include <QSet>
#include <cmath>

Document::Document()
    : m_topBoard(new BoardInfo)
    , m_bottomBoard(new BoardInfo)
    , m_topFid(new Fiducials)
    , m_bottomFid(new Fiducials)
{ }

Document::~Document()
{
    clear();
    delete m_topBoard;
    delete m_bottomBoard;
    delete m_topFid;
    delete m_bottomFid;
}

void Document::clear()
{
    // An entry can sit in the working list and a stored list at once: delete each once.
    QSet<PnPEntry*> all;
    for (const QList<PnPEntry*>* list : { &m_working, &m_top, &m_bottom })
        for (PnPEntry* e : *list)
            all.insert(e);
    m_working.clear();
    m_top.clear();
    m_bottom.clear();
    qDeleteAll(all);

    *m_topBoard = BoardInfo();
    *m_bottomBoard = BoardInfo();
    *m_topFid = Fiducials();
    *m_bottomFid = Fiducials();
    m_workingOrigins.clear();
    m_topOrigins.clear();
    m_bottomOrigins.clear();
    m_workingGen = m_topGen = m_bottomGen = OriginGen();
    m_workingDrawings.clear();
    m_topDrawings.clear();
    m_bottomDrawings.clear();
    m_activeSideIsTop = true;
    m_modified = false;
    m_fileVersion = currentFileVersion;
    m_feederData = FeederData();
}

void Document::setSide(bool top)
{
    // Storing the working copies into the side that is already shown would overwrite
    // the other side's data with this side's, so a repeated switch does nothing.
    if (top == m_activeSideIsTop)
        return;
    replaceList(storedActive(), m_working);
    (m_activeSideIsTop ? m_topOrigins : m_bottomOrigins) = m_workingOrigins;
    (m_activeSideIsTop ? m_topDrawings : m_bottomDrawings) = m_workingDrawings;

    m_activeSideIsTop = top;
    m_working = storedActive();
    m_workingOrigins = top ? m_topOrigins : m_bottomOrigins;
    m_workingDrawings = top ? m_topDrawings : m_bottomDrawings;
    m_workingGen = top ? m_topGen : m_bottomGen;
}

void Document::setCurrentList(const QList<PnPEntry*>& list)
{
    replaceList(m_working, list);
}

void Document::setTopList(const QList<PnPEntry*>& list)
{
    replaceList(m_top, list);
    // Otherwise the next write-back would put the old working list over the new one.
    if (m_activeSideIsTop)
        replaceList(m_working, list);
}

void Document::setBottomList(const QList<PnPEntry*>& list)
{
    replaceList(m_bottom, list);
    if (!m_activeSideIsTop)
        replaceList(m_working, list);
}

void Document::appendEntry(PnPEntry* entry)
{
    if (entry)
        m_working.append(entry);
}

void Document::removeEntries(const QList<PnPEntry*>& entries)
{
    if (entries.isEmpty())
        return;
    const QSet<PnPEntry*> gone(entries.begin(), entries.end());
    QList<PnPEntry*> kept;
    kept.reserve(m_working.size());
    for (PnPEntry* e : qAsConst(m_working))
        if (!gone.contains(e))
            kept.append(e);
    m_working = kept;
    releaseDropped(entries);
}

void Document::editEntries(const QList<PnPEntry*>& entries, const std::function<void(PnPEntry&)>& change)
{
    for (PnPEntry* e : entries)
        if (e)
            change(*e);
    m_modified = true;
}

void Document::editEntry(PnPEntry& entry, const std::function<void(PnPEntry&)>& change)
{
    change(entry);
    m_modified = true;
}

QList<PnPEntry*> Document::selectedEntries() const
{
    QList<PnPEntry*> out;
    for (PnPEntry* e : m_working)
        if (e->selected())
            out.append(e);
    return out;
}

void Document::clearSelection()
{
    for (PnPEntry* e : qAsConst(m_working))
        e->setSelected(false);
}

bool Document::writeBackWorkingList()
{
    if (m_gerberMode)
        return false;
    replaceList(storedActive(), m_working);
    return true;
}

void Document::switchPnPside()
{
    m_modified = true;
    if (m_gerberMode)
        return;
    // Entries added since the last write-back would otherwise be lost when the working
    // list is rebuilt from the stored list below.
    writeBackWorkingList();

    const QString otherSide = m_activeSideIsTop ? QStringLiteral("bottom") : QStringLiteral("top");
    QList<PnPEntry*>& active = storedActive();
    QList<PnPEntry*>& other = storedOther();
    QList<PnPEntry*> staying;
    staying.reserve(active.size());
    for (PnPEntry* e : qAsConst(active)) {
        if (e->selected()) {
            e->setSelected(false);
            e->setSide(otherSide);
            other.append(e);
        } else {
            staying.append(e);
        }
    }
    active = staying;
    m_working = active;

    Drawings& otherDrawings = m_activeSideIsTop ? m_bottomDrawings : m_topDrawings;
    Drawings stayingDrawings;
    for (Drawing d : qAsConst(m_workingDrawings)) {
        if (d.selected) {
            d.selected = false;
            otherDrawings.append(d);
        } else {
            stayingDrawings.append(d);
        }
    }
    m_workingDrawings = stayingDrawings;
}

void Document::moveEntriesToOtherSide(const QList<PnPEntry*>& entries)
{
    m_modified = true;
    if (m_gerberMode || entries.isEmpty())
        return;
    writeBackWorkingList();
    const QSet<PnPEntry*> moving(entries.begin(), entries.end());
    const QString otherSide = m_activeSideIsTop ? QStringLiteral("bottom") : QStringLiteral("top");
    QList<PnPEntry*>& active = storedActive();
    QList<PnPEntry*> staying;
    staying.reserve(active.size());
    for (PnPEntry* e : qAsConst(active)) {
        if (moving.contains(e)) {
            e->setSelected(false);
            e->setSide(otherSide);
            storedOther().append(e);
        } else {
            staying.append(e);
        }
    }
    active = staying;
    m_working = active;
}

void Document::prepareImport(bool clearTop, bool clearBottom)
{
    replaceList(storedActive(), m_working);
    m_working.clear();
    if (clearTop)
        replaceList(m_top, {});
    if (clearBottom)
        replaceList(m_bottom, {});
}

void Document::distributeWorkingList()
{
    for (PnPEntry* e : qAsConst(m_working))
        (e->side() == QLatin1String("top") ? m_top : m_bottom).append(e);
    m_working = storedActive();
    m_modified = true;
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
    for (const PnPEntry* e : m_working) {
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
    for (const PnPEntry* e : m_working) {
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

Origins Document::sideOrigins(bool top) const
{
    if (top == m_activeSideIsTop)
        return m_workingOrigins;
    return top ? m_topOrigins : m_bottomOrigins;
}

void Document::setSideOrigins(bool top, const Origins& origins)
{
    if (top == m_activeSideIsTop)
        m_workingOrigins = origins;
    else
        (top ? m_topOrigins : m_bottomOrigins) = origins;
}

void Document::setSideOriginGen(bool top, const OriginGen& gen)
{
    (top ? m_topGen : m_bottomGen) = gen;
    if (top == m_activeSideIsTop)
        m_workingGen = gen;
}

Drawings Document::sideDrawings(bool top) const
{
    if (top == m_activeSideIsTop)
        return m_workingDrawings;
    return top ? m_topDrawings : m_bottomDrawings;
}

void Document::setSideDrawings(bool top, const Drawings& drawings)
{
    if (top == m_activeSideIsTop)
        m_workingDrawings = drawings;
    else
        (top ? m_topDrawings : m_bottomDrawings) = drawings;
}

void Document::appendDrawing(const Drawing& drawing)
{
    m_workingDrawings.append(drawing);
    m_modified = true;
}

int Document::removeSelectedDrawings()
{
    Drawings kept;
    for (const Drawing& d : qAsConst(m_workingDrawings))
        if (!d.selected)
            kept.append(d);
    const int removed = m_workingDrawings.size() - kept.size();
    if (removed > 0) {
        m_workingDrawings = kept;
        m_modified = true;
    }
    return removed;
}

void Document::replaceList(QList<PnPEntry*>& target, const QList<PnPEntry*>& list)
{
    if (target.isSharedWith(list))
        return;
    const QList<PnPEntry*> old = target;
    target = list;
    releaseDropped(old);
}

void Document::releaseDropped(const QList<PnPEntry*>& dropped)
{
    if (dropped.isEmpty())
        return;
    QSet<PnPEntry*> held;
    held.reserve(m_working.size() + m_top.size() + m_bottom.size());
    for (const QList<PnPEntry*>* list : { &m_working, &m_top, &m_bottom })
        for (PnPEntry* e : *list)
            held.insert(e);
    for (PnPEntry* e : dropped) {
        if (!held.contains(e)) {
            held.insert(e); // a pointer listed twice is deleted once
            delete e;
        }
    }
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
    return QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
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
    const double v = QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
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
        return QString::number(info.width(), 'g', 6);
    case BoardField::Height:
        return QString::number(info.height(), 'g', 6);
    case BoardField::Depth:
        return QString::number(info.depth(), 'g', 6);
    case BoardField::OriginX:
        return QString::number(info.originX(), 'g', 6);
    case BoardField::OriginY:
        return QString::number(info.originY(), 'g', 6);
    }
    return QString();
}

BoardFieldEdit Document::editBoardField(BoardField field, const QString& text)
{
    BoardInfo* board = boardInfo();
    BoardFieldEdit result;
    if (boardFieldAccepts(field, text)) {
        const double v = isNumberField(field) ? numberOf(text) : 0.0;
        switch (field) {
        case BoardField::Name:
            board->setName(text);
            break;
        case BoardField::Comment:
            board->setComment(text);
            break;
        case BoardField::Width:
            board->setWidth(v);
            break;
        case BoardField::Height:
            board->setHeight(v);
            break;
        case BoardField::Depth:
            board->setDepth(v);
            break;
        case BoardField::OriginX:
            setBoardOrigin(v, board->originY());
            break;
        case BoardField::OriginY:
            setBoardOrigin(board->originX(), v);
            break;
        }
        m_modified = true;
        result.accepted = true;
    }
    result.text = boardFieldText(*board, field);
    return result;
}

void Document::setBoardOrigin(double originX, double originY)
{
    BoardInfo* board = boardInfo();
    const double dx = originX - board->originX();
    const double dy = originY - board->originY();
    for (PnPEntry* e : qAsConst(m_working)) {
        e->setX(e->x() - dx);
        e->setY(e->y() - dy);
    }
    board->setOriginX(originX);
    board->setOriginY(originY);
    m_modified = true;
}
