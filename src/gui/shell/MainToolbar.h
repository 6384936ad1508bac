#pragma once

#include <QToolBar>

#include <optional>
#include <vector>

#include "gui/shell/CommandIds.h"

namespace lh::gui {

class ActionRegistry;

// A toolbar entry: a command, or a separator (no command).
using ToolbarEntry = std::optional<CommandId>;

// The main toolbar: buttons from the button table in the user's order, with or without texts.
class MainToolbar : public QToolBar {
    Q_OBJECT

public:
    MainToolbar(ActionRegistry& actions, QWidget* parent = nullptr);

    // The nine buttons of the button table, in table order.
    static std::vector<ToolbarEntry> defaultEntries();
    // Shows `entries`; commands that are not in the button table are left out.
    void setEntries(const std::vector<ToolbarEntry>& entries);
    const std::vector<ToolbarEntry>& entries() const { return m_entries; }

    // With texts: 66 x 54 buttons showing the table's text under the picture; without: 39 x 38.
    void setShowText(bool on);
    bool showText() const { return m_showText; }

private:
    void rebuild();

    ActionRegistry& m_actions;
    std::vector<ToolbarEntry> m_entries;
    bool m_showText = false;
};

}  // namespace lh::gui
