#include "app/single_instance.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace vornik {

namespace {

constexpr const char* kActivate = "activate\n";

QString userName() {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = qEnvironmentVariable("USERNAME");
    return user;
}

}  // namespace

SingleInstance::SingleInstance(const QString& caption, QObject* parent) : QObject(parent) {
    // Socket names must be short and plain; the caption and the user make it unique.
    const QByteArray key = (caption + "|" + userName()).toUtf8();
    m_name =
        "vornik-" + QString::fromLatin1(
                        QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16));
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::activateRunning() {
#ifdef Q_OS_WIN
    // The window caption alone identifies the first instance, as it always has.
    if (HWND window = FindWindowW(nullptr, L"Vornik Gaming Mouse v1.0")) {
        ShowWindow(window, SW_RESTORE);
        SetForegroundWindow(window);
        return true;
    }
#endif
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(500)) return false;
    socket.write(kActivate);
    socket.waitForBytesWritten(500);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::listen(std::function<void()> activate) {
    m_activate = std::move(activate);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_name)) {
        // A server left behind by a crashed instance: nobody answered, so take its name.
        QLocalServer::removeServer(m_name);
        if (!m_server->listen(m_name)) return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().startsWith("activate") && m_activate) m_activate();
                socket->disconnectFromServer();
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    return true;
}

}  // namespace vornik
