#pragma once

#include <string>

class QClipboard;

namespace lh::gui {

// What the Add URL dialog starts with: a page title and its address, either may be empty.
struct CapturedPage {
    std::string title;
    std::string address;
};

// The page to preset the Add URL dialog with. Linux offers no way to read a running browser's
// address, so this takes a web address (http, https or ftp, one line) from the clipboard;
// anything else gives nothing.
CapturedPage captureBrowserPage(const QClipboard& clipboard);

}  // namespace lh::gui
