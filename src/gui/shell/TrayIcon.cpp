#include "gui/shell/TrayIcon.h"

#include <QApplication>

#include "gui/shell/ActionRegistry.h"
#include "gui/shell/CommandTable.h"
#include "gui/shell/FavouritesMenu.h"
#include "gui/shell/ShellPictures.h"

namespace lh::gui {

TrayIcon::TrayIcon(ActionRegistry& actions, FavouritesMenu& favourites, QObject* parent)
    : QObject(parent), m_actions(actions), m_favourites(favourites) {
    m_menu.setObjectName("trayMenu");
    for (const TrayEntry& entry : trayMenuLayout()) {
        switch (entry.kind) {
            case TrayEntry::Kind::Command:
                addEntry(entry.id, QString::fromUtf8(entry.text));
                break;
            case TrayEntry::Kind::Separator:
                m_menu.addSeparator();
                break;
            case TrayEntry::Kind::Favourites:
                m_menu.addMenu(&favourites);
                break;
        }
    }
    connect(&m_menu, &QMenu::aboutToShow, this, &TrayIcon::updateForModalDialogs);

    m_icon.setIcon(programIcon());
    m_icon.setToolTip(QStringLiteral("Linkhaven"));
    m_icon.setContextMenu(&m_menu);
    connect(&m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason why) {
                if (why == QSystemTrayIcon::DoubleClick) {
                    m_actions.action(CommandId::OpenHide)->trigger();
                }
            });
}

void TrayIcon::addEntry(CommandId id, const QString& text) {
    QAction* command = m_actions.action(id);
    QAction* entry = m_menu.addAction(text);
    entry->setObjectName(QStringLiteral("tray%1").arg(int(id)));
    entry->setCheckable(command->isCheckable());
    connect(entry, &QAction::triggered, command, [command] { command->trigger(); });
    m_entries.emplace_back(entry, command);
}

void TrayIcon::updateForModalDialogs() {
    const bool modal = waitsForAnswer();
    for (auto [entry, command] : m_entries) {
        const bool waits = modal && command != m_actions.action(CommandId::OpenHide);
        entry->setEnabled(command->isEnabled() && !waits);
        entry->setChecked(command->isChecked());
    }
    m_favourites.menuAction()->setEnabled(!modal && m_favourites.hasFavourites());
}

void TrayIcon::show() {
    if (available()) {
        m_icon.show();
    }
}

void TrayIcon::hide() {
    m_icon.hide();
}

bool TrayIcon::waitsForAnswer() const {
    return QApplication::activeModalWidget() != nullptr || (m_alsoWaits && m_alsoWaits());
}

bool TrayIcon::available() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

}  // namespace lh::gui
