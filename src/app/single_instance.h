#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;

namespace vornik {

// One running instance per user. The first instance takes a lock file and listens on a local
// socket, both in a folder only the user can reach ($XDG_RUNTIME_DIR, else a private folder in
// the temporary directory); a later start finds the lock taken, asks the first to come forward
// and ends. When no such folder can be trusted the program runs without the guard.
class SingleInstance : public QObject {
    Q_OBJECT

  public:
    explicit SingleInstance(const QString& caption, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when another instance runs; it was asked to show itself (waiting up to `waitMs` for
    // one that is still starting). False makes this the first instance.
    bool activateRunning(int waitMs = 3000);
    // Becomes the running instance; `activate` runs whenever a later start asks.
    bool listen(std::function<void()> activate);

    QString serverName() const { return m_name; }
    // Why the guard is off for this run; empty when it is on.
    QString problem() const { return m_problem; }

  private:
    QString m_name;
    QString m_problem;
    int m_lockFd = -1;
    QLocalServer* m_server = nullptr;
    std::function<void()> m_activate;
};

}  // namespace vornik
