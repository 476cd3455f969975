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

} // namespace PlacementSearch
