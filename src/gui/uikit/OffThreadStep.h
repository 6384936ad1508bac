#pragma once

#include <QEventLoop>

#include <functional>

namespace lh::gui {

// Runs `step` on a thread of its own and lets this thread's event loop run (with `flags`) until
// it is done, so that the windows keep painting through a step that blocks, such as flushing a
// big file to disk. `step` must touch nothing the event loop may touch meanwhile.
void runOffThread(const std::function<void()>& step,
                  QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents);

}  // namespace lh::gui
