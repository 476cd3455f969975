#pragma once

#include <QList>
#include <QRect>
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

// Where the search dialog (frame of `dialog` size) goes so that it leaves the found placement at
// `hit` free, with room for its marker: right of it, else left, below or above, whichever first
// fits on `screen`; where none does, the side with most room, kept on the screen.
QPoint dialogBesideHit(const QRect& screen, const QSize& dialog, const QPoint& hit);
} // namespace PlacementSearch
