#pragma once

#include "gerber/layerset.h"
#include "model/document.h"
#include "project/projectdump.h"
#include "project/projectfile.h"

#include <QByteArray>
#include <QString>

// Shared pieces of the project file tests: a document with every kind of record, and an
// independent encoder that writes the compressed container the way older program versions do.
namespace ProjectFixture {

// A small Gerber file (flashes, draws, a region) and a small drill file.
QString gerberText(int variant);
QString drillText();

// Both sides with placements (odd texts included), records, origins, fiducials, drawings,
// seven layers on top, a drill layer on the bottom, two Gerber-mode rows and feeder blocks.
void fill(Document& document, LayerSet& layers);

// The plain tree construction over the text, codes written in order of their value (so the
// all-zero code comes first), then the header line "Tessavrant v<version>".
QByteArray referencePack(const QByteArray& text, const QByteArray& headerVersion = "0.0.79");

// Reads bytes into a fresh document; the dump, or "FAILED: reason".
QString loadDump(const QByteArray& bytes, ProjectLoad* load = nullptr);

} // namespace ProjectFixture
