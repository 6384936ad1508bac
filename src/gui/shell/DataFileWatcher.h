#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

namespace lh::gui {

// Notices when another program may have changed the data file, and asks for a look once the
// window is free. The folder is watched, not only the file: a file replaced by a rename (as
// every careful writer, ours included, saves) is not seen by watching the file itself.
class DataFileWatcher : public QObject {
    Q_OBJECT

public:
    // `look` is called after a change has settled, and not while `mustWait` says the window is
    // busy (a modal dialog, an import): then later again.
    DataFileWatcher(std::function<void()> look, std::function<bool()> mustWait,
                    QObject* parent = nullptr);

    // Watches `dataFile` (empty: nothing).
    void follow(const QString& dataFile);
    const QString& followed() const { return m_file; }

    // What the timers would call; public for tests.
    void changed();
    void lookWhenFree();

private:
    void watchPaths();

    std::function<void()> m_look;
    std::function<bool()> m_mustWait;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;  // a writer may touch the folder several times for one save
    QString m_file;
};

}  // namespace lh::gui
