#pragma once

#include <QStringList>

// Object names of the form's actions and menus that the mode switches and the interaction
// block act on, kept apart from the window so the sets can be checked without widgets.
namespace ModeActions {

// Enabled when placement mode is entered from layer mode, disabled in layer mode.
QStringList placementOnly();

// What entering layer mode disables: the same entries as placementOnly().
QStringList disabledInLayerMode();

// The entries that carry no function and are disabled at start-up.
QStringList withoutFunction();

// Menus of the menu bar that blocking interaction disables.
QStringList blockedMenus();

// Whether an action of the toolbar or the tools is enabled again by unblocking.
bool enabledAfterUnblock(const QString& actionName, bool modified, bool layerMode);

} // namespace ModeActions
