#pragma once

#include <functional>
#include <string>

#include "linkcheck/LinkCheck.h"

namespace lh::settings {
struct AppSettings;
}

namespace lh::gui {

// The rules of a run from the settings: the limits and time-outs as set (a total time-out never
// shorter than the connect time-out), and whether private addresses are checked.
linkcheck::CheckOptions checkOptionsFrom(const settings::AppSettings& settings);

// True when the environment, read through `variable` (empty: not set), sends the checker's
// requests through a proxy: http_proxy, https_proxy, HTTPS_PROXY, all_proxy or ALL_PROXY, as
// libcurl reads them (it ignores an upper-case HTTP_PROXY).
bool proxyInEnvironment(const std::function<std::string(const char*)>& variable);

}  // namespace lh::gui
