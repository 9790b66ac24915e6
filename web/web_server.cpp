#include "web/web_server.h"

#include "web/web_worker.h"

namespace vantrel {

void SnapshotSlot::Store(LiveSnapshotPtr snapshot) {
    std::lock_guard lock(mutex_);
    snapshot_.swap(snapshot);
    // The old snapshot is released after the lock, below.
}

LiveSnapshotPtr SnapshotSlot::Load() const {
    std::lock_guard lock(mutex_);
    return snapshot_;
}

WebServer::WebServer(const MsClock& clock, WebServerLimits limits, QObject* parent)
    : QObject(parent) {
    thread_.setObjectName(QStringLiteral("web server"));
    worker_ = new WebWorker(clock, limits, slot_, counters_, wakePending_);
    worker_->moveToThread(&thread_);
}

WebServer::~WebServer() {
    Stop();
    delete worker_;
}

QString WebServer::Start(quint16 port) {
    Stop();
    thread_.start();
    QString error;
    quint16 bound = 0;
    // Waits once for the listening socket, so the caller can report a port in use.
    QMetaObject::invokeMethod(
        worker_, [&] { error = worker_->Listen(port, bound); }, Qt::BlockingQueuedConnection);
    if (!error.isEmpty()) {
        thread_.quit();
        thread_.wait();
        return error;
    }
    port_ = bound;
    wakePending_ = false;
    return QString();
}

void WebServer::Stop() {
    if (!thread_.isRunning()) {
        return;
    }
    QMetaObject::invokeMethod(
        worker_, [this] { worker_->Close(); }, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
    port_ = 0;
}

void WebServer::Publish(LiveSnapshotPtr snapshot) {
    slot_.Store(std::move(snapshot));
    // One wake-up stands for any number of snapshots published before the server takes it.
    if (port_ != 0 && !wakePending_.exchange(true)) {
        QMetaObject::invokeMethod(worker_, &WebWorker::SnapshotArrived, Qt::QueuedConnection);
    }
}

}  // namespace vantrel
