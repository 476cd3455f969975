#pragma once

#include <QList>
#include <QString>

class PnPEntry;

enum class SearchMode
{
    None, // neither radio button chosen: nothing matches
    Standard, // the field contains the term
    Absolute // the field equals the term
};

enum class SearchSide
{
    Top,
    Bottom,
    Both
};

// What the search dialog asks for.
struct SearchOptions
{
    QString term;
    bool refDes = true;
    bool name = true;
    bool value = true;
    bool comment = true;
    SearchMode mode = SearchMode::Standard;
    SearchSide side = SearchSide::Both;
};

// One found placement: its index in the searched list and the line the result list shows.
struct SearchHit
{
    int index = -1;
    QString text;
};

// Finding placements by their texts, ignoring letter case and surrounding white space.
namespace PlacementSearch {
// The term as it is matched; empty when the user typed nothing but spaces.
QString normalisedTerm(const QString& term);
// Every placement of list that matches, in list order, each once ("1 | R1 | 0603 | 10k | ").
// A term that is empty after trimming matches nothing.
QList<SearchHit> run(const QList<PnPEntry*>& list, const SearchOptions& options);
} // namespace PlacementSearch
