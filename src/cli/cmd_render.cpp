#include "cli/commands.h"

#include <cstdio>

int runRender(const QStringList&)
{
    std::fputs("tessavrant-cli: this command is not available in this build\n", stderr);
    return 2;
}
