#include "linkcheck/Verdicts.h"

#include <gtest/gtest.h>

namespace lh::linkcheck {
namespace {

Observation answered(int code, bool movedAway = false) {
    Observation seen;
    seen.code = code;
    seen.movedAway = movedAway;
    return seen;
}

Observation failed(Failure failure, bool secondTry = false, bool othersResolve = true) {
    Observation seen;
    seen.failure = failure;
    seen.secondTry = secondTry;
    seen.othersResolve = othersResolve;
    return seen;
}

TEST(VerdictsTest, AnswersGiveTheirVerdicts) {
    struct Case {
        Observation seen;
        Verdict verdict;
        bool retry;
    };
    const Case cases[] = {
        {answered(200), Verdict::Ok, false},          {answered(204), Verdict::Ok, false},
        {answered(200, true), Verdict::Moved, false}, {answered(404), Verdict::Dead, false},
        {answered(410), Verdict::Dead, false},        {answered(404, true), Verdict::Dead, false},
        {answered(401), Verdict::Error, false},       {answered(403), Verdict::Error, false},
        {answered(400), Verdict::Error, false},       {answered(429), Verdict::Error, false},
        {answered(500), Verdict::Error, true},        {answered(503), Verdict::Error, true},
        {answered(302), Verdict::Error, false},       {answered(0), Verdict::Error, false},
    };
    for (const Case& c : cases) {
        const Judgement j = judge(c.seen);
        EXPECT_EQ(j.verdict, c.verdict) << c.seen.code;
        EXPECT_EQ(j.retry, c.retry) << c.seen.code;
    }
}

TEST(VerdictsTest, OnlyAMissingNameOnTwoTriesWhileOthersResolveIsDead) {
    EXPECT_EQ(judge(failed(Failure::NoSuchName, true, true)).verdict, Verdict::Dead);
    const Judgement first = judge(failed(Failure::NoSuchName, false, true));
    EXPECT_EQ(first.verdict, Verdict::Error);
    EXPECT_TRUE(first.retry);
    // Offline: nothing resolves, nothing is dead.
    EXPECT_EQ(judge(failed(Failure::NoSuchName, true, false)).verdict, Verdict::Error);

    for (Failure f : {Failure::TimedOut, Failure::Refused, Failure::Tls, Failure::RedirectLoop,
                      Failure::TooManyRedirects, Failure::BadRedirect, Failure::Other}) {
        EXPECT_EQ(judge(failed(f, true)).verdict, Verdict::Error);
    }
    EXPECT_TRUE(judge(failed(Failure::Refused)).retry);
    EXPECT_FALSE(judge(failed(Failure::RedirectLoop)).retry);
    EXPECT_EQ(judge(failed(Failure::PrivateAddress)).verdict, Verdict::Skipped);
}

}  // namespace
}  // namespace lh::linkcheck
