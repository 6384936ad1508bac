#include "gui/shell/SingleInstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

#include <unistd.h>

namespace lh::gui {

namespace {

// The request is one line: "open " and the file (UTF-8), or "show". The answer: "ok" or "busy".
QByteArray requestFor(const QString& file) {
    return file.isEmpty() ? QByteArray("show\n") : "open " + file.toUtf8() + "\n";
}

}  // namespace

QString SingleInstance::defaultName() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    const QString name = QStringLiteral("linkhaven-%1.socket").arg(::getuid());
    return runtime.isEmpty() ? name : QDir(runtime).filePath(name);
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
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                return;
            }
            const QString line = QString::fromUtf8(socket->readLine()).chopped(1);
            const QString file = line.startsWith("open ") ? line.mid(5) : QString();
            const bool taken = !m_handler || m_handler(file);
            socket->write(taken ? "ok\n" : "busy\n");
            socket->flush();
        });
    }
}

}  // namespace lh::gui
