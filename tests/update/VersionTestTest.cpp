#include "update/VersionTest.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <string_view>

#include "update/HttpResponse.h"

namespace lh::update {
namespace {

int judge(std::string_view body) {
    return versionTest(std::span(body.data(), body.size()));
}

void expectVersions() {
    EXPECT_EQ(judge("ver=1.01"), kNewerVersion);
    EXPECT_EQ(judge("ver=1.10"), kNewerVersion);
    EXPECT_EQ(judge("ver=1.1\r\n"), kNewerVersion);  // the same number as 1.10
    EXPECT_EQ(judge("ver=2\r\nxx"), kNewerVersion);
    EXPECT_EQ(judge("ver=1.001"), kLatestVersion);  // only four characters are read
    EXPECT_EQ(judge("ver=1.00"), kLatestVersion);
    EXPECT_EQ(judge("ver=1\r\n\r\n"), kLatestVersion);
    EXPECT_EQ(judge("ver=0.99"), kLatestVersion);
    EXPECT_EQ(judge("ver=-2.0"), kLatestVersion);
    EXPECT_EQ(judge("ver= 1.1"), kNewerVersion);
}

TEST(VersionTestTest, ReadsFourCharactersAfterVer) {
    expectVersions();
    EXPECT_EQ(judge("ver=1.0"), kNoInformation);  // under 8 bytes
    EXPECT_EQ(judge("VER=1.01"), kNoInformation);
    EXPECT_EQ(judge("ver:1.01"), kNoInformation);
    EXPECT_EQ(judge("ver=abcd"), kNoInformation);
    EXPECT_EQ(judge("ver=.x.1"), kNoInformation);
    EXPECT_EQ(judge(std::string_view("ver=\0\0\0\0", 8)), kNoInformation);
}

TEST(VersionTestTest, IgnoresTheProcessLocale) {
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    for (const char* comma : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
        if (std::setlocale(LC_NUMERIC, comma) != nullptr) {
            expectVersions();
            break;
        }
    }
    std::setlocale(LC_NUMERIC, before.c_str());
}

}  // namespace
}  // namespace lh::update
