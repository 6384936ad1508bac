#pragma once

#include <cstdint>
#include <string>

namespace lh::gui {

// How far a run has come: the progress bar's figures and the line under it.
struct LinkProgress {
    std::size_t done = 0;             // links with a result, remembered ones included
    std::size_t total = 0;            // links in the run
    std::size_t checked = 0;          // of `done`, those checked in this run (not remembered)
    std::int64_t elapsedSeconds = 0;  // since the run began
    bool finished = false;
    bool cancelled = false;

    // "120 / 400 links, 12.0 per second, about 24 s left"; the rate and the time left only once
    // a second has passed and a link was checked; "Done: 400 links" / "Cancelled: 120 / 400 links"
    // at the end.
    std::string text() const;
    // Per thousand, for the bar (1000 for an empty run).
    int perMille() const;
};

}  // namespace lh::gui
