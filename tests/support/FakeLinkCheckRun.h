#pragma once

#include <memory>
#include <string>
#include <vector>

#include "linkcheck/LinkChecker.h"

namespace lh::test {

// What the fake runs of a test did: every run made, in order.
struct FakeRunLog {
    struct Run {
        std::vector<linkcheck::LinkTarget> targets;
        linkcheck::CheckOptions options;
        linkcheck::ResultSink onResult;
        std::function<void()> onFinished;
        bool running = false;
        int cancels = 0;
    };
    std::vector<std::shared_ptr<Run>> runs;

    Run& last() { return *runs.back(); }
    // Reports target `index` of the last run with `verdict`, on the caller's thread (as a real
    // run reports on its own).
    void report(std::size_t index, linkcheck::Verdict verdict, int code = 0,
                std::string finalAddress = {}) {
        Run& run = last();
        linkcheck::LinkResult result;
        result.index = index;
        result.itemId = run.targets.at(index).itemId;
        result.address = run.targets.at(index).address;
        result.verdict = verdict;
        result.code = code;
        result.finalAddress = std::move(finalAddress);
        result.ms = 40;
        run.onResult(result);
    }
    void finish() {
        last().running = false;
        last().onFinished();
    }
};

// A run that checks nothing: the test reports its results through the log.
class FakeLinkCheckRun final : public linkcheck::LinkCheckRun {
public:
    explicit FakeLinkCheckRun(FakeRunLog& log) : m_run(std::make_shared<FakeRunLog::Run>()) {
        log.runs.push_back(m_run);
    }
    void start(std::vector<linkcheck::LinkTarget> targets, linkcheck::CheckOptions options,
               linkcheck::ResultSink onResult, std::function<void()> onFinished) override {
        *m_run = {std::move(targets),
                  std::move(options),
                  std::move(onResult),
                  std::move(onFinished),
                  true,
                  0};
    }
    void cancel() override {
        ++m_run->cancels;
        m_run->running = false;
    }
    bool running() const override { return m_run->running; }

private:
    std::shared_ptr<FakeRunLog::Run> m_run;
};

}  // namespace lh::test
