#pragma once

#include <QStringList>

// Each command of tessavrant-cli: takes its own arguments (without the command name),
// writes to standard output and standard error, and returns the process exit status
// (0 success, 1 failure of a reader or writer, 2 usage error).
int runGerberDump(const QStringList& args);
int runRender(const QStringList& args);
int runConvert(const QStringList& args);
int runView(const QStringList& args);
int runProjectDump(const QStringList& args);
int runConfig(const QStringList& args);
int runOptimize(const QStringList& args);
int runFabList(const QStringList& args);
