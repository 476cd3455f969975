#include "tables/ui/tablemenus.h"

#include "model/pnpentry.h"

#include <QMenu>

namespace TableMenus {

QMenu* addSubmenu(QMenu* parent, const QString& title, std::initializer_list<Entry> entries)
{
    QMenu* menu = parent->addMenu(title);
    for (const Entry& e : entries)
        QObject::connect(menu->addAction(e.first), &QAction::triggered, menu, e.second);
    return menu;
}

QMenu* addRotateMenu(QMenu* parent, const std::function<void(int)>& chosen)
{
    return addSubmenu(parent, QStringLiteral("Rotate"),
        { { QStringLiteral("45°"), [chosen] { chosen(45); } },
            { QStringLiteral("90°"), [chosen] { chosen(90); } },
            { QStringLiteral("180°"), [chosen] { chosen(180); } },
            { QStringLiteral("270°"), [chosen] { chosen(270); } } });
}

QMenu* addExecuteMenu(QMenu* parent, const std::function<void(int)>& chosen)
{
    return addSubmenu(parent, QStringLiteral("Execute"),
        { { QStringLiteral("No Execute"), [chosen] { chosen(0); } },
            { QStringLiteral("SMD"), [chosen] { chosen(1); } },
            { QStringLiteral("THT"), [chosen] { chosen(3); } },
            { QStringLiteral("Other"), [chosen] { chosen(2); } } });
}

QMenu* addMachineMenu(
    QMenu* parent, const std::function<QStringList()>& machines, const std::function<void(int)>& chosen)
{
    QMenu* menu = parent->addMenu(QStringLiteral("assign to Machine..."));
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, machines, chosen] {
        menu->clear();
        const QStringList names = machines ? machines() : QStringList();
        for (int i = 0; i < names.size(); ++i) {
            QAction* action = menu->addAction(names.at(i));
            if (i == 0) {
                QFont italic = action->font();
                italic.setItalic(true);
                action->setFont(italic);
            }
            QObject::connect(action, &QAction::triggered, menu, [chosen, i] { chosen(i); });
        }
    });
    return menu;
}

} // namespace TableMenus
