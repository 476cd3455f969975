#pragma once

#include <QString>

// Where the configuration files live: the folder named by TESSAVRANT_CONFIG_DIR when it is
// set (a shop's shared drive, or a test's temporary folder), else "Tessavrant" inside the
// user's documents folder.
namespace ConfigFolder {

inline const char* const environmentVariable = "TESSAVRANT_CONFIG_DIR";

QString path();
// path() + "/" + name.
QString file(const QString& name);
// Creates the folder when it does not exist; false when that fails.
bool ensureExists();

} // namespace ConfigFolder
