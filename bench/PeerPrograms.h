#pragma once

// Other programs that import the same bookmark file, run for comparison when installed.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "BenchTiming.h"

namespace lh::bench {

struct PeerRun {
    double seconds = -1;  // -1: not run (see note)
    std::size_t kept = 0;
    std::string note;
};

inline bool onPath(const char* program) {
    const std::string command = std::string("command -v ") + program + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

inline std::size_t countInFile(const std::string& path, const std::string& needle) {
    std::ifstream in(path);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::size_t n = 0;
    for (auto pos = text.find(needle); pos != std::string::npos; pos = text.find(needle, pos + 1)) {
        ++n;
    }
    return n;
}

// keditbookmarks converting the file to its XBEL bookmarks, offscreen, with a home of its own.
inline PeerRun runKeditbookmarks(const std::string& dir, const std::string& html) {
    PeerRun row;
    if (!onPath("keditbookmarks")) {
        row.note = "not installed (apt-get install keditbookmarks)";
        return row;
    }
    const std::string home = dir + "/kde-home";
    std::filesystem::create_directories(home);
    const std::string command = "cd '" + dir + "' && HOME='" + home + "' XDG_CONFIG_HOME='" + home +
                                "/.config' XDG_DATA_HOME='" + home +
                                "/.local/share' XDG_CACHE_HOME='" + home +
                                "/.cache' QT_QPA_PLATFORM=offscreen keditbookmarks --importmoz '" +
                                html + "' '" + dir + "/kedit.xml' >/dev/null 2>&1";
    row.seconds = secondsOf([&] { (void)std::system(command.c_str()); });
    row.kept = countInFile(dir + "/kedit.xml", "<bookmark ");
    return row;
}

}  // namespace lh::bench
