#include "linkcheck/NetworkAddress.h"

#include <gtest/gtest.h>

namespace lh::linkcheck {
namespace {

TEST(NetworkAddressTest, PrivateAndLocalHostsAreKnownWithoutALookup) {
    for (const char* host :
         {"localhost",  "LOCALHOST.", "db.localhost",   "127.0.0.1",         "127.9.9.9",
          "10.1.2.3",   "172.16.0.1", "172.31.255.255", "192.168.1.1",       "169.254.0.1",
          "100.64.0.1", "0.0.0.0",    "224.0.0.1",      "255.255.255.255",   "[::1]",
          "[::]",       "[fe80::1]",  "[fd00::1]",      "[::ffff:10.0.0.1]", "[ff02::1]"}) {
        EXPECT_TRUE(isLocalHost(host)) << host;
    }
    for (const char* host :
         {"example.org", "8.8.8.8", "172.32.0.1", "172.15.255.255", "192.169.0.1", "100.128.0.1",
          "[2606:4700::1]", "[::ffff:93.184.216.34]", "localhost.example.org"}) {
        EXPECT_FALSE(isLocalHost(host)) << host;
    }
}

}  // namespace
}  // namespace lh::linkcheck
