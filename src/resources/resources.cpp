#include "resources/resources.h"

#include <QtGlobal>

void initTessavrantResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(tessavrant_resources);
        return true;
    }();
    Q_UNUSED(registered);
}
