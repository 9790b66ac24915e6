#include "web/web_worker.h"

#include <linux/sockios.h>
#include <sys/ioctl.h>

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include "common/ms_clock.h"
#include "web/snapshot_json.h"
#include "web/web_pages.h"

namespace vantrel {

namespace {

constexpr int kSweepMs = 500;

QByteArray StatusLine(int status) {
    const char* reason = "Error";
    switch (status) {
        case 200:
            reason = "OK";
            break;
        case 400:
            reason = "Bad Request";
            break;
        case 404:
            reason = "Not Found";
            break;
        case 405:
            reason = "Method Not Allowed";
            break;
        case 408:
            reason = "Request Timeout";
            break;
        case 414:
            reason = "URI Too Long";
            break;
        case 431:
            reason = "Request Header Fields Too Large";
            break;
        case 503:
            reason = "Service Unavailable";
            break;
        case 505:
            reason = "HTTP Version Not Supported";
            break;
        default:
            break;
    }
    return "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason + "\r\n";
}

QByteArray CommonHeaders() {
    return "Cache-Control: no-store\r\nX-Content-Type-Options: nosniff\r\n"
           "Content-Security-Policy: default-src 'self'\r\n";
}

// Bytes the kernel holds for `socket` that its peer has not acknowledged; 0 if unknown.
qint64 UnackedInKernel(const QTcpSocket& socket) {
    int bytes = 0;
    if (::ioctl(static_cast<int>(socket.socketDescriptor()), SIOCOUTQ, &bytes) != 0) {
        return 0;
    }
    return bytes;
}

QByteArray ToBytes(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

WebWorker::WebWorker(const MsClock& clock, WebServerLimits limits, SnapshotSlot& slot,
                     WebServerCounters& counters, std::atomic<bool>& wakePending)
    : clock_(clock), limits_(limits), slot_(slot), counters_(counters), wakePending_(wakePending) {}

WebWorker::~WebWorker() = default;

QString WebWorker::Listen(quint16 port, quint16& bound) {
    server_ = new QTcpServer(this);
    // Connections over the limit are answered 503 at once; the backlog only holds the rest.
    server_->setMaxPendingConnections(limits_.maxClients);
    if (!server_->listen(QHostAddress::Any, port)) {
        const QString error = server_->errorString();
        delete server_;
        server_ = nullptr;
        return error;
    }
    bound = server_->serverPort();
    connect(server_, &QTcpServer::newConnection, this, &WebWorker::OnNewConnection);
    sweep_ = new QTimer(this);
    connect(sweep_, &QTimer::timeout, this, &WebWorker::Sweep);
    sweep_->start(kSweepMs);
    lastSent_ = 0;
    return QString();
}

void WebWorker::Close() {
    std::unordered_map<QTcpSocket*, Connection> open;
    open.swap(connections_);
    for (auto& [socket, connection] : open) {
        socket->disconnect(this);
        socket->abort();
        delete socket;
    }
    counters_.connections = 0;
    counters_.streams = 0;
    delete sweep_;
    sweep_ = nullptr;
    delete server_;
    server_ = nullptr;
}

void WebWorker::OnNewConnection() {
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
        if (static_cast<int>(connections_.size()) >= limits_.maxClients) {
            ++counters_.refused;
            socket->write(StatusLine(503) + "Connection: close\r\nContent-Length: 0\r\n\r\n");
            socket->flush();
            socket->abort();
            socket->deleteLater();
            continue;
        }
        // Qt stops reading a socket whose buffer is full, so a huge head costs no memory.
        socket->setReadBufferSize(static_cast<qint64>(kMaxRequestHead) + 1);
        Connection& connection = connections_[socket];
        connection.since.start();
        counters_.connections = static_cast<int>(connections_.size());
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { OnReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] { Drop(socket); });
        connect(socket, &QTcpSocket::errorOccurred, this, [this, socket] { Drop(socket); });
    }
}

void WebWorker::OnReadyRead(QTcpSocket* socket) {
    auto found = connections_.find(socket);
    if (found == connections_.end()) {
        return;
    }
    Connection& connection = found->second;
    if (connection.streaming || socket->state() != QAbstractSocket::ConnectedState) {
        socket->readAll();  // nothing more is taken from a client once it is answered
        return;
    }
    connection.head +=
        socket->read(static_cast<qint64>(kMaxRequestHead) + 1 - connection.head.size());
    const std::string_view bytes(connection.head.constData(),
                                 static_cast<size_t>(connection.head.size()));
    const size_t length = RequestHeadLength(bytes);
    if (length == 0) {
        if (bytes.size() > kMaxRequestHead) {
            SendError(socket, 431);
        }
        return;
    }
    Answer(socket, connection, ReadRequest(bytes.substr(0, length)));
}

void WebWorker::Answer(QTcpSocket* socket, Connection& connection, const WebRequest& request) {
    if (request.status != 200) {
        SendError(socket, request.status);
        return;
    }
    const LiveSnapshotPtr snapshot = slot_.Load();
    const LiveSnapshot empty;
    const LiveSnapshot& s = snapshot ? *snapshot : empty;
    const QByteArray json = "application/json; charset=utf-8";
    switch (request.route) {
        case WebRoute::kIndex: {
            const WebPage page = PageFile("index.html");
            SendBody(socket, page.type, page.body, request.headOnly);
            return;
        }
        case WebRoute::kBoard: {
            const WebPage page = PageFile("board.html");
            SendBody(socket, page.type, page.body, request.headOnly);
            return;
        }
        case WebRoute::kFile: {
            const WebPage page = PageFile(request.file);
            SendBody(socket, page.type, page.body, request.headOnly);
            return;
        }
        case WebRoute::kStandings:
            SendBody(socket, json, ToBytes(StandingsJson(s, request.carClass)), request.headOnly);
            return;
        case WebRoute::kResults:
            SendBody(socket, json, ToBytes(ResultsJson(s)), request.headOnly);
            return;
        case WebRoute::kCourse:
            SendBody(socket, json, ToBytes(CourseJson(s, clock_.MsTick())), request.headOnly);
            return;
        case WebRoute::kEvents:
            if (request.headOnly) {
                socket->write(StatusLine(200) + CommonHeaders() +
                              "Content-Type: text/event-stream; charset=utf-8\r\n"
                              "Connection: close\r\n\r\n");
                socket->disconnectFromHost();
                return;
            }
            StartStream(socket, connection, request.carClass);
            return;
        case WebRoute::kNone:
            break;
    }
    SendError(socket, 404);
}

void WebWorker::StartStream(QTcpSocket* socket, Connection& connection,
                            const std::string& carClass) {
    connection.streaming = true;
    connection.carClass = carClass;
    connection.head.clear();
    connection.head.squeeze();
    connection.since.start();
    connection.lastTaken.start();
    ++counters_.streams;
    QByteArray start = StatusLine(200) + CommonHeaders() +
                       "Content-Type: text/event-stream; charset=utf-8\r\n"
                       "Connection: keep-alive\r\n\r\nretry: 1000\n\n";
    if (const LiveSnapshotPtr snapshot = slot_.Load()) {
        start += EventOf(*snapshot, carClass);
    }
    SendToStream(socket, start);
}

void WebWorker::SendError(QTcpSocket* socket, int status) {
    const QByteArray body = StatusLine(status).mid(9).trimmed() + '\n';
    socket->write(StatusLine(status) + CommonHeaders() +
                  "Content-Type: text/plain; charset=utf-8\r\nConnection: close\r\n"
                  "Content-Length: " +
                  QByteArray::number(body.size()) + "\r\n\r\n" + body);
    socket->disconnectFromHost();
}

void WebWorker::SendBody(QTcpSocket* socket, const QByteArray& type, const QByteArray& body,
                         bool headOnly) {
    if (body.isEmpty() && !type.startsWith("application/json")) {
        SendError(socket, 404);
        return;
    }
    QByteArray reply =
        StatusLine(200) + CommonHeaders() + "Content-Type: " + type +
        "\r\nConnection: close\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n";
    if (!headOnly) {
        reply += body;
    }
    counters_.bytesSent += static_cast<uint64_t>(reply.size());
    socket->write(reply);
    socket->disconnectFromHost();
}

bool WebWorker::SendToStream(QTcpSocket* socket, const QByteArray& bytes) {
    if (socket->bytesToWrite() + bytes.size() > limits_.maxBacklog) {
        DropStream(socket);
        return false;
    }
    if (const auto found = connections_.find(socket); found != connections_.end()) {
        found->second.queued += bytes.size();
    }
    counters_.bytesSent += static_cast<uint64_t>(bytes.size());
    socket->write(bytes);
    return true;
}

void WebWorker::DropStream(QTcpSocket* socket) {
    ++counters_.dropped;
    socket->abort();
    Drop(socket);
}

bool WebWorker::Stalled(QTcpSocket* socket, Connection& connection) const {
    if (!connection.streaming) {
        return false;
    }
    // What the client's side has acknowledged: queued here, less what still waits here or in
    // the kernel. A client that does not read stops acknowledging once its buffer is full.
    const qint64 waiting = socket->bytesToWrite() + UnackedInKernel(*socket);
    const qint64 taken = connection.queued - waiting;
    if (waiting == 0 || taken > connection.taken) {
        connection.taken = taken;
        connection.lastTaken.start();
        return false;
    }
    return connection.lastTaken.elapsed() > limits_.stallMs;
}

void WebWorker::Drop(QTcpSocket* socket) {
    const auto found = connections_.find(socket);
    if (found == connections_.end()) {
        return;
    }
    if (found->second.streaming) {
        --counters_.streams;
    }
    connections_.erase(found);
    counters_.connections = static_cast<int>(connections_.size());
    socket->disconnect(this);
    socket->deleteLater();
}

QByteArray WebWorker::EventOf(const LiveSnapshot& snapshot, const std::string& carClass) const {
    return "id: " + QByteArray::number(static_cast<qulonglong>(snapshot.sequence)) +
           "\nevent: snapshot\ndata: " +
           ToBytes(SnapshotJson(snapshot, clock_.MsTick(), carClass)) + "\n\n";
}

void WebWorker::SnapshotArrived() {
    wakePending_ = false;
    const LiveSnapshotPtr snapshot = slot_.Load();
    if (!snapshot || snapshot->sequence == lastSent_ || server_ == nullptr) {
        return;
    }
    lastSent_ = snapshot->sequence;
    ++counters_.broadcasts;
    // One text per class asked for, however many streams ask for it.
    std::unordered_map<std::string, QByteArray> events;
    std::vector<std::pair<QTcpSocket*, const QByteArray*>> streams;
    for (auto& [socket, connection] : connections_) {
        if (connection.streaming) {
            auto [found, added] = events.try_emplace(connection.carClass);
            if (added) {
                found->second = EventOf(*snapshot, connection.carClass);
            }
            streams.emplace_back(socket, &found->second);
        }
    }
    for (const auto& [socket, event] : streams) {
        SendToStream(socket, *event);
    }
}

void WebWorker::Sweep() {
    std::vector<QTcpSocket*> late;
    std::vector<QTcpSocket*> stalled;
    std::vector<QTcpSocket*> quiet;
    for (auto& [socket, connection] : connections_) {
        const qint64 age = connection.since.elapsed();
        if (!connection.streaming && age > limits_.requestTimeoutMs) {
            late.push_back(socket);
        } else if (Stalled(socket, connection)) {
            stalled.push_back(socket);
        } else if (connection.streaming && age > limits_.keepAliveMs) {
            quiet.push_back(socket);
        }
    }
    for (QTcpSocket* socket : late) {
        socket->abort();
        Drop(socket);
    }
    // A client that stopped reading would otherwise hold its place until its backlog filled.
    for (QTcpSocket* socket : stalled) {
        DropStream(socket);
    }
    for (QTcpSocket* socket : quiet) {
        connections_[socket].since.start();
        SendToStream(socket, ": keep-alive\n\n");
    }
}

}  // namespace vantrel
