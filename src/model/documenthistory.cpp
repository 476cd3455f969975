#include "model/documenthistory.h"

#include <QHash>

namespace {

const Changes recordedParts = Change::Placements | Change::Board | Change::Fiducials | Change::Origins
    | Change::OriginGen | Change::Drawings;

// Equal as far as the file and the tables go: hover, selection and drag marks do not count.
bool sameEntry(const PnPEntry& a, const PnPEntry& b)
{
    return a.refDes() == b.refDes() && a.name() == b.name() && a.x() == b.x() && a.y() == b.y()
        && a.side() == b.side() && a.rotation() == b.rotation() && a.value() == b.value()
        && a.exec() == b.exec() && a.comment() == b.comment() && a.head() == b.head()
        && a.machine() == b.machine() && a.line() == b.line() && a.sizeX() == b.sizeX()
        && a.sizeY() == b.sizeY() && a.placed() == b.placed();
}

bool samePlacements(const PlacementCapture& a, const PlacementCapture& b)
{
    if (a.values.size() != b.values.size())
        return false;
    for (int i = 0; i < a.values.size(); ++i)
        if (a.values.at(i) != b.values.at(i) && !sameEntry(*a.values.at(i), *b.values.at(i)))
            return false;
    return true;
}

// Copies the list, taking the value of `near` for every entry that is there unchanged. Returns
// the number of values copied anew.
int capturePlacements(PlacementCapture& out, const QList<PnPEntry*>& list, const PlacementCapture* near)
{
    out.from = list;
    out.values.reserve(list.size());
    QHash<const PnPEntry*, int> at;
    int fresh = 0;
    for (int i = 0; i < list.size(); ++i) {
        PnPEntry* e = list.at(i);
        int j = -1;
        if (near) {
            if (i < near->from.size() && near->from.at(i) == e) {
                j = i;
            } else {
                if (at.isEmpty())
                    for (int k = 0; k < near->from.size(); ++k)
                        at.insert(near->from.at(k), k);
                j = at.value(e, -1);
            }
        }
        if (j >= 0 && sameEntry(*near->values.at(j), *e)) {
            out.values.append(near->values.at(j));
        } else {
            out.values.append(std::make_shared<const PnPEntry>(*e));
            ++fresh;
        }
    }
    return fresh;
}

QString stepName(const QString& what)
{
    return what.isEmpty() ? what : what.at(0).toUpper() + what.mid(1);
}

} // namespace

struct DocumentHistory::SideParts
{
    Changes parts;
    PlacementCapture placements;
    int freshPlacements = 0;
    BoardInfo board;
    Fiducials fiducials;
    Origins origins;
    OriginGen originGen;
    Drawings drawings;
};

struct DocumentHistory::Pending
{
    QString name;
    bool implicit = false; // one edit outside any group
    SideParts before[2]; // top, bottom
    std::vector<std::shared_ptr<const HistoryFacet::State>> facets;
};

struct DocumentHistory::Step
{
    SideParts before[2];
    SideParts after[2];
    // Null where the facet did not change.
    std::vector<std::shared_ptr<const HistoryFacet::State>> facetsBefore;
    std::vector<std::shared_ptr<const HistoryFacet::State>> facetsAfter;
};

DocumentHistory::DocumentHistory(Document& doc, UndoHistory& history)
    : m_doc(doc)
    , m_history(history)
    , m_latest(new SideParts[2])
{
    m_doc.setEditObserver([this](const DocumentEdit& edit, bool done) { heard(edit, done); });
    m_doc.setGroupObserver(
        [this](const QString& name, bool begin, bool besides) { group(name, begin, besides); });
}

DocumentHistory::~DocumentHistory()
{
    m_doc.setEditObserver(nullptr);
    m_doc.setGroupObserver(nullptr);
}

void DocumentHistory::addFacet(std::unique_ptr<HistoryFacet> facet)
{
    m_facets.push_back(std::move(facet));
}

qint64 DocumentHistory::placementBytes(int n, int fresh)
{
    // The list of pointers and the shared pointers, then per value of its own the entry, the
    // shared pointer's control block and the allocations' overhead. Texts are shared with the
    // document.
    return qint64(n) * qint64(sizeof(void*) + sizeof(std::shared_ptr<const PnPEntry>))
        + qint64(fresh) * qint64(sizeof(PnPEntry) + 32);
}

void DocumentHistory::group(const QString& name, bool begin, bool besides)
{
    if (m_paused || m_restoring)
        return;
    if (begin)
        this->begin(name, besides);
    else
        end(name);
}

void DocumentHistory::heard(const DocumentEdit& edit, bool done)
{
    if (m_paused || m_restoring)
        return;
    const Changes parts = edit.changes & recordedParts;
    if (!parts)
        return;
    if (done) {
        if (m_depth == 1 && m_pending && m_pending->implicit)
            end(edit.what);
        return;
    }
    if (m_depth == 0) {
        begin(edit.what, false);
        m_pending->implicit = true;
    } else if (m_pending->name.isEmpty()) {
        m_pending->name = edit.what;
    }
    const bool both = edit.changes & Change::BothSides;
    for (int s = 0; s < 2; ++s)
        if (both || edit.top == (s == 0))
            capture(m_pending->before[s], s == 0, parts, &m_latest[s]);
}

void DocumentHistory::begin(const QString& name, bool besides)
{
    if (m_depth++ == 0)
        m_pending = std::make_unique<Pending>();
    if (m_pending->name.isEmpty())
        m_pending->name = name;
    if (besides && m_pending->facets.empty())
        for (const auto& facet : m_facets)
            m_pending->facets.push_back(facet->capture());
}

void DocumentHistory::capture(SideParts& into, bool top, Changes parts, const SideParts* share) const
{
    const BoardSide& side = m_doc.side(top);
    const Changes missing = parts & ~into.parts;
    into.parts |= missing;
    if (missing & Change::Placements)
        into.freshPlacements = capturePlacements(into.placements, side.placements,
            share && (share->parts & Change::Placements) ? &share->placements : nullptr);
    if (missing & Change::Board)
        into.board = side.board;
    if (missing & Change::Fiducials)
        into.fiducials = side.fiducials;
    if (missing & Change::Origins)
        into.origins = side.origins;
    if (missing & Change::OriginGen)
        into.originGen = side.originGen;
    if (missing & Change::Drawings)
        into.drawings = side.drawings;
}

void DocumentHistory::end(const QString& name)
{
    if (m_depth == 0 || --m_depth > 0)
        return;
    std::unique_ptr<Pending> pending = std::move(m_pending);
    auto step = std::make_shared<Step>();
    qint64 bytes = 0;
    bool changed = false;
    for (int s = 0; s < 2; ++s) {
        const SideParts& before = pending->before[s];
        if (!before.parts)
            continue;
        SideParts after;
        capture(after, s == 0, before.parts, &before);
        if (after.parts & Change::Placements)
            m_latest[s] = after;
        Changes differ;
        if ((before.parts & Change::Placements) && !samePlacements(before.placements, after.placements))
            differ |= Change::Placements;
        if ((before.parts & Change::Board) && !(before.board == after.board))
            differ |= Change::Board;
        if ((before.parts & Change::Fiducials) && !before.fiducials.sameValues(after.fiducials))
            differ |= Change::Fiducials;
        if ((before.parts & Change::Origins) && before.origins != after.origins)
            differ |= Change::Origins;
        if ((before.parts & Change::OriginGen) && !(before.originGen == after.originGen))
            differ |= Change::OriginGen;
        if ((before.parts & Change::Drawings) && before.drawings != after.drawings)
            differ |= Change::Drawings;
        if (!differ)
            continue;
        changed = true;
        step->before[s] = before;
        step->after[s] = after;
        step->before[s].parts = differ;
        step->after[s].parts = differ;
        if (differ & Change::Placements)
            bytes += placementBytes(before.placements.values.size(), before.freshPlacements)
                + placementBytes(after.placements.values.size(), after.freshPlacements);
        bytes += qint64(sizeof(SideParts)) * 2
            + qint64(before.drawings.size() + after.drawings.size()) * qint64(sizeof(Drawing))
            + qint64(before.origins.size() + after.origins.size()) * qint64(sizeof(Origin));
    }
    for (size_t i = 0; i < pending->facets.size(); ++i) {
        std::shared_ptr<const HistoryFacet::State> after = m_facets[i]->capture();
        const bool same = m_facets[i]->same(*pending->facets[i], *after);
        step->facetsBefore.push_back(same ? nullptr : pending->facets[i]);
        step->facetsAfter.push_back(same ? nullptr : after);
        if (!same) {
            changed = true;
            bytes += pending->facets[i]->bytes() + after->bytes();
        }
    }
    if (!changed)
        return;
    QString shown = stepName(name.isEmpty() ? pending->name : name);
    if (shown.contains(QLatin1String("%n"))) {
        const int n = step->after[0].freshPlacements + step->after[1].freshPlacements;
        shown = n > 1 ? shown.replace(QLatin1String("%n"), QString::number(n))
            : n == 1  ? shown.replace(QLatin1String("%n placements"), QStringLiteral("1 placement"))
                      : shown.replace(QLatin1String("%n placements"), QStringLiteral("selection"));
    }
    m_history.push(
        { shown, [this, step] { restore(*step, true); }, [this, step] { restore(*step, false); }, bytes });
    m_doc.setModified(true);
}

void DocumentHistory::restore(const Step& step, bool back)
{
    m_restoring = true;
    // The entries are made anew: nothing of the latest captures is shared any more.
    m_latest[0] = m_latest[1] = SideParts();
    const SideParts* wanted = back ? step.before : step.after;
    const Changes parts = (wanted[0].parts | wanted[1].parts);
    if (parts) {
        m_doc.editSides(QStringLiteral("undo"), parts, [&](BoardSide& top, BoardSide& bottom) {
            for (int s = 0; s < 2; ++s) {
                const SideParts& p = wanted[s];
                BoardSide& side = s == 0 ? top : bottom;
                if (p.parts & Change::Placements) {
                    QList<PnPEntry*> list;
                    list.reserve(p.placements.values.size());
                    for (const auto& value : p.placements.values)
                        list.append(new PnPEntry(*value));
                    side.placements = list;
                }
                if (p.parts & Change::Board)
                    side.board = p.board;
                if (p.parts & Change::Fiducials)
                    side.fiducials = p.fiducials;
                if (p.parts & Change::Origins)
                    side.origins = p.origins;
                if (p.parts & Change::OriginGen)
                    side.originGen = p.originGen;
                if (p.parts & Change::Drawings)
                    side.drawings = p.drawings;
            }
        });
    }
    const auto& current = back ? step.facetsAfter : step.facetsBefore;
    const auto& target = back ? step.facetsBefore : step.facetsAfter;
    for (size_t i = 0; i < m_facets.size() && i < target.size(); ++i)
        if (target[i])
            m_facets[i]->restore(*current[i], *target[i]);
    m_restoring = false;
}

void DocumentHistory::clear()
{
    m_latest[0] = m_latest[1] = SideParts();
    m_history.clear();
}

bool DocumentHistory::undo()
{
    // Not in the middle of an action (a drag): its step is not complete yet.
    if (m_depth > 0 || !m_history.undo())
        return false;
    m_doc.setModified(!m_history.isClean());
    if (m_restored)
        m_restored();
    return true;
}

bool DocumentHistory::redo()
{
    if (m_depth > 0 || !m_history.redo())
        return false;
    m_doc.setModified(!m_history.isClean());
    if (m_restored)
        m_restored();
    return true;
}
