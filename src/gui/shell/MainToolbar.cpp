#include "gui/shell/MainToolbar.h"

#include <QToolButton>

#include "gui/shell/ActionRegistry.h"
#include "gui/shell/CommandTable.h"
#include "gui/shell/ShellPictures.h"

namespace lh::gui {

MainToolbar::MainToolbar(ActionRegistry& actions, QWidget* parent)
    : QToolBar(QStringLiteral("ToolBar"), parent), m_actions(actions) {
    setObjectName("mainToolBar");
    setIconSize(QSize(32, 32));
    setMovable(true);
    for (const ToolbarButtonInfo& button : toolbarButtonTable()) {
        QAction* action = m_actions.action(button.id);
        action->setIcon(toolbarPicture(button.image));
        action->setIconText(QString::fromUtf8(button.text));  // menus keep their own text
    }
    setEntries(defaultEntries());
}

std::vector<ToolbarEntry> MainToolbar::defaultEntries() {
    std::vector<ToolbarEntry> entries;
    for (const ToolbarButtonInfo& button : toolbarButtonTable()) {
        if (button.inDefaultSet) {
            entries.emplace_back(button.id);
        }
    }
    return entries;
}

void MainToolbar::setEntries(const std::vector<ToolbarEntry>& entries) {
    m_entries.clear();
    for (const ToolbarEntry& e : entries) {
        if (!e || findToolbarButton(*e) != nullptr) {
            m_entries.push_back(e);
        }
    }
    rebuild();
}

void MainToolbar::setShowText(bool on) {
    m_showText = on;
    rebuild();
}

void MainToolbar::rebuild() {
    clear();
    setToolButtonStyle(m_showText ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    const QSize buttonSize = m_showText ? QSize(66, 54) : QSize(39, 38);
    for (const ToolbarEntry& e : m_entries) {
        if (!e) {
            addSeparator();
            continue;
        }
        QAction* action = m_actions.action(*e);
        addAction(action);
        if (auto* button = qobject_cast<QToolButton*>(widgetForAction(action))) {
            button->setFixedSize(buttonSize);
            button->setObjectName(QStringLiteral("toolButton%1").arg(int(*e)));
        }
    }
}

}  // namespace lh::gui
