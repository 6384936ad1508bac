#include "gui/shell/CommandTable.h"

#include <algorithm>

namespace lh::gui {

namespace {

using C = CommandId;

const CommandInfo kCommands[] = {
    {C::NewDatabase, "New Database...  \tCtrl+N", QKeySequence::New},
    {C::OpenDatabase, "Open Database ...\tCtrl+O", QKeySequence::Open},
    {C::SaveDatabase, "Save Database...\tCtrl+S", QKeySequence::Save},
    {C::SaveDatabaseAs, "Save &As..."},
    {C::ImportFavoritesFolder, "Import IE Favorites"},
    {C::ImportFirefox, "Import Firefox Bookmark"},
    {C::ImportBookmarkFile, "Import Favorites From Bookmark file"},
    {C::ExportBookmarkFile, "Export Bookmark file..."},
    {C::Exit, "E&xit"},
    {C::NewCategory, "New Category"},
    {C::DeleteCategory, "Delete"},
    {C::MoveCategory, "Move to"},
    {C::CategoryProperties, "Properties"},
    {C::TreeNewCategory, "New Category"},
    {C::TreeDeleteCategory, "Delete"},
    {C::TreeMoveCategory, "Move to"},
    {C::TreeCategoryProperties, "Properties"},
    // Their texts name the step while there is one (UndoActions).
    {C::Undo, "&Undo", QKeySequence::Undo, false, nullptr, "Undo"},
    {C::Redo, "&Redo", QKeySequence::Redo, false, nullptr, "Redo"},
    {C::SelectAll, "Select All"},
    {C::InvertSelection, "Invert Select"},
    {C::Find, "Find"},
    {C::FindNext, "Find Next"},
    {C::AddUrl, "Add URL"},
    {C::AddFile, "Add File"},
    {C::AddBatchFile, "Add Batch File"},
    {C::AddRemind, "Add Remind"},
    {C::BrowseUrl, "Browse this Url", {}, false, "Browse this Url"},
    {C::ItemComment, "Comment"},
    {C::OpenFile, "Open file"},
    {C::CopyFile, "Copy file"},
    {C::OpenFileFolder, "Open File directory", {}, false, "Open File directory"},
    {C::MoveUp, "&Move Up", {}, false, "Move the selected item(s) up", "Move up"},
    {C::MoveDown, "&Move Down", {}, false, "Move the selected item(s) down", "Move down"},
    {C::ItemProperty, "Property", {}, false, "Property"},
    {C::DeleteItems, "Delete", {}, false, "Delete Item"},
    {C::Detail, "Detail", QKeySequence::UnknownKey, true},
    {C::DropZone, "DropZone", QKeySequence::UnknownKey, true},
    {C::ShowText, "Show Text", QKeySequence::UnknownKey, true},
    {C::CustomizeToolbar, "Customize"},
    {C::Grid, "Grid", QKeySequence::UnknownKey, true},
    {C::Columns, "Columns..."},
    {C::Options, "Options..."},
    {C::CheckLinks, "Check Links...", {}, false, "Find the dead links of the selected category"},
    {C::CheckForUpdate, "&Check for a new version"},
    {C::UserManual, "&User Manual"},
    {C::HomePage, "Home Page"},
    {C::About, "&About Linkhaven..."},
    {C::OpenHide, "Open/Hide Linkhaven"},
};

const ToolbarButtonInfo kToolbarButtons[] = {
    {0, C::AddUrl, "Add URL"},
    {1, C::DeleteItems, "Delete"},
    {2, C::MoveUp, "Up"},
    {3, C::MoveDown, "Down"},
    {4, C::ItemProperty, "Properties"},
    {5, C::Find, "Find"},
    {6, C::Options, "Options"},
    {7, C::About, "About"},
    {9, C::Exit, "Exit"},
    {10, C::AddFile, "Add File", false},
    {11, C::AddBatchFile, "Add Batch File", false},
    {12, C::OpenFileFolder, "Open File directory", false},
    {13, C::Undo, "Undo", false},
    {14, C::Redo, "Redo", false},
};

const MenuEntry kCategoryContextMenu[] = {
    {C::TreeNewCategory},
    {C::TreeDeleteCategory},
    {C::TreeMoveCategory},
    {C::TreeCategoryProperties},
};

const MenuEntry kUrlItemMenu[] = {{C::ItemProperty}, {C::ItemComment}, {C::BrowseUrl}};
const MenuEntry kFileItemMenu[] = {
    {C::ItemProperty}, {C::ItemComment},    {C::OpenFile},
    {C::CopyFile},     {CommandId{}, true}, {C::DeleteItems, false, nullptr, "Delete Item"},
};
const MenuEntry kRemindItemMenu[] = {{C::ItemProperty}, {C::ItemComment}};

using Tray = TrayEntry::Kind;
const TrayEntry kTrayMenu[] = {
    {Tray::Command, C::OpenHide, "Open/Hide Linkhaven"},
    {Tray::Separator},
    {Tray::Command, C::AddUrl, "Add Url"},
    {Tray::Separator},
    {Tray::Command, C::DropZone, "DropZone"},
    {Tray::Command, C::Options, "Options..."},
    {Tray::Command, C::About, "About"},
    {Tray::Favourites},
    {Tray::Separator},
    {Tray::Command, C::Exit, "Exit"},
};

MenuEntry item(CommandId id) {
    return MenuEntry{id};
}
MenuEntry separator() {
    return MenuEntry{CommandId{}, true};
}

}  // namespace

std::span<const CommandInfo> allCommands() {
    return kCommands;
}

const CommandInfo* findCommand(CommandId id) {
    const auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                                 [id](const CommandInfo& c) { return c.id == id; });
    return it == std::end(kCommands) ? nullptr : &*it;
}

const std::vector<MenuPopup>& mainMenuLayout() {
    static const std::vector<MenuPopup> layout = {
        {MenuId::File,
         "&File",
         {item(C::NewDatabase), item(C::OpenDatabase), item(C::SaveDatabase),
          item(C::SaveDatabaseAs), separator(), item(C::ImportFavoritesFolder),
          item(C::ImportFirefox), item(C::ImportBookmarkFile), item(C::ExportBookmarkFile),
          separator(), item(C::Exit)}},
        {MenuId::Category,
         "Category(&E)",
         {item(C::NewCategory), item(C::DeleteCategory), item(C::MoveCategory),
          item(C::CategoryProperties)}},
        {MenuId::Edit,
         "&Edit",
         {item(C::Undo), item(C::Redo), separator(), item(C::SelectAll), item(C::InvertSelection),
          separator(), item(C::Find), item(C::FindNext)}},
        {MenuId::Management,
         "Management",
         {item(C::AddUrl), item(C::AddFile), item(C::AddBatchFile), item(C::AddRemind), separator(),
          item(C::MoveUp), item(C::MoveDown), separator(), item(C::ItemProperty),
          item(C::DeleteItems)}},
        {MenuId::View,
         "&View",
         {item(C::Detail), item(C::DropZone), MenuEntry{C::ShowText, false, "ToolBar"},
          MenuEntry{C::CustomizeToolbar, false, "ToolBar"}, item(C::Grid), separator(),
          item(C::Columns)}},
        {MenuId::Tools, "Tools", {item(C::Options), separator(), item(C::CheckLinks)}},
        {MenuId::Help,
         "&Help",
         {item(C::UserManual), item(C::HomePage), item(C::CheckForUpdate), separator(),
          item(C::About)}},
    };
    return layout;
}

std::span<const MenuEntry> categoryContextMenuLayout() {
    return kCategoryContextMenu;
}

std::span<const MenuEntry> itemContextMenuLayout(items::ItemKind kind) {
    switch (kind) {
        case items::ItemKind::Url:
            return kUrlItemMenu;
        case items::ItemKind::File:
            return kFileItemMenu;
        case items::ItemKind::Remind:
            return kRemindItemMenu;
        case items::ItemKind::Mixed:
            break;
    }
    return {};
}

std::span<const TrayEntry> trayMenuLayout() {
    return kTrayMenu;
}

std::span<const ToolbarButtonInfo> toolbarButtonTable() {
    return kToolbarButtons;
}

const ToolbarButtonInfo* findToolbarButton(CommandId id) {
    const auto it = std::find_if(std::begin(kToolbarButtons), std::end(kToolbarButtons),
                                 [id](const ToolbarButtonInfo& b) { return b.id == id; });
    return it == std::end(kToolbarButtons) ? nullptr : &*it;
}

}  // namespace lh::gui
