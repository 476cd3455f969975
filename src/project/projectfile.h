#pragma once

#include <QString>

class Document;

// Reading and writing a whole document as a .tvx project file. Both return false with a
// reason in error when the file could not be read or written; the document is then only
// partly filled (read) or the file on disk is left as it was (write).
bool readProject(const QString& path, Document& document, QString& error);
bool writeProject(const QString& path, const Document& document, QString& error);
