#include "app/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace vornik {

namespace {

constexpr const char* kActivate = "activate\n";

#ifndef Q_OS_WIN
// A folder nobody else can plant anything in: ours, a real folder, closed to group and others.
QString untrustedBecause(const QString& folder) {
    struct stat st {};
    if (::lstat(QFile::encodeName(folder).constData(), &st) != 0)
        return folder + ": " + QString::fromLocal8Bit(std::strerror(errno));
    if (!S_ISDIR(st.st_mode)) return folder + " is not a folder";
    if (st.st_uid != ::geteuid()) return folder + " belongs to another user";
    if ((st.st_mode & 077) != 0) return folder + " is open to other users";
    return {};
}

// $XDG_RUNTIME_DIR when it can be trusted, else <temp>/vornik-config-<uid>, made private.
QString privateFolder(QString& problem) {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && untrustedBecause(runtime).isEmpty()) return runtime;
    const QString fallback =
        QDir::tempPath() + QString("/vornik-config-%1").arg(static_cast<qulonglong>(::geteuid()));
    ::mkdir(QFile::encodeName(fallback).constData(), 0700);
    problem = untrustedBecause(fallback);
    return problem.isEmpty() ? fallback : QString();
}
#endif

}  // namespace

SingleInstance::SingleInstance(const QString& caption, QObject* parent) : QObject(parent) {
    auto hashed = [](const QString& text) {
        return QString::fromLatin1(
            QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
    };
#ifdef Q_OS_WIN
    // Socket names must be short and plain; the caption and the user make it unique.
    m_name = "vornik-" + hashed(caption + "|" + qEnvironmentVariable("USERNAME"));
#else
    // The folder is the user's own, so the caption alone makes the name unique.
    const QString key = hashed(caption);
    const QString folder = privateFolder(m_problem);
    if (!folder.isEmpty()) m_name = folder + "/vornik-" + key + ".socket";
#endif
}

SingleInstance::~SingleInstance() {
#ifndef Q_OS_WIN
    if (m_lockFd >= 0) ::close(m_lockFd);
#endif
}

bool SingleInstance::activateRunning(int waitMs) {
#ifdef Q_OS_WIN
    (void)waitMs;
    // The window caption alone identifies the first instance, as it always has.
    if (HWND window = FindWindowW(nullptr, L"Vornik Gaming Mouse v1.0")) {
        ShowWindow(window, SW_RESTORE);
        SetForegroundWindow(window);
        return true;
    }
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(500)) return false;
    socket.write(kActivate);
    socket.waitForBytesWritten(500);
    socket.disconnectFromServer();
    return true;
#else
    if (m_name.isEmpty()) {
        qWarning("vornik-config: runs without the single-instance guard: %s",
                 qPrintable(m_problem));
        return false;
    }
    // The lock is what decides, so that two starts a moment apart cannot both win; the socket
    // only carries the request to come forward.
    const QByteArray lockPath = QFile::encodeName(m_name.chopped(7) + ".lock");
    m_lockFd = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (m_lockFd < 0) {
        m_problem = QString("cannot open %1: %2")
                        .arg(QString::fromLocal8Bit(lockPath), std::strerror(errno));
        qWarning("vornik-config: runs without the single-instance guard: %s",
                 qPrintable(m_problem));
        m_name.clear();
        return false;
    }
    if (::flock(m_lockFd, LOCK_EX | LOCK_NB) == 0) return false;
    ::close(m_lockFd);
    m_lockFd = -1;
    // The first instance may still be starting; it listens once its window exists.
    for (int waited = 0;; waited += 50) {
        QLocalSocket socket;
        socket.connectToServer(m_name);
        if (socket.waitForConnected(200)) {
            socket.write(kActivate);
            socket.waitForBytesWritten(500);
            socket.disconnectFromServer();
            return true;
        }
        if (waited >= waitMs) break;
        QThread::msleep(50);
    }
    qWarning("vornik-config: another instance is running but did not answer");
    return true;
#endif
}

bool SingleInstance::listen(std::function<void()> activate) {
    if (m_name.isEmpty()) return false;
    m_activate = std::move(activate);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_name)) {
        // Left behind by an instance that crashed: this one holds the lock, so nobody listens.
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
