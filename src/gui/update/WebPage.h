#pragma once

#include <string>

namespace lh::gui {

class BrowserLauncher;

// Opens one of our own pages (home, download) in the browser. Checked here, at the call, to be
// an http or https address with a host: nothing else is opened this way. False when refused.
bool openWebPage(BrowserLauncher& browser, const std::string& address);

}  // namespace lh::gui
