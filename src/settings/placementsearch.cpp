#include "settings/placementsearch.h"

#include "model/pnpentry.h"

namespace PlacementSearch {

QString normalisedTerm(const QString& term)
{
    return term.trimmed().toLower();
}

namespace {

bool matches(const QString& field, const QString& term, SearchMode mode)
{
    switch (mode) {
    case SearchMode::Standard:
        return field.contains(term, Qt::CaseInsensitive);
    case SearchMode::Absolute:
        return field.trimmed().compare(term, Qt::CaseInsensitive) == 0;
    case SearchMode::None:
        break;
    }
    return false;
}

} // namespace

QList<SearchHit> run(const QList<PnPEntry*>& list, const SearchOptions& options)
{
    QList<SearchHit> hits;
    const QString term = normalisedTerm(options.term);
    if (term.isEmpty() || options.mode == SearchMode::None)
        return hits;
    const QString sideFilter = options.side == SearchSide::Top ? QStringLiteral("top")
        : options.side == SearchSide::Bottom                   ? QStringLiteral("bottom")
                                                               : QString();
    const QString bar = QStringLiteral(" | ");
    for (int i = 0; i < list.size(); ++i) {
        const PnPEntry* e = list.at(i);
        if (!e || (!sideFilter.isEmpty() && e->side() != sideFilter))
            continue;
        const bool found = (options.refDes && matches(e->refDes(), term, options.mode))
            || (options.name && matches(e->name(), term, options.mode))
            || (options.value && matches(e->value(), term, options.mode))
            || (options.comment && matches(e->comment(), term, options.mode));
        if (!found)
            continue;
        hits.append({ i,
            QString::number(hits.size() + 1) + bar + e->refDes() + bar + e->name() + bar + e->value() + bar
                + e->comment() });
    }
    return hits;
}

QPoint dialogBesideHit(const QRect& screen, const QSize& dialog, const QPoint& hit)
{
    const int gap = 40; // the marker and its label stay visible
    const int w = dialog.width();
    const int h = dialog.height();
    const int middleY = hit.y() - h / 2;
    const int middleX = hit.x() - w / 2;
    const QPoint candidates[] = { { hit.x() + gap, middleY }, { hit.x() - gap - w, middleY },
        { middleX, hit.y() + gap }, { middleX, hit.y() - gap - h } };
    // Room on each side of the hit, in the same order.
    const int room[] = { screen.right() - hit.x() - gap - w, hit.x() - gap - w - screen.left(),
        screen.bottom() - hit.y() - gap - h, hit.y() - gap - h - screen.top() };
    int best = 0;
    for (int i = 0; i < 4; ++i) {
        if (room[i] >= 0) {
            best = i;
            break;
        }
        if (room[i] > room[best])
            best = i;
    }
    // Slide along the chosen side to stay on the screen; that never moves it over the hit.
    QPoint at = candidates[best];
    if (best < 2)
        at.setY(qBound(screen.top(), at.y(), qMax(screen.top(), screen.bottom() + 1 - h)));
    else
        at.setX(qBound(screen.left(), at.x(), qMax(screen.left(), screen.right() + 1 - w)));
    return at;
}

} // namespace PlacementSearch
