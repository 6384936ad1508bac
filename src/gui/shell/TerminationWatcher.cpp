#include "gui/shell/TerminationWatcher.h"

#include <unistd.h>

#include "platform/TerminationSignals.h"

namespace lh::gui {

TerminationWatcher::TerminationWatcher(QObject* parent) : QObject(parent) {
    const int fd = platform::terminationSignalPipe();
    if (fd < 0) {
        return;  // the default action stays: the process ends as it always did
    }
    m_notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, [this, fd] {
        char bytes[64];
        while (::read(fd, bytes, sizeof bytes) > 0) {
        }
        emit terminationRequested();
    });
}

}  // namespace lh::gui
