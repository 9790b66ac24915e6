// The web server over real sockets: pages and data, the event stream, and what a hostile or
// broken client may send or fail to read.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <QTcpSocket>
#include <QThread>
#include <memory>
#include <vector>

#include "common/ms_clock.h"
#include "web/web_server.h"

namespace vantrel::test {
namespace {

LiveSnapshotPtr SnapshotWith(uint64_t sequence, const std::string& name, int rows = 1) {
    auto s = std::make_shared<LiveSnapshot>();
    s->sequence = sequence;
    s->mode = "GYMKHANA";
    s->rankHeadings = {"Rank", "Car", "Name"};
    for (int i = 0; i < rows; ++i) {
        s->rankRows.push_back({std::to_string(i + 1), "7", name});
    }
    s->course.push_back({1, 12, "鈴木", 1000});
    return s;
}

std::unique_ptr<QTcpSocket> Connect(quint16 port) {
    auto socket = std::make_unique<QTcpSocket>();
    socket->connectToHost(QStringLiteral("127.0.0.1"), port);
    EXPECT_TRUE(socket->waitForConnected(3000));
    return socket;
}

// Everything the server sends until it closes (or `timeoutMs` passes).
QByteArray ReadToClose(QTcpSocket& socket, int timeoutMs = 3000) {
    QByteArray all;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(100)) {
            if (socket.state() != QAbstractSocket::ConnectedState) {
                break;
            }
            continue;
        }
        all += socket.readAll();
    }
    all += socket.readAll();
    return all;
}

QByteArray Exchange(quint16 port, const QByteArray& request) {
    auto socket = Connect(port);
    socket->write(request);
    socket->waitForBytesWritten(3000);
    return ReadToClose(*socket);
}

// Reads a stream until `text` has come (or the time is up).
bool StreamShows(QTcpSocket& socket, QByteArray& seen, const QByteArray& text,
                 int timeoutMs = 3000) {
    QElapsedTimer timer;
    timer.start();
    while (!seen.contains(text) && timer.elapsed() < timeoutMs) {
        if (socket.waitForReadyRead(50)) {
            seen += socket.readAll();
        }
    }
    return seen.contains(text);
}

// A client that asks for the event stream and never reads it, with the small receive buffer
// such a client may set: its kernel takes a few kilobytes and then nothing more.
class SilentStream {
public:
    explicit SilentStream(quint16 port) : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
        const int size = 4096;
        ::setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        const char request[] = "GET /events HTTP/1.1\r\n\r\n";
        connected_ = connected_ && ::send(fd_, request, sizeof request - 1, 0) > 0;
    }
    ~SilentStream() { ::close(fd_); }
    SilentStream(const SilentStream&) = delete;
    SilentStream& operator=(const SilentStream&) = delete;
    bool Connected() const { return connected_; }

private:
    int fd_;
    bool connected_ = false;
};

class WebServerTest : public ::testing::Test {
protected:
    void Start(WebServerLimits limits = {}) {
        server = std::make_unique<WebServer>(clock, limits);
        ASSERT_TRUE(server->Start(0).isEmpty());
        port = server->Port();
        ASSERT_NE(port, 0);
    }
    bool WaitFor(const std::function<bool()>& done, int timeoutMs = 3000) {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < timeoutMs) {
            QThread::msleep(10);
        }
        return done();
    }

    FakeMsClock clock{3500};
    std::unique_ptr<WebServer> server;
    quint16 port = 0;
};

TEST_F(WebServerTest, ServesPagesDataAndStreamsEachSnapshot) {
    Start();
    server->Publish(SnapshotWith(1, "山田"));
    const QByteArray standings = Exchange(port, "GET /api/standings HTTP/1.1\r\nHost: x\r\n\r\n");
    EXPECT_TRUE(standings.startsWith("HTTP/1.1 200 OK\r\n")) << standings.constData();
    EXPECT_TRUE(standings.contains("Content-Type: application/json; charset=utf-8\r\n"));
    EXPECT_TRUE(standings.contains("[\"1\",\"7\",\"山田\"]"));
    const QByteArray course = Exchange(port, "GET /api/course HTTP/1.0\r\n\r\n");
    EXPECT_TRUE(course.contains("\"elapsedMs\":2500"));  // the fake clock's 3500 - 1000
    const QByteArray head = Exchange(port, "HEAD /api/results HTTP/1.1\r\n\r\n");
    EXPECT_TRUE(head.startsWith("HTTP/1.1 200 OK"));
    EXPECT_TRUE(head.endsWith("\r\n\r\n"));
    const QByteArray eventsHead = Exchange(port, "HEAD /events HTTP/1.1\r\n\r\n");
    EXPECT_TRUE(eventsHead.startsWith("HTTP/1.1 200 OK"));
    EXPECT_TRUE(eventsHead.endsWith("\r\n\r\n"));
    for (const char* page :
         {"/", "/board", "/live.js", "/live.css", "/board.js", "/board.css", "/texts.js"}) {
        const QByteArray reply = Exchange(port, QByteArray("GET ") + page + " HTTP/1.1\r\n\r\n");
        EXPECT_TRUE(reply.startsWith("HTTP/1.1 200 OK")) << page;
        EXPECT_GT(reply.size(), 300) << page;
    }
    EXPECT_TRUE(Exchange(port, "GET / HTTP/1.1\r\n\r\n").contains("<html lang=\"ja\">"));

    auto stream = Connect(port);
    stream->write("GET /events HTTP/1.1\r\nAccept: text/event-stream\r\n\r\n");
    QByteArray seen;
    ASSERT_TRUE(StreamShows(*stream, seen, "id: 1\n"));
    EXPECT_TRUE(seen.contains("Content-Type: text/event-stream; charset=utf-8"));
    ASSERT_TRUE(WaitFor([&] { return server->Counters().streams == 1; }));
    for (uint64_t sequence = 2; sequence <= 5; ++sequence) {
        server->Publish(SnapshotWith(sequence, "lap" + std::to_string(sequence)));
        ASSERT_TRUE(StreamShows(*stream, seen, "id: " + QByteArray::number(sequence) + "\n"));
    }
    // What a stream's client sends afterwards is read and thrown away.
    stream->write("GET /api/results HTTP/1.1\r\n\r\nPOST / HTTP/1.1\r\n\r\n");
    server->Publish(SnapshotWith(6, "six"));
    ASSERT_TRUE(StreamShows(*stream, seen, "id: 6\n"));
    EXPECT_EQ(seen.count("HTTP/1.1"), 1);
    stream->abort();  // the browser goes away
    EXPECT_TRUE(WaitFor([&] { return server->Counters().streams == 0; }));
}

// Standings of cars 7 (class "SA") and 12 ("ｸﾗｽ"), named `name`.
LiveSnapshotPtr ClassSnapshot(uint64_t sequence, const std::string& name) {
    auto s = std::make_shared<LiveSnapshot>();
    s->sequence = sequence;
    s->mode = "DRAG";
    s->rankHeadings = {"Rank", "Car", "Name"};
    s->rankRows = {{"1", "7", name}, {"2", "12", name}};
    s->classes = {"SA", "ｸﾗｽ"};
    s->classRankRows = {{{"1", "7", name}}, {{"1", "12", name}}};
    s->rankClasses = {"SA", "ｸﾗｽ"};
    return s;
}

// The cars of a standings object's rows, as "7,12", and its class.
QString CarsAndClass(const QJsonObject& standings) {
    QStringList cars;
    for (const QJsonValue& row : standings[QStringLiteral("rows")].toArray()) {
        cars << row.toArray().at(1).toString();
    }
    return cars.join(QLatin1Char(',')) + QLatin1Char('/') +
           standings[QStringLiteral("class")].toString(QStringLiteral("-"));
}

// The standings of a reply's body, or of the last event a stream has sent.
QJsonObject StandingsIn(const QByteArray& bytes, bool stream) {
    const QByteArray mark = stream ? "data: " : "\r\n\r\n";
    const qsizetype from = bytes.lastIndexOf(mark) + mark.size();
    const QJsonObject object =
        QJsonDocument::fromJson(bytes.mid(from, bytes.indexOf('\n', from) - from)).object();
    return stream ? object[QStringLiteral("standings")].toObject() : object;
}

TEST_F(WebServerTest, EachClassIsAskedForInTheQueryAndStreamedApart) {
    Start();
    server->Publish(ClassSnapshot(1, "one"));
    const auto standings = [&](const char* query) {
        const QByteArray reply =
            Exchange(port, QByteArray("GET /api/standings") + query + " HTTP/1.1\r\n\r\n");
        return reply.startsWith("HTTP/1.1 200") ? CarsAndClass(StandingsIn(reply, false))
                                                : QString::fromLatin1(reply.left(12));
    };
    EXPECT_EQ(standings("?class=%EF%BD%B8%EF%BE%97%EF%BD%BD"), QStringLiteral("12/ｸﾗｽ"));
    EXPECT_EQ(standings("?class=GT"), QStringLiteral("/GT"));  // no such class: no rows
    EXPECT_EQ(standings(""), QStringLiteral("7,12/-"));
    EXPECT_EQ(standings("?class=%FF"), QStringLiteral("HTTP/1.1 400"));

    // Streams of two classes and of all cars: each is sent its own standings, first and after.
    std::vector<std::unique_ptr<QTcpSocket>> streams;
    for (const char* query : {"?class=SA", "?class=%EF%BD%B8%EF%BE%97%EF%BD%BD", ""}) {
        streams.push_back(Connect(port));
        streams.back()->write(QByteArray("GET /events") + query + " HTTP/1.1\r\n\r\n");
        streams.back()->waitForBytesWritten(1000);
    }
    // The standings of event `id` of stream `i`, once the event has come whole.
    const auto event = [&](size_t i, const QByteArray& id) {
        QByteArray seen;
        if (!StreamShows(*streams[i], seen, "id: " + id + '\n')) {
            return QStringLiteral("no event ") + QString::fromLatin1(id);
        }
        seen = seen.mid(seen.indexOf("id: " + id + '\n'));
        StreamShows(*streams[i], seen, "\n\n");
        return CarsAndClass(StandingsIn(seen, true));
    };
    const QStringList expected = {QStringLiteral("7/SA"), QStringLiteral("12/ｸﾗｽ"),
                                  QStringLiteral("7,12/-")};
    for (size_t i = 0; i < streams.size(); ++i) {
        EXPECT_EQ(event(i, "1"), expected[static_cast<int>(i)]);
    }
    server->Publish(ClassSnapshot(2, "two"));
    for (size_t i = 0; i < streams.size(); ++i) {
        EXPECT_EQ(event(i, "2"), expected[static_cast<int>(i)]);
    }
}

TEST_F(WebServerTest, BadRequestsGetAClearStatusAndNothingElse) {
    Start();
    server->Publish(SnapshotWith(1, "x"));
    const std::vector<std::pair<QByteArray, QByteArray>> cases = {
        {"GET /../web/web_server.cpp HTTP/1.1\r\n\r\n", "HTTP/1.1 400"},
        {"GET /%2e%2e/%2e%2e/etc/passwd HTTP/1.1\r\n\r\n", "HTTP/1.1 400"},
        {"GET /api%2Fresults HTTP/1.1\r\n\r\n", "HTTP/1.1 400"},
        {"GET /api\\results HTTP/1.1\r\n\r\n", "HTTP/1.1 400"},
        {"GET /\xFF\xFE HTTP/1.1\r\n\r\n", "HTTP/1.1 400"},
        {"GET /%FF HTTP/1.1\r\n\r\n", "HTTP/1.1 400"},
        {"\x16\x03\x01\x02\x01\x01\xfc\x03\x03\r\n\r\n", "HTTP/1.1 400"},
        {"GARBAGE\r\n\r\n", "HTTP/1.1 400"},
        {"GET /etc/passwd HTTP/1.1\r\n\r\n", "HTTP/1.1 404"},
        {"POST /api/results HTTP/1.1\r\nContent-Length: 3\r\n\r\nabc", "HTTP/1.1 405"},
        {"DELETE / HTTP/1.1\r\n\r\n", "HTTP/1.1 405"},
        {"GET / HTTP/3\r\n\r\n", "HTTP/1.1 505"},
    };
    for (const auto& [request, status] : cases) {
        const QByteArray reply = Exchange(port, request);
        EXPECT_TRUE(reply.startsWith(status))
            << request.toStdString() << " -> " << reply.left(40).toStdString();
        EXPECT_FALSE(reply.contains("\"rows\"")) << request.toStdString();
    }

    // A megabyte of headers: refused after the first 8 KB, the connection closed.
    auto huge = Connect(port);
    huge->write("GET / HTTP/1.1\r\nX-Fill: " + QByteArray(1 << 20, 'a') + "\r\n\r\n");
    const QByteArray reply = ReadToClose(*huge);
    EXPECT_TRUE(reply.startsWith("HTTP/1.1 431")) << reply.left(40).toStdString();
    // The server still answers.
    EXPECT_TRUE(Exchange(port, "GET /api/course HTTP/1.1\r\n\r\n").startsWith("HTTP/1.1 200"));
}

TEST_F(WebServerTest, LimitsClientsAndDropsTheSlowAndTheSilent) {
    WebServerLimits limits;
    limits.maxClients = 4;
    limits.maxBacklog = 64 * 1024;
    limits.requestTimeoutMs = 400;
    Start(limits);
    server->Publish(SnapshotWith(1, "x"));

    // Four connections that send nothing fill the server; a fifth is turned away at once.
    std::vector<std::unique_ptr<QTcpSocket>> silent;
    for (int i = 0; i < 4; ++i) {
        silent.push_back(Connect(port));
    }
    ASSERT_TRUE(WaitFor([&] { return server->Counters().connections == 4; }));
    auto fifth = Connect(port);
    EXPECT_TRUE(ReadToClose(*fifth).startsWith("HTTP/1.1 503"));
    EXPECT_GE(server->Counters().refused, 1u);
    // The silent ones are closed once their time to send a request is up.
    for (auto& socket : silent) {
        ReadToClose(*socket, 3000);
        EXPECT_NE(socket->state(), QAbstractSocket::ConnectedState);
    }
    ASSERT_TRUE(WaitFor([&] { return server->Counters().connections == 0; }));

    // A stream whose client never reads is dropped; one that reads goes on.
    auto stalled = Connect(port);
    stalled->setReadBufferSize(1);
    stalled->write("GET /events HTTP/1.1\r\n\r\n");
    stalled->waitForBytesWritten(1000);
    auto reader = Connect(port);
    reader->write("GET /events HTTP/1.1\r\n\r\n");
    reader->waitForBytesWritten(1000);
    ASSERT_TRUE(WaitFor([&] { return server->Counters().streams == 2; }));
    QByteArray seen;
    uint64_t sequence = 2;
    for (; sequence < 400 && server->Counters().dropped == 0; ++sequence) {
        server->Publish(SnapshotWith(sequence, std::string(200, 'n'), 100));
        // The reader keeps up: it takes each event before the next is published.
        ASSERT_TRUE(StreamShows(*reader, seen, "id: " + QByteArray::number(sequence) + "\n"));
        seen = seen.right(64);
    }
    EXPECT_EQ(server->Counters().dropped, 1u);
    EXPECT_EQ(server->Counters().streams, 1);
    server->Publish(SnapshotWith(sequence, "after"));
    EXPECT_TRUE(StreamShows(*reader, seen, "\"after\""));
}

// Streams that never read fill every place; they are dropped once they have taken nothing for
// the stall time, long before their backlog would have dropped them, and phones get in again.
TEST_F(WebServerTest, StreamsThatNeverReadGiveTheirPlacesBack) {
    WebServerLimits limits;
    limits.stallMs = 1000;
    Start(limits);
    server->Publish(SnapshotWith(1, "x"));
    auto phone = Connect(port);
    phone->write("GET /events HTTP/1.1\r\n\r\n");
    QByteArray seen;
    ASSERT_TRUE(StreamShows(*phone, seen, "id: 1\n"));
    std::vector<std::unique_ptr<SilentStream>> silent;
    for (int i = 1; i < limits.maxClients; ++i) {
        silent.push_back(std::make_unique<SilentStream>(port));
        ASSERT_TRUE(silent.back()->Connected()) << i;
    }
    ASSERT_TRUE(WaitFor([&] { return server->Counters().streams == limits.maxClients; }));
    EXPECT_TRUE(Exchange(port, "GET /api/course HTTP/1.1\r\n\r\n").startsWith("HTTP/1.1 503"));

    // Three snapshots of about 33 KB: well under the backlog that used to be the only limit,
    // far over the few kilobytes a silent client's kernel takes.
    for (uint64_t sequence = 2; sequence <= 4; ++sequence) {
        server->Publish(SnapshotWith(sequence, std::string(200, 'n'), 150));
        ASSERT_TRUE(StreamShows(*phone, seen, "id: " + QByteArray::number(sequence) + "\n"));
        seen = seen.right(64);
    }
    ASSERT_TRUE(WaitFor([&] { return server->Counters().streams == 1; }, 20000))
        << server->Counters().streams << " streams open";
    EXPECT_EQ(server->Counters().dropped, static_cast<uint64_t>(limits.maxClients - 1));

    // A new phone gets in, and the one that read all along goes on.
    auto second = Connect(port);
    second->write("GET /events HTTP/1.1\r\n\r\n");
    QByteArray secondSeen;
    ASSERT_TRUE(StreamShows(*second, secondSeen, "id: 4\n"));
    server->Publish(SnapshotWith(5, "after"));
    EXPECT_TRUE(StreamShows(*phone, seen, "\"after\""));
    EXPECT_TRUE(StreamShows(*second, secondSeen, "\"after\""));
}

TEST_F(WebServerTest, AThousandConnectionsAreHeldToTheLimitAndLetGo) {
    WebServerLimits limits;
    limits.requestTimeoutMs = 30000;  // the silent ones stay while they are counted
    Start(limits);
    server->Publish(SnapshotWith(1, "x"));
    std::vector<std::unique_ptr<QTcpSocket>> crowd;
    for (int i = 0; i < 1000; ++i) {
        crowd.push_back(std::make_unique<QTcpSocket>());
        crowd.back()->connectToHost(QStringLiteral("127.0.0.1"), port);
    }
    int connected = 0;
    for (auto& socket : crowd) {
        if (socket->waitForConnected(5000)) {
            ++connected;
            // A first byte makes the kernel finish a handshake that waited for room in the
            // server's accept queue, sooner than its own retries would.
            socket->write("G");
            socket->flush();
        }
    }
    ASSERT_GT(connected, limits.maxClients);
    ASSERT_TRUE(WaitFor(
        [&] {
            return server->Counters().connections == limits.maxClients &&
                   server->Counters().refused ==
                       static_cast<uint64_t>(connected - limits.maxClients);
        },
        20000))
        << server->Counters().connections << " open, " << server->Counters().refused
        << " refused of " << connected;
    EXPECT_LE(server->Counters().connections, limits.maxClients);
    // Full: a newcomer is told so at once rather than kept waiting.
    EXPECT_TRUE(Exchange(port, "GET /api/course HTTP/1.1\r\n\r\n").startsWith("HTTP/1.1 503"));
    crowd.clear();
    ASSERT_TRUE(WaitFor([&] { return server->Counters().connections == 0; }));
    EXPECT_TRUE(Exchange(port, "GET /api/course HTTP/1.1\r\n\r\n").startsWith("HTTP/1.1 200"));
}

TEST_F(WebServerTest, APortInUseIsReportedAndTheFirstServerGoesOn) {
    Start();
    WebServer second(clock);
    const QString error = second.Start(port);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(second.Serving());
    second.Publish(SnapshotWith(1, "never"));  // harmless while not serving
    server->Publish(SnapshotWith(2, "first"));
    EXPECT_TRUE(Exchange(port, "GET /api/standings HTTP/1.1\r\n\r\n").contains("first"));
    // Stopped and started again on another free port.
    server->Stop();
    EXPECT_FALSE(server->Serving());
    ASSERT_TRUE(server->Start(0).isEmpty());
    EXPECT_TRUE(Exchange(server->Port(), "GET /api/standings HTTP/1.1\r\n\r\n").contains("first"));
}

}  // namespace
}  // namespace vantrel::test
