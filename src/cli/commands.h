#pragma once

#include "cli/clicommand.h"

// The commands of tessavrant-cli. Each writes its results to standard output and returns the
// process exit status: 0 success, 1 a reader or writer failed (the reason on standard error),
// 2 usage error.
CliCommand gerberDumpCommand();
CliCommand renderCommand();
CliCommand viewCommand();
CliCommand convertCommand();
CliCommand projectDumpCommand();
CliCommand configCommand();
CliCommand optimizeCommand();
CliCommand fabListCommand();
