#include "gui/shell/MenuBuilder.h"

#include <QMenu>

#include <map>
#include <string_view>

#include "gui/shell/ActionRegistry.h"

namespace lh::gui {

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
        } else {
            menu.addAction(actions.action(entry.id));
        }
    }
}

}  // namespace lh::gui
