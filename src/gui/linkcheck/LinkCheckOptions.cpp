#include "gui/linkcheck/LinkCheckOptions.h"

#include <algorithm>

#include "settings/AppSettings.h"

namespace lh::gui {

linkcheck::CheckOptions checkOptionsFrom(const settings::AppSettings& settings) {
    using std::chrono::seconds;
    linkcheck::CheckOptions options;
    options.maxInFlight = settings.LinkCheckInFlight;
    options.perHost = settings.LinkCheckPerHost;
    options.connectTimeout = seconds(settings.LinkCheckConnect);
    options.totalTimeout = seconds(std::max(settings.LinkCheckTotal, settings.LinkCheckConnect));
    options.allowPrivate = settings.LinkCheckPrivate;
    return options;
}

bool proxyInEnvironment(const std::function<std::string(const char*)>& variable) {
    for (const char* name :
         {"http_proxy", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"}) {
        if (!variable(name).empty()) {
            return true;
        }
    }
    return false;
}

}  // namespace lh::gui
