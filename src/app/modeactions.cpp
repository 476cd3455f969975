#include "app/modeactions.h"

namespace ModeActions {

QStringList placementOnly()
{
    return { QStringLiteral("menuImportieren"), QStringLiteral("menuExportieren"),
        QStringLiteral("actionGenerate_origin"), QStringLiteral("actionGenerate_Feederlist"),
        QStringLiteral("actionUpdate_DB_No_in_Feederlist"), QStringLiteral("actionConvert_Panel"),
        QStringLiteral("actionQuantize"), QStringLiteral("actionUnplace_all"), QStringLiteral("actionSearch"),
        QStringLiteral("menuShift"), QStringLiteral("menuDelete_Layer"),
        QStringLiteral("actionTOPAZ_OPAL_single_CAM") };
}

QStringList disabledInLayerMode()
{
    return placementOnly();
}

QStringList withoutFunction()
{
    return { QStringLiteral("actionAssembleon"), QStringLiteral("actionAssembleon_TXT"),
        QStringLiteral("actionEclipse_emerald"), QStringLiteral("actionVI3000") };
}

QStringList blockedMenus()
{
    return { QStringLiteral("menuTopPaste"), QStringLiteral("menuTools"), QStringLiteral("menuView"),
        QStringLiteral("menuHelp") };
}

bool enabledAfterUnblock(const QString& actionName, bool modified, bool layerMode)
{
    if (actionName == QLatin1String("actionSpeicher"))
        return modified;
    if (actionName == QLatin1String("actionGenerate_origin") || actionName == QLatin1String("actionSearch"))
        return !layerMode;
    return true;
}

} // namespace ModeActions
