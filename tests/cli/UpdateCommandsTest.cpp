#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/Cli.h"
#include "support/CliRunner.h"
#include "support/ScopedEnvironment.h"
#include "update/ProductInfo.h"
#include "update/UpdateServer.h"

namespace lh::cli {
namespace {

using test::runCli;

// The check itself is the client's to test; here, which server is asked and what is printed.
TEST(UpdateCommandsTest, RefusedAddressesAskNobodyAndPrintOnlyTheFailure) {
    test::ScopedEnvironment environment;
    environment.unset(update::kUpdateUrlVariable);
    for (const char* url : {"https://127.0.0.1/", "http://127.0.0.1/path", "http://x:0",
                            "file:///etc/passwd", "http://user@host"}) {
        const test::CliOutcome r = runCli({"check-update", "--url", url});
        EXPECT_EQ(r.code, kExitFailed) << url;
        EXPECT_EQ(r.out.rfind("{\"error\":\"--url must be http://HOST[:PORT]: ", 0), 0u) << url;
        EXPECT_NE(r.err.find(url), std::string::npos) << r.err;
    }
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"check-update", "--url"}, {"check-update", "http://x"}, {"check-update", "a", "b"}}) {
        const test::CliOutcome r = runCli(args);
        EXPECT_EQ(r.code, kExitFailed) << args.size();
        EXPECT_EQ(
            r.out,
            "{\"error\":\"check-update takes at most --url http://HOST[:PORT]\",\"path\":\"\"}\n");
    }
    EXPECT_EQ(runCli({"--version"}).out,
              std::string("linkhaven-cli ") + update::kVersionText + "\n");
}

TEST(UpdateCommandsTest, TheServerGivenIsAskedAndAFailedCheckStillExitsZero) {
    test::ScopedEnvironment environment;
    // A refused variable fails too, rather than asking our own server instead.
    environment.set(update::kUpdateUrlVariable, "ftp://127.0.0.1");
    const test::CliOutcome refused = runCli({"check-update"});
    EXPECT_EQ(refused.code, kExitFailed);
    EXPECT_EQ(refused.out.rfind("{\"error\":\"LINKHAVEN_UPDATE_URL must be", 0), 0u);
    EXPECT_NE(refused.err.find("LINKHAVEN_UPDATE_URL"), std::string::npos);

    // --url wins over the variable; a failed check still exits 0 with its code (port 1 is
    // closed: nobody answers).
    const test::CliOutcome closed = runCli({"check-update", "--url", "http://127.0.0.1:1"});
    EXPECT_EQ(closed.code, kExitOk);
    EXPECT_EQ(closed.out, "{\"result\":0}\n");
}

}  // namespace
}  // namespace lh::cli
