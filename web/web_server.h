#pragma once
// The web server that shows the live results to browsers on the local network. It runs on a
// thread of its own and reads only the snapshots the window publishes: the window never waits
// for a client, and a client that reads too slowly is dropped.
// Thread rule: GUI thread only, except where a function says otherwise.

#include <QObject>
#include <QString>
#include <QThread>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "web/live_snapshot.h"

namespace vantrel {

class MsClock;
class WebWorker;

struct WebServerLimits {
    int maxClients = 256;            // connections served at once; more get 503
    qint64 maxBacklog = 128 * 1024;  // bytes waiting for a client; more drops it
    int requestTimeoutMs = 5000;     // to send a request head, or to take a page
    int keepAliveMs = 15000;         // a comment line on quiet event streams
    int stallMs = 4000;  // a stream that takes none of what waits for it this long is dropped
};

// Counts the server thread keeps; read from any thread.
struct WebServerCounters {
    std::atomic<int> connections{0};
    std::atomic<int> streams{0};          // open /events streams
    std::atomic<uint64_t> dropped{0};     // streams dropped for reading too slowly or not at all
    std::atomic<uint64_t> refused{0};     // connections over the limit
    std::atomic<uint64_t> broadcasts{0};  // snapshots sent to the streams
    std::atomic<uint64_t> bytesSent{0};   // pages and stream events handed to the sockets
};

// The latest snapshot, swapped under a lock held only for the pointer copy.
class SnapshotSlot {
public:
    // Any thread.
    void Store(LiveSnapshotPtr snapshot);
    LiveSnapshotPtr Load() const;

private:
    mutable std::mutex mutex_;
    LiveSnapshotPtr snapshot_;
};

class WebServer : public QObject {
    Q_OBJECT
public:
    explicit WebServer(const MsClock& clock, WebServerLimits limits = {},
                       QObject* parent = nullptr);
    ~WebServer() override;

    // Listens on every address at `port` (0: any free port). Returns an empty text, or the
    // reason it cannot (the port in use); the program goes on either way.
    QString Start(quint16 port);
    void Stop();
    bool Serving() const { return port_ != 0; }
    quint16 Port() const { return port_; }

    // Hands a new snapshot to the server and wakes it; any thread, never blocks on clients.
    void Publish(LiveSnapshotPtr snapshot);
    LiveSnapshotPtr Latest() const { return slot_.Load(); }
    const WebServerCounters& Counters() const { return counters_; }

private:
    SnapshotSlot slot_;
    WebServerCounters counters_;
    std::atomic<bool> wakePending_{false};
    QThread thread_;
    WebWorker* worker_ = nullptr;
    std::atomic<quint16> port_{0};
};

}  // namespace vantrel
