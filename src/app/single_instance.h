#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;

namespace vornik {

// One running instance per user. The first instance listens on a local socket named after the
// window caption; a later start connects, asks it to come forward, and ends.
class SingleInstance : public QObject {
    Q_OBJECT

  public:
    explicit SingleInstance(const QString& caption, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when another instance answered and was asked to show itself.
    bool activateRunning();
    // Becomes the running instance; `activate` runs whenever a later start asks.
    bool listen(std::function<void()> activate);

    QString serverName() const { return m_name; }

  private:
    QString m_name;
    QLocalServer* m_server = nullptr;
    std::function<void()> m_activate;
};

}  // namespace vornik
