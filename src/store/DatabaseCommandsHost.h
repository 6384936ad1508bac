#pragma once

#include <string>

namespace lh::store {

// What DatabaseCommands needs from the main window. The window implements it and passes itself
// to the controller; tests record the calls.
class DatabaseCommandsHost {
public:
    virtual ~DatabaseCommandsHost() = default;
    // Shows `title` as the window title ("Default.lhd -- Linkhaven", "Untitled.lhd  Linkhaven").
    virtual void setTitle(const std::string& title) = 0;
    // Forgets the current category and the category shown in the item list and empties the
    // category tree: the database is about to be closed or replaced. (The tree is rebuilt from
    // DatabaseObserver::treeRebuilt when the new contents arrive.)
    virtual void clearViews() = 0;
    // Rebuilds the favourites submenu of the tray menu from the database.
    virtual void rebuildFavouritesMenu() = 0;
    // Exit: hides the main window and asks it to close (the close then runs as usual: settings,
    // DatabaseCommands::finishClose).
    virtual void closeProgram() = 0;
    // Shows `text` in the status bar (autosave and backup failures).
    virtual void showStatus(const std::string& text) = 0;
};

}  // namespace lh::store
