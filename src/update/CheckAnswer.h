#pragma once

#include <string>

namespace lh::update {

// What the "Check Newest Version" dialog says, and whether it offers "More Info" (the download
// page).
struct CheckAnswer {
    std::string text;
    bool offersMoreInfo = false;

    bool operator==(const CheckAnswer&) const = default;
};

// Shown while the check runs.
inline constexpr const char* kCheckingText = "Downloading the update information...";
// The text of both the dialog and the pop-up when a newer version exists.
inline constexpr const char* kNewerVersionText = "A newer version of Linkhaven was found.";
// The dialog gives up waiting after this many ticks of its one-second timer.
inline constexpr int kAnswerWaitTicks = 31;

// The answer for a check's result code: newer (with "More Info"), latest, or, for every other
// code, that no information could be got.
CheckAnswer answerFor(int result);
// What the dialog says when no answer came in time: it points to the home page and offers
// "More Info".
CheckAnswer noAnswerInTime();

}  // namespace lh::update
