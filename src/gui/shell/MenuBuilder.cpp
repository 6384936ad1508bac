#include "gui/shell/MenuBuilder.h"

#include <QMenu>

#include <map>
#include <string_view>

#include "gui/shell/ActionRegistry.h"

namespace lh::gui {

namespace {

// An entry that shows `command` under another text: it mirrors the command's enabled state and
// runs it.
QAction* aliasOf(QAction* command, const char* text, QMenu& menu) {
    auto* alias = new QAction(QString::fromUtf8(text), &menu);
    alias->setObjectName(command->objectName() + QStringLiteral("Alias"));
    alias->setEnabled(command->isEnabled());
    QObject::connect(command, &QAction::changed, alias,
                     [command, alias] { alias->setEnabled(command->isEnabled()); });
    QObject::connect(alias, &QAction::triggered, command, [command] { command->trigger(); });
    return alias;
}

}  // namespace

void addMenuEntries(QMenu& menu, const ActionRegistry& actions,
                    std::span<const MenuEntry> entries) {
    std::map<std::string_view, QMenu*> submenus;
    for (const MenuEntry& entry : entries) {
        if (entry.separator) {
            menu.addSeparator();
        } else if (entry.submenu != nullptr) {
            QMenu*& submenu = submenus[entry.submenu];
            if (submenu == nullptr) {
                submenu = menu.addMenu(QString::fromUtf8(entry.submenu));
            }
            submenu->addAction(actions.action(entry.id));
        } else if (entry.text != nullptr) {
            menu.addAction(aliasOf(actions.action(entry.id), entry.text, menu));
        } else {
            menu.addAction(actions.action(entry.id));
        }
    }
}

}  // namespace lh::gui
