#include "gui/uikit/OffThreadStep.h"

#include <QCoreApplication>

#include <atomic>
#include <thread>

namespace lh::gui {

void runOffThread(const std::function<void()>& step, QEventLoop::ProcessEventsFlags flags) {
    std::atomic<bool> done = false;
    std::thread worker([&] {
        step();
        done = true;
        // Wakes the loop below, which may be waiting for an event.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] {}, Qt::QueuedConnection);
    });
    while (!done) {
        QCoreApplication::processEvents(flags | QEventLoop::WaitForMoreEvents);
    }
    worker.join();
}

}  // namespace lh::gui
