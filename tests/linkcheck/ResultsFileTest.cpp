#include "linkcheck/ResultsFile.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace lh::linkcheck {
namespace {

constexpr std::int64_t kNow = 1'800'000'000;
constexpr std::int64_t kDay = 86'400;

LinkResult checked(const std::string& address, Verdict verdict, std::int64_t at) {
    LinkResult r;
    r.address = address;
    r.verdict = verdict;
    r.code = verdict == Verdict::Dead ? 404 : 200;
    r.finalAddress = verdict == Verdict::Moved ? address + "new" : "";
    r.reason = "why";
    r.ms = 12;
    r.checkedAt = at;
    return r;
}

TEST(ResultsFileTest, FreshResultsAreReusedAndKeptAcrossOpens) {
    test::TempDir dir;
    const std::string path = dir.file("Default.linkcheck");
    {
        const auto results = ResultsFile::open(path);
        ASSERT_TRUE(results);
        results->remember(checked("http://a/", Verdict::Ok, kNow - 8 * kDay));
        results->remember(checked("http://a/", Verdict::Moved, kNow - 6 * kDay));  // replaces
        results->remember(checked("http://b/", Verdict::Dead, kNow - 8 * kDay));
        results->remember(checked("http://c/", Verdict::Error, kNow));
    }
    const auto results = ResultsFile::open(path);
    ASSERT_TRUE(results);
    const std::vector<LinkTarget> targets{
        {7, "http://c/"}, {8, "http://a/"}, {9, "http://b/"}, {10, "http://d/"}};

    const RunPlan plan = planRun(targets, results.get(), kNow, 7);
    ASSERT_EQ(plan.remembered.size(), 1u);
    const LinkResult& known = plan.remembered[0];
    EXPECT_EQ(known.index, 1u);
    EXPECT_EQ(known.itemId, 8u);
    EXPECT_EQ(known.verdict, Verdict::Moved);
    EXPECT_EQ(known.finalAddress, "http://a/new");
    EXPECT_EQ(known.checkedAt, kNow - 6 * kDay);
    EXPECT_TRUE(known.remembered);
    // An error is asked again however fresh; a result of 8 days ago is too old.
    ASSERT_EQ(plan.toCheck.size(), 3u);
    EXPECT_EQ(plan.toCheck[0].itemId, 7u);
    EXPECT_EQ(plan.toCheck[1].itemId, 9u);
    EXPECT_EQ(plan.toCheck[2].itemId, 10u);

    EXPECT_EQ(planRun(targets, results.get(), kNow, 9).remembered.size(), 2u);
    EXPECT_EQ(planRun(targets, results.get(), kNow, 0).toCheck.size(), 4u);
    EXPECT_EQ(planRun(targets, nullptr, kNow, 7).toCheck.size(), 4u);
}

TEST(ResultsFileTest, ADamagedFileIsStartedAfresh) {
    test::TempDir dir;
    const std::string path = dir.file("x.linkcheck");
    {
        const auto results = ResultsFile::open(path);
        results->remember(checked("http://a/", Verdict::Ok, kNow));
    }
    // A real database cut short, then something else altogether.
    const std::string bytes = test::readBytes(path);
    for (const std::string& damaged : {bytes.substr(0, 1500), std::string(5000, 'z')}) {
        test::writeBytes(path, damaged);
        const auto results = ResultsFile::open(path);
        ASSERT_TRUE(results);
        EXPECT_FALSE(results->recent("http://a/", 0));
        results->remember(checked("http://a/", Verdict::Ok, kNow));
        EXPECT_TRUE(results->recent("http://a/", kNow));
        EXPECT_FALSE(results->recent("http://a/", kNow + 1));
    }
    EXPECT_FALSE(ResultsFile::open(dir.file("no/such/folder/x.linkcheck")));
}

TEST(ResultsFileTest, LivesBesideTheDataFile) {
    EXPECT_EQ(resultsPathFor("/d/Default.lhd"), "/d/Default.linkcheck");
    EXPECT_EQ(resultsPathFor("/d.x/data"), "/d.x/data.linkcheck");
    EXPECT_EQ(resultsPathFor("a.b.lhd"), "a.b.linkcheck");
}

}  // namespace
}  // namespace lh::linkcheck
