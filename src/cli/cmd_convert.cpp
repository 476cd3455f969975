#include "cli/commands.h"

#include <cstdio>

int runConvert(const QStringList&)
{
    std::fputs("tessavrant-cli: this command is not available in this build\n", stderr);
    return 2;
}
