#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <memory>

namespace lh::gui {

// Tells the event loop when the process was asked to end by a signal (SIGTERM at a logout,
// `kill`, SIGHUP, Ctrl+C): the program then saves and ends as at the session's end.
class TerminationWatcher : public QObject {
    Q_OBJECT

public:
    explicit TerminationWatcher(QObject* parent = nullptr);

signals:
    void terminationRequested();

private:
    std::unique_ptr<QSocketNotifier> m_notifier;
};

}  // namespace lh::gui
