#pragma once
// The server thread's side of the web server: the listening socket, the connections, the
// request heads and the event streams. Qt 6.4's HTTP server module has no limit on clients,
// on the time to send a request or on a request body, and no way to bound what waits for a
// slow event-stream client, so connections are served here on QTcpSocket directly.
// Thread rule: server thread only (Listen and Close are called there by WebServer).

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <atomic>
#include <string>
#include <unordered_map>

#include "web/web_request.h"
#include "web/web_server.h"

class QTcpServer;
class QTcpSocket;
class QTimer;

namespace vantrel {

class MsClock;

class WebWorker : public QObject {
    Q_OBJECT
public:
    WebWorker(const MsClock& clock, WebServerLimits limits, SnapshotSlot& slot,
              WebServerCounters& counters, std::atomic<bool>& wakePending);
    ~WebWorker() override;

    // Empty on success, else why not; `bound` is the port listened on.
    QString Listen(quint16 port, quint16& bound);
    void Close();
    // Sends the latest snapshot to every event stream.
    void SnapshotArrived();

private:
    struct Connection {
        QByteArray head;
        bool streaming = false;
        QElapsedTimer since;  // accepted, or the last keep-alive of a stream
        // A stream: bytes queued for it, bytes its client had taken at the last look, and since
        // when it has taken none.
        qint64 queued = 0;
        qint64 taken = 0;
        QElapsedTimer lastTaken;
        std::string carClass;  // a stream: the class whose standings it is sent ("" all cars)
    };

    void OnNewConnection();
    void OnReadyRead(QTcpSocket* socket);
    void Answer(QTcpSocket* socket, Connection& connection, const WebRequest& request);
    void StartStream(QTcpSocket* socket, Connection& connection, const std::string& carClass);
    void SendError(QTcpSocket* socket, int status);
    void SendBody(QTcpSocket* socket, const QByteArray& type, const QByteArray& body,
                  bool headOnly);
    // Queues `bytes`; a client already this far behind is dropped instead (false).
    bool SendToStream(QTcpSocket* socket, const QByteArray& bytes);
    void Drop(QTcpSocket* socket);
    // A stream that has taken nothing of what waits for it for the stall time; notes what it
    // has taken otherwise.
    bool Stalled(QTcpSocket* socket, Connection& connection) const;
    void DropStream(QTcpSocket* socket);
    void Sweep();
    QByteArray EventOf(const LiveSnapshot& snapshot, const std::string& carClass) const;

    const MsClock& clock_;
    WebServerLimits limits_;
    SnapshotSlot& slot_;
    WebServerCounters& counters_;
    std::atomic<bool>& wakePending_;
    QTcpServer* server_ = nullptr;
    QTimer* sweep_ = nullptr;
    std::unordered_map<QTcpSocket*, Connection> connections_;
    uint64_t lastSent_ = 0;
};

}  // namespace vantrel
