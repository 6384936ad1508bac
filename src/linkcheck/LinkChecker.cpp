#include "linkcheck/LinkChecker.h"

#include <thread>

#include "linkcheck/CheckSession.h"

namespace lh::linkcheck {

void checkLinks(std::span<const LinkTarget> targets, const CheckOptions& options,
                const ResultSink& onResult, const std::atomic<bool>& stop) {
    CheckSession session(targets, options, onResult);
    session.run(stop);
}

namespace {

class ThreadRun final : public LinkCheckRun {
public:
    ~ThreadRun() override { cancel(); }

    void start(std::vector<LinkTarget> targets, CheckOptions options, ResultSink onResult,
               std::function<void()> onFinished) override {
        cancel();
        m_stop = false;
        m_running = true;
        m_thread =
            std::thread([this, targets = std::move(targets), options = std::move(options),
                         onResult = std::move(onResult), onFinished = std::move(onFinished)] {
                checkLinks(targets, options, onResult, m_stop);
                if (onFinished) {
                    onFinished();
                }
                m_running = false;
            });
    }

    void cancel() override {
        m_stop = true;
        if (m_thread.joinable()) {
            m_thread.join();
        }
        m_running = false;
    }

    bool running() const override { return m_running; }

private:
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_running{false};
    std::thread m_thread;
};

}  // namespace

std::unique_ptr<LinkCheckRun> makeThreadRun() {
    return std::make_unique<ThreadRun>();
}

}  // namespace lh::linkcheck
