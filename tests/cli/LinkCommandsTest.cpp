#include <gtest/gtest.h>

#include "cli/Cli.h"
#include "store/Database.h"
#include "support/CliRunner.h"
#include "support/DatabaseFiles.h"
#include "support/DatabaseMirror.h"
#include "support/ScopedEnvironment.h"
#include "support/SiteServer.h"
#include "support/TempDir.h"

namespace lh::cli {
namespace {

using test::runCli;
using test::SiteServer;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

// The line about `title`, without its time.
std::string lineAbout(const std::vector<std::string>& lines, const std::string& title) {
    for (const std::string& line : lines) {
        if (line.find("\"title\":\"" + title + "\"") != std::string::npos) {
            const auto ms = line.find(",\"ms\":");
            return line.substr(0, ms) + line.substr(line.find(',', ms + 1));
        }
    }
    return {};
}

TEST(LinkCommandsTest, PrintsALinePerLinkAndRemembersThemBesideTheFile) {
    test::ScopedEnvironment environment;
    environment.unset("http_proxy");
    SiteServer server;
    server.script("a.test", "/ok", {SiteServer::status(200)});
    server.script("a.test", "/old", {SiteServer::redirect(301, "/new")});
    server.script("a.test", "/new", {SiteServer::status(200)});
    test::TempDir dir;
    const std::string path = dir.file("links.lhd");
    {
        store::Database db;
        db.createDefault();
        const store::CategoryId links = db.addCategory(1, {"Links", "", "", std::nullopt})->id();
        const store::CategoryId deeper =
            db.addCategory(links, {"Deeper", "", "", std::nullopt})->id();
        db.addItem(links, test::link("Fine", server.url("a.test", "/ok")));
        db.addItem(links, test::fileItem("notes.txt", "/home/u"));
        db.addItem(links, test::link("Old", server.url("a.test", "/old")));
        db.addItem(deeper, test::link("Lost", server.url("a.test", "/lost")));
        db.addItem(1, test::link("Elsewhere", server.url("a.test", "/ok")));
        ASSERT_TRUE(test::save(db, path));
    }
    const std::string before = test::readBytes(path);
    const std::vector<std::string> args{
        "check-links",     path,        "WebFavorite/Links",          "--recursive",
        "--allow-private", "--resolve", server.resolveEntry("a.test")};

    test::CliOutcome r = runCli(args);
    ASSERT_EQ(r.code, kExitOk) << r.err;
    std::vector<std::string> lines = linesOf(r.out);
    ASSERT_EQ(lines.size(), 4u) << r.out;
    EXPECT_EQ(lineAbout(lines, "Old"),
              "{\"category\":[\"WebFavorite\",\"Links\"],\"title\":\"Old\",\"address\":\"" +
                  server.url("a.test", "/old") +
                  "\",\"verdict\":\"moved\",\"code\":200,\"final\":\"" +
                  server.url("a.test", "/new") +
                  "\",\"reason\":\"moved permanently\",\"remembered\":false}");
    EXPECT_NE(lineAbout(lines, "Lost")
                  .find("\"category\":[\"WebFavorite\",\"Links\",\"Deeper\"]"
                        ",\"title\":\"Lost\""),
              std::string::npos);
    EXPECT_NE(lineAbout(lines, "Lost").find("\"verdict\":\"dead\",\"code\":404"),
              std::string::npos);
    EXPECT_EQ(lines[3].substr(0, lines[3].find(",\"ms\"")),
              "{\"links\":3,\"checked\":3,\"remembered\":0,\"ok\":1,\"moved\":1,\"dead\":1,"
              "\"error\":0,\"skipped\":0");
    EXPECT_EQ(test::readBytes(path), before);

    // The second run takes the fresh results from links.linkcheck and asks nobody.
    const std::size_t asked = server.requests().size();
    r = runCli(args);
    lines = linesOf(r.out);
    ASSERT_EQ(lines.size(), 4u) << r.out;
    EXPECT_NE(lineAbout(lines, "Old").find("\"verdict\":\"moved\""), std::string::npos);
    EXPECT_NE(lineAbout(lines, "Old").find("\"remembered\":true"), std::string::npos);
    EXPECT_EQ(lines[3].substr(0, lines[3].find(",\"ok\"")),
              "{\"links\":3,\"checked\":0,\"remembered\":3");
    EXPECT_EQ(server.requests().size(), asked);
    std::vector<std::string> again = args;
    again.insert(again.end(), {"--since-days", "0"});
    EXPECT_NE(runCli(again).out.find("{\"links\":3,\"checked\":3,"), std::string::npos);
    EXPECT_EQ(test::readBytes(path), before);
}

TEST(LinkCommandsTest, RefusesBadNumbersAndMissingFiles) {
    test::TempDir dir;
    for (const char* bad : {"--jobs", "--per-host"}) {
        EXPECT_EQ(runCli({"check-links", dir.file("a.lhd"), bad, "0"}).code, kExitFailed) << bad;
    }
    EXPECT_EQ(runCli({"check-links", dir.file("a.lhd"), "--resolve", "a.test"}).code, kExitFailed);
    EXPECT_EQ(runCli({"check-links", dir.file("a.lhd")}).code, kExitUnreadable);
}

}  // namespace
}  // namespace lh::cli
