#pragma once

#include <string>

namespace lh::commands {

// What FileCommands needs from the main window. The window implements it and passes itself to
// the commands; tests record the calls. (The views follow the Database's own events.)
class FileCommandsHost {
public:
    virtual ~FileCommandsHost() = default;
    // Shows `title` as the window title ("Default.lhd -- Linkhaven", "Untitled.lhd  Linkhaven").
    virtual void setTitle(const std::string& title) = 0;
    // Exit: hides the main window and asks it to close (the close then runs as usual: settings,
    // FileCommands::finishClose).
    virtual void closeProgram() = 0;
    // Shows `text` in the status bar (autosave and backup failures).
    virtual void showStatus(const std::string& text) = 0;
    // The next load replaces the database with another version of the same file: the views keep
    // the current category and the open branches where they still exist.
    virtual void keepViewOnNextLoad() {}
};

}  // namespace lh::commands
