#pragma once

#include <QString>

class Document;
class LayerSet;

// The fabrication package options of view and convert.
namespace CliFab {

// Reads the package at `path` (a folder or a zip archive), assigns its files as fab-list shows and
// installs the layers, and with `placements` its placements, into `layers` and `document`. Notes
// on files not loaded go to standard output. False with the reason when the package is unreadable.
bool loadPackage(const QString& path, LayerSet& layers, Document& document, bool placements, QString* error);

} // namespace CliFab
