#include "gui/shell/SingleInstance.h"

#include <QLocalSocket>

#include <memory>

#include "platform/LocalSocket.h"

namespace lh::gui {

namespace {

// A second start sends one line: "open " and the file (UTF-8), or "show"; the answer is "ok" or
// "busy". linkhaven-cli sends a request that starts "run " (cli/Handoff.h).
QByteArray requestFor(const QString& file) {
    return file.isEmpty() ? QByteArray("show\n") : "open " + file.toUtf8() + "\n";
}

// The longest line a second start sends (a path).
constexpr qsizetype kMaxLine = 64 * 1024;

}  // namespace

QString SingleInstance::defaultName() {
    return QString::fromStdString(platform::instanceSocketPath());  // linkhaven-cli's too
}

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), m_name(std::move(name)) {
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::serve);
}

SingleInstance::Reply SingleInstance::askRunningInstance(const QString& fileToOpen, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(timeoutMs)) {
        return Reply::NoAnswer;
    }
    socket.write(requestFor(fileToOpen));
    socket.flush();
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMs)) {
            return Reply::NoAnswer;
        }
    }
    return socket.readLine().trimmed() == "ok" ? Reply::Done : Reply::Busy;
}

bool SingleInstance::listen() {
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (m_server.listen(m_name)) {
        return true;
    }
    // Nobody answered askRunningInstance, so the socket is a leftover of a crashed instance.
    QLocalServer::removeServer(m_name);
    return m_server.listen(m_name);
}

void SingleInstance::serve() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, this,
                [this, socket, buffer] { takeBytes(*socket, *buffer); });
    }
}

void SingleInstance::takeBytes(QLocalSocket& socket, QByteArray& buffer) {
    buffer.append(socket.readAll());
    if (buffer.startsWith("run ")) {
        cli::RunRequest request;
        switch (cli::decodeRequest(std::string_view(buffer.constData(), buffer.size()), request)) {
            case cli::Decoded::Incomplete:
                return;
            case cli::Decoded::Invalid:
                buffer.clear();
                socket.disconnectFromServer();
                return;
            case cli::Decoded::Complete:
                break;
        }
        buffer.clear();
        const cli::RunReply reply = m_runHandler ? m_runHandler(request) : cli::RunReply{};
        const std::string bytes = cli::encodeReply(reply);
        socket.write(bytes.data(), static_cast<qint64>(bytes.size()));
        socket.flush();
        return;
    }
    const qsizetype end = buffer.indexOf('\n');
    if (end < 0) {
        if (buffer.size() > kMaxLine) {
            buffer.clear();
            socket.disconnectFromServer();
        }
        return;
    }
    const QString line = QString::fromUtf8(buffer.left(end));
    buffer.clear();
    const QString file = line.startsWith("open ") ? line.mid(5) : QString();
    const bool taken = !m_handler || m_handler(file);
    socket.write(taken ? "ok\n" : "busy\n");
    socket.flush();
}

}  // namespace lh::gui
