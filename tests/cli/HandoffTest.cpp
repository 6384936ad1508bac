#include "cli/Handoff.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/Cli.h"
#include "cli/Workspace.h"
#include "store/Database.h"
#include "support/DatabaseFiles.h"
#include "support/DatabaseMirror.h"
#include "support/TempDir.h"

namespace lh::cli {
namespace {

TEST(HandoffTest, RequestsAndRepliesSurviveAnySplitAndRefuseMalformedBytes) {
    const RunRequest request{
        {"add-url", "a b.lhd", "http://x/", "--comment", std::string("two\nlines\0!", 11)},
        "/home/u",
        true};
    // Every cut of the encoded bytes is incomplete; the whole decodes to what was encoded.
    const auto roundTrip = [](const auto& sent, auto encode, auto decode) {
        const std::string bytes = encode(sent);
        auto decoded = sent;
        for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
            ASSERT_EQ(decode(std::string_view(bytes).substr(0, cut), decoded), Decoded::Incomplete)
                << cut;
        }
        ASSERT_EQ(decode(bytes, decoded), Decoded::Complete);
        EXPECT_EQ(decoded, sent);
    };
    roundTrip(request, encodeRequest, decodeRequest);
    roundTrip(RunReply{RunReply::Kind::Done, 3, "{\"a\":1}\n", "linkhaven-cli: x\n"}, encodeReply,
              decodeReply);
    RunRequest decoded;
    RunReply decodedReply;
    ASSERT_EQ(decodeReply("busy\n", decodedReply), Decoded::Complete);
    EXPECT_EQ(decodedReply.kind, RunReply::Kind::Busy);

    for (const char* bad : {"show\n", "run maybe 1\n", "run do 0\n0\n", "run do x\n",
                            "run do 1\n99999999999\n", "run do 1\n-1\n"}) {
        EXPECT_EQ(decodeRequest(bad, decoded), Decoded::Invalid) << bad;
    }
    for (const char* bad : {"ok\n", "done 300\n0\n0\n", "done 1\nx\n"}) {
        EXPECT_EQ(decodeReply(bad, decodedReply), Decoded::Invalid) << bad;
    }
}

TEST(HandoffTest, WrittenFileIsTheFileACommandChanges) {
    using Args = std::vector<std::string>;
    EXPECT_EQ(writtenFile(Args{"add-url", "--title", "a.lhd", "b.lhd", "http://x/"}), "b.lhd");
    EXPECT_EQ(writtenFile(Args{"edit", "--url", "http://x/", "a.lhd", "--rate", "2"}), "a.lhd");
    EXPECT_EQ(writtenFile(Args{"new", "--force", "a.lhd"}), "a.lhd");
    EXPECT_EQ(writtenFile(Args{"resave", "in.lhd", "out.lhd"}), "out.lhd");
    for (const Args& reading : {Args{"list", "a.lhd"}, Args{"add-url"}, Args{}}) {
        EXPECT_FALSE(writtenFile(reading));
    }
}

// A window that records what it was asked and answers as told.
struct FakeWindow final : InstanceLink {
    std::optional<RunReply> answer;
    std::vector<RunRequest> asked;
    std::optional<RunReply> ask(const RunRequest& request) override {
        asked.push_back(request);
        return answer;
    }
};

struct Outcome {
    int code;
    std::string out, err;
};
Outcome runWith(FakeWindow& window, const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int code = run(args, out, err, &window);
    return {code, out.str(), err.str()};
}

TEST(HandoffTest, AWriteToTheWindowsFileIsCarriedOutThereOrRefused) {
    test::TempDir dir;
    const std::string path = dir.file("a.lhd");
    {
        store::Database db;
        db.createDefault();
        ASSERT_TRUE(test::save(db, path));
    }
    const std::string before = test::readBytes(path);
    FakeWindow window;
    window.answer = RunReply{RunReply::Kind::Done, 0, "{\"from\":\"window\"}\n", ""};
    Outcome r = runWith(window, {"add-url", path, "http://x/"});
    EXPECT_EQ(r.code, kExitOk);
    EXPECT_EQ(r.out, "{\"from\":\"window\"}\n");
    EXPECT_EQ(test::readBytes(path), before);  // the window's work, not ours
    ASSERT_EQ(window.asked.size(), 1u);
    EXPECT_FALSE(window.asked[0].onlyAsk);
    EXPECT_EQ(window.asked[0].args, (std::vector<std::string>{"add-url", path, "http://x/"}));

    r = runWith(window, {"add-url", path, "http://x/", "--no-window"});
    EXPECT_EQ(r.code, kExitOpenInWindow);
    EXPECT_NE(r.out.find("is open in Linkhaven\""), std::string::npos);
    EXPECT_TRUE(window.asked.back().onlyAsk);
    window.answer = RunReply{RunReply::Kind::Busy, 0, {}, {}};
    EXPECT_EQ(runWith(window, {"delete", path, "Recycle:1"}).code, kExitOpenInWindow);
    EXPECT_EQ(test::readBytes(path), before);

    // Reading commands, and files that are not there yet, never ask.
    const std::size_t asked = window.asked.size();
    EXPECT_EQ(runWith(window, {"list", path}).code, kExitOk);
    EXPECT_EQ(runWith(window, {"new", dir.file("b.lhd")}).code, kExitOk);
    EXPECT_EQ(window.asked.size(), asked);

    // Another file in the window, or no window: the command runs here.
    window.answer = RunReply{RunReply::Kind::NotMine, 0, {}, {}};
    EXPECT_EQ(runWith(window, {"add-url", path, "http://x/"}).code, kExitOk);
    window.answer.reset();
    EXPECT_EQ(runWith(window, {"add-url", path, "http://y/", "--no-window"}).code, kExitOk);
    store::Database db;
    ASSERT_EQ(test::load(db, path), store::LoadOutcome::Loaded);
    EXPECT_EQ(test::itemTitles(db, store::kFavoritesId),
              (std::vector<std::string>{"http://x/", "http://y/"}));
}

TEST(HandoffTest, AHandedOverCommandTakesRelativePathsFromTheCallersFolder) {
    test::TempDir dir;
    test::writeBytes(dir.file("notes.txt"), "n");
    FileWorkspace workspace;
    std::ostringstream out, err;
    ASSERT_EQ(runHandedOver({{"new", "a.lhd"}, dir.path(), false}, workspace, out, err), kExitOk)
        << err.str();
    ASSERT_EQ(
        runHandedOver({{"add-file", "a.lhd", "notes.txt"}, dir.path(), false}, workspace, out, err),
        kExitOk)
        << err.str();
    EXPECT_NE(out.str().find("\"folder\":\"" + dir.path() + "\""), std::string::npos);
    store::Database db;
    ASSERT_EQ(test::load(db, dir.file("a.lhd")), store::LoadOutcome::Loaded);
    EXPECT_EQ(db.findCategory(store::kFavoritesId)->itemCount(), 1u);
}

}  // namespace
}  // namespace lh::cli
