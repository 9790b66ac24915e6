#pragma once
// One running program per user: the first instance holds a lock file and listens on a
// local socket under the instance name; a second instance finds the lock taken, asks the
// first to restore and raise its window, and ends.
// Thread rule: GUI thread only.

#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLockFile;

namespace vantrel {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `name` is "Trelcap2000" in the program; tests use names of their own.
    explicit SingleInstance(const QString& name, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True for the first instance, which then keeps the lock and listens for the others.
    bool TryAcquire();
    // Asks the running instance to come to the front; false when none answered.
    bool NotifyRunning() const;

signals:
    void raiseRequested();

private:
    QString LockPath() const;
    QString ServerPath() const;

    QString name_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
};

}  // namespace vantrel
