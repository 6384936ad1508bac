#include "update/UpdateServer.h"

#include <gtest/gtest.h>

namespace lh::update {
namespace {

TEST(UpdateServerTest, ReadsOnlyHttpHostAndPort) {
    EXPECT_EQ(parseUpdateUrl("http://localhost:8080"), (UpdateServer{"localhost", 8080}));
    EXPECT_EQ(parseUpdateUrl("HTTP://updates.example.org"),
              (UpdateServer{"updates.example.org", 80}));
    EXPECT_EQ(parseUpdateUrl("http://127.0.0.1:65535"), (UpdateServer{"127.0.0.1", 65535}));
    EXPECT_EQ(parseUpdateUrl("http://[::1]:81"), (UpdateServer{"[::1]", 81}));
    EXPECT_EQ(parseUpdateUrl("http://[2001:db8::1]"), (UpdateServer{"[2001:db8::1]", 80}));
    for (const char* refused :
         {"https://example.org", "ftp://example.org", "example.org",          "http://",
          "http://a/",           "http://a/x.ini",    "http://user@a",        "http://a?q",
          "http://a:",           "http://a:0",        "http://a:65536",       "http://a:8o",
          "http://-a.org",       "http://a..org",     "http://a b",           "http://::1",
          "http://[::1",         "http://[::1%eth0]", "http://[example.org]", "http://a.b:80:80"}) {
        EXPECT_EQ(parseUpdateUrl(refused), std::nullopt) << refused;
    }
}

TEST(UpdateServerTest, HostTextFitsTheRequestAndAnOverrideWins) {
    EXPECT_EQ((UpdateServer{"example.org", 80}).hostText(), "example.org");
    EXPECT_EQ((UpdateServer{"[::1]", 8080}).hostText(), "[::1]:8080");
    const std::string longest(kMaxHostText - 5, 'a');  // with ":8080", 43 characters
    EXPECT_TRUE(isUsableServer({longest, 8080}));
    EXPECT_FALSE(isUsableServer({longest + "a", 8080}));
    EXPECT_TRUE(parseUpdateUrl("http://" + longest + ":8080").has_value());
    EXPECT_FALSE(parseUpdateUrl("http://" + longest + "a:8080").has_value());
    EXPECT_FALSE(isUsableServer({"a/b", 80}));
    EXPECT_FALSE(isUsableServer({"a", 0}));
    EXPECT_EQ(chooseUpdateServer(nullptr), defaultUpdateServer());
    EXPECT_EQ(chooseUpdateServer("http://localhost:8080"), (UpdateServer{"localhost", 8080}));
    EXPECT_EQ(chooseUpdateServer("http://localhost/other"), std::nullopt);
}

}  // namespace
}  // namespace lh::update
