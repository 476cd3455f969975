#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <initializer_list>
#include <utility>

class QMenu;

// Context-menu pieces the placement table, the part table and the board view share.
namespace TableMenus {
using Entry = std::pair<QString, std::function<void()>>;
// A submenu with the entries in order.
QMenu* addSubmenu(QMenu* parent, const QString& title, std::initializer_list<Entry> entries);
// "Rotate": "45°", "90°", "180°", "270°"; chosen gets the angle.
QMenu* addRotateMenu(QMenu* parent, const std::function<void(int)>& chosen);
// "Execute": "No Execute", "SMD", "THT", "Other"; chosen gets the kind 0..3.
QMenu* addExecuteMenu(QMenu* parent, const std::function<void(int)>& chosen);
// "assign to Machine...": rebuilt from machines() each time it opens; entry 0 (no machine)
// in italics; chosen gets the entry's index.
QMenu* addMachineMenu(
    QMenu* parent, const std::function<QStringList()>& machines, const std::function<void(int)>& chosen);
} // namespace TableMenus
