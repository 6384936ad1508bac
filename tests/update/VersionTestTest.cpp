#include "update/VersionTest.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <string_view>

#include "update/HttpResponse.h"

namespace lh::update {
namespace {

TEST(VersionTestTest, ReadsFourCharactersAfterVerWhateverTheLocale) {
    // "1.1" is 1.10; only four characters are read ("1.001"); "ver=1.0" is under 8 bytes.
    const std::pair<std::string_view, int> cases[] = {
        {"ver=1.01", kNewerVersion},    {"ver=1.10", kNewerVersion},
        {"ver=1.1\r\n", kNewerVersion}, {"ver=2\r\nxx", kNewerVersion},
        {"ver= 1.1", kNewerVersion},    {"ver=1.001", kLatestVersion},
        {"ver=1.00", kLatestVersion},   {"ver=1\r\n\r\n", kLatestVersion},
        {"ver=0.99", kLatestVersion},   {"ver=-2.0", kLatestVersion},
        {"ver=1.0", kNoInformation},    {"VER=1.01", kNoInformation},
        {"ver:1.01", kNoInformation},   {"ver=abcd", kNoInformation},
        {"ver=.x.1", kNoInformation},   {std::string_view("ver=\0\0\0\0", 8), kNoInformation},
    };
    // A comma-decimal locale, where one is installed, must not change a thing.
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    for (const char* locale : {"C", "de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
        if (std::setlocale(LC_NUMERIC, locale) == nullptr) {
            continue;
        }
        for (const auto& [body, expected] : cases) {
            EXPECT_EQ(versionTest(std::span(body.data(), body.size())), expected)
                << body << " in " << locale;
        }
    }
    std::setlocale(LC_NUMERIC, before.c_str());
}

}  // namespace
}  // namespace lh::update
