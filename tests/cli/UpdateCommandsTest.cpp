#include <gtest/gtest.h>

#include <string>

#include "cli/Cli.h"
#include "support/CliRunner.h"
#include "support/ScopedEnvironment.h"
#include "update/ProductInfo.h"
#include "update/UpdateServer.h"

namespace lh::cli {
namespace {

using test::runCli;

// The check itself is the client's to test; here, which server is asked and what is printed.
TEST(UpdateCommandsTest, OnlyAnAcceptedServerIsAskedAndAFailedCheckStillExitsZero) {
    test::ScopedEnvironment environment;
    // A refused variable fails too, rather than asking our own server instead.
    environment.set(update::kUpdateUrlVariable, "ftp://127.0.0.1");
    const test::CliOutcome refused = runCli({"check-update"});
    EXPECT_EQ(refused.code, kExitFailed);
    EXPECT_EQ(refused.out.rfind("{\"error\":\"LINKHAVEN_UPDATE_URL must be", 0), 0u);
    EXPECT_NE(refused.err.find("LINKHAVEN_UPDATE_URL"), std::string::npos);
    for (const char* url : {"https://127.0.0.1/", "http://127.0.0.1/path"}) {
        const test::CliOutcome r = runCli({"check-update", "--url", url});
        EXPECT_EQ(r.code, kExitFailed) << url;
        EXPECT_EQ(r.out.rfind("{\"error\":\"--url must be http://HOST[:PORT]: ", 0), 0u) << url;
        EXPECT_NE(r.err.find(url), std::string::npos) << r.err;
    }
    EXPECT_EQ(
        runCli({"check-update", "a", "b"}).out,
        "{\"error\":\"check-update takes at most --url http://HOST[:PORT]\",\"path\":\"\"}\n");
    EXPECT_EQ(runCli({"check-update", "http://x"}).code, kExitFailed);

    // --url wins over the variable; a failed check still exits 0 with its code (port 1 is
    // closed: nobody answers).
    const test::CliOutcome closed = runCli({"check-update", "--url", "http://127.0.0.1:1"});
    EXPECT_EQ(closed.code, kExitOk);
    EXPECT_EQ(closed.out, "{\"result\":0}\n");
    EXPECT_EQ(runCli({"--version"}).out,
              std::string("linkhaven-cli ") + update::kVersionText + "\n");
}

}  // namespace
}  // namespace lh::cli
