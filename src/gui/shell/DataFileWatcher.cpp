#include "gui/shell/DataFileWatcher.h"

#include <QFileInfo>

namespace lh::gui {

namespace {

constexpr int kSettleMs = 300;
constexpr int kBusyRetryMs = 1000;

}  // namespace

DataFileWatcher::DataFileWatcher(std::function<void()> look, std::function<bool()> mustWait,
                                 QObject* parent)
    : QObject(parent), m_look(std::move(look)), m_mustWait(std::move(mustWait)) {
    m_settle.setSingleShot(true);
    connect(&m_settle, &QTimer::timeout, this, &DataFileWatcher::lookWhenFree);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &DataFileWatcher::changed);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &DataFileWatcher::changed);
}

void DataFileWatcher::follow(const QString& dataFile) {
    if (dataFile == m_file) {
        return;
    }
    if (!m_watcher.files().isEmpty()) {
        m_watcher.removePaths(m_watcher.files());
    }
    if (!m_watcher.directories().isEmpty()) {
        m_watcher.removePaths(m_watcher.directories());
    }
    m_file = dataFile;
    watchPaths();
}

void DataFileWatcher::watchPaths() {
    if (m_file.isEmpty()) {
        return;
    }
    const QString folder = QFileInfo(m_file).absolutePath();
    if (!m_watcher.directories().contains(folder)) {
        m_watcher.addPath(folder);
    }
    // The file itself too, for writers that write in place; a replaced file drops out of the
    // watch and is added again here.
    if (QFileInfo::exists(m_file) && !m_watcher.files().contains(m_file)) {
        m_watcher.addPath(m_file);
    }
}

void DataFileWatcher::changed() {
    m_settle.start(kSettleMs);
}

void DataFileWatcher::lookWhenFree() {
    if (m_mustWait && m_mustWait()) {
        m_settle.start(kBusyRetryMs);
        return;
    }
    watchPaths();
    if (!m_file.isEmpty() && m_look) {
        m_look();
    }
}

}  // namespace lh::gui
