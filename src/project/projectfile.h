#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

class Document;
class LayerSet;

// The two colour values of the board view a project keeps: the entries of the board and the
// silk colour boxes.
struct ProjectColours
{
    int boardColorIndex = 0;
    int silkColorIndex = 0;
};

// What a load gives besides the document.
struct ProjectLoad
{
    ProjectColours colours;
    bool coloursRead = false; // the file had a "+General" line
    // Set when the file was loaded but is damaged or incomplete (e.g. it ends before its end
    // mark): says which part was read last. The loaded document holds everything before it.
    QString warning;
};

// Called while a project is read: `done` of `total` steps (decoding, then each layer read again).
using ProjectProgress = std::function<void(int done, int total)>;

// Reading and writing a whole document as a .tvx project file.
//
// readProject reads the file into a fresh set of records and layers (layers re-read from their
// stored lines, their transform replayed) and hands them to `document` and `layers` only when
// the file was read; on false nothing is changed and `error` names the file and reason. The
// caller gives a reset document: layer slots the file does not hold keep their layer.
bool readProject(const QString& path, Document& document, LayerSet& layers, ProjectLoad* load, QString* error,
    const ProjectProgress& progress = {});
// The same over bytes already read; `fileLabel` names them in messages.
bool readProjectBytes(const QByteArray& bytes, const QString& fileLabel, Document& document, LayerSet& layers,
    ProjectLoad* load, QString* error, const ProjectProgress& progress = {});

// Writes the working placement list back to its side (not in Gerber mode), builds the whole
// file in memory and replaces the file at `path` atomically; only then both boards take the
// file's base name. On false the file on disk and the document are as they were. `progress`
// hears each step (sides, layers, compression, file) as it is done.
bool writeProject(const QString& path, Document& document, const LayerSet& layers,
    const ProjectColours& colours, QString* error, const ProjectProgress& progress = {});
// The file's bytes for the document as it is (no write-back, no rename).
QByteArray projectBytes(const Document& document, const LayerSet& layers, const ProjectColours& colours);
// The project text before compression (Latin-1, lines separated by LF).
QByteArray projectText(const Document& document, const LayerSet& layers, const ProjectColours& colours);

// The version a save writes: 10, or 7 when the document came from a file older than version 8
// and one of its layers holds only a stored image (no lines to read it again from).
int versionToWrite(const Document& document, const LayerSet& layers);

// The board name a save gives: the file's base name with "." turned into "_".
QString boardNameForPath(const QString& path);
