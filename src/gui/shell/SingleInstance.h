#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

#include <functional>

#include "cli/Handoff.h"

class QLocalSocket;

namespace lh::gui {

// One running Linkhaven per user. The first start listens on a local socket; a later start
// hands its request (come to the front, and maybe open a database file) to the first and ends.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    // What the running instance says to a request.
    enum class Reply { Done, Busy, NoAnswer };

    // `name` identifies the socket; the default is one per user.
    explicit SingleInstance(QString name = defaultName(), QObject* parent = nullptr);

    // Hands `fileToOpen` (may be empty) to a running instance. NoAnswer when none runs.
    Reply askRunningInstance(const QString& fileToOpen, int timeoutMs = 3000);
    // Starts listening; a socket left by a crashed instance is removed first. False on failure.
    bool listen();

    // Called in the running instance for each request; returns false when it cannot take the
    // request now (a modal dialog is open), which the other start reports.
    void setHandler(std::function<bool(const QString& fileToOpen)> handler) {
        m_handler = std::move(handler);
    }
    // Called for each linkhaven-cli command handed over (see cli/Handoff.h).
    void setRunHandler(std::function<cli::RunReply(const cli::RunRequest&)> handler) {
        m_runHandler = std::move(handler);
    }

    static QString defaultName();

private:
    void serve();
    // Takes what arrived on `socket`; answers once a request is whole.
    void takeBytes(QLocalSocket& socket, QByteArray& buffer);

    QString m_name;
    QLocalServer m_server;
    std::function<bool(const QString&)> m_handler;
    std::function<cli::RunReply(const cli::RunRequest&)> m_runHandler;
};

}  // namespace lh::gui
