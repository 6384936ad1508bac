#pragma once

namespace lh::update {

// This program's version, as the About box shows it and as the update check compares it: the
// number times 100 (1.00 is 100).
inline constexpr const char* kVersionText = "1.00";
inline constexpr int kVersionHundredths = 100;

// Our pages: the home page (Help > Home Page, and the update check's "for more info" text) and
// where a newer version is downloaded ("More Info"). Both open in the user's browser.
inline constexpr const char* kHomePage = "https://example.org/linkhaven/";
inline constexpr const char* kDownloadPage = "https://example.org/linkhaven/download/";

}  // namespace lh::update
