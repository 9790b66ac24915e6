// The live results under load: a 60-car circuit race of 600 laps booked through the main
// window's receiver path (one passing at a time, 20 ms apart, the record window shown), with
// the web server off, on without clients, and on with 200 clients on /events. Prints the GUI
// thread's CPU time per booking (the booking, the snapshot and the drawing it causes) and
// whether every client saw every lap, in order. Plain program, run on demand.
#include <QApplication>
#include <QCryptographicHash>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QTabWidget>
#include <QTableView>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <ctime>
#include <memory>
#include <mutex>
#include <vector>

#include "app/main_window.h"
#include "common/ms_clock.h"
#include "lists/entry_table.h"
#include "modes/circuit_controller.h"
#include "modes/receiver_codes.h"
#include "reports/record_window.h"
#include "support/bench_window.h"
#include "web/snapshot_builder.h"
#include "web/web_server.h"
#include "web/web_settings.h"

namespace vantrel {
namespace {

using bench::ThreadCpuMs;

constexpr int kCars = 60;
constexpr int kLapsPerCar = 10;
constexpr int kClients = 200;
constexpr int kGapMs = 20;

quint64 RowKey(const QJsonArray& cells) {
    QByteArray joined;
    for (const QJsonValue& cell : cells) {
        joined += cell.toString().toUtf8() + '\x1f';
    }
    return qHash(joined);
}

// One /events client: follows the result list through the latest rows each event carries.
struct StreamClient {
    QTcpSocket* socket = nullptr;
    QByteArray buffer;
    std::vector<quint64> rows;  // row n of the result list at index n - 1
    bool gap = false;
    bool closed = false;

    void Take(const QByteArray& data) {
        const QJsonObject results =
            QJsonDocument::fromJson(data).object().value(QStringLiteral("results")).toObject();
        const int count = results.value(QStringLiteral("count")).toInt();
        const QJsonArray latest = results.value(QStringLiteral("rows")).toArray();
        const int first = count - static_cast<int>(latest.size()) + 1;
        if (first > static_cast<int>(rows.size()) + 1) {
            gap = true;  // laps booked between two events this client never saw
        }
        for (int row = static_cast<int>(rows.size()) + 1; row <= count; ++row) {
            if (row >= first) {
                rows.push_back(RowKey(latest[row - first].toArray()));
            }
        }
    }
    void Read() {
        buffer += socket->readAll();
        qsizetype end;
        while ((end = buffer.indexOf("\n\n")) >= 0) {
            const QByteArray message = buffer.left(end);
            buffer.remove(0, end + 2);
            const qsizetype data = message.indexOf("data: ");
            if (data >= 0) {
                Take(message.mid(data + 6));
            }
        }
    }
};

// The clients, on a thread of their own like browsers elsewhere on the network.
class Clients : public QObject {
public:
    void Open(quint16 port, int count) {
        for (int i = 0; i < count; ++i) {
            auto client = std::make_unique<StreamClient>();
            client->socket = new QTcpSocket(this);
            StreamClient* c = client.get();
            connect(c->socket, &QTcpSocket::connected, this,
                    [c] { c->socket->write("GET /events HTTP/1.1\r\nHost: bench\r\n\r\n"); });
            connect(c->socket, &QTcpSocket::readyRead, this, [c] { c->Read(); });
            connect(c->socket, &QTcpSocket::disconnected, this, [c] { c->closed = true; });
            c->socket->connectToHost(QStringLiteral("127.0.0.1"), port);
            clients_.push_back(std::move(client));
        }
    }
    // How many clients hold exactly `expected`, without a gap; how many were closed.
    std::pair<int, int> Check(const std::vector<quint64>& expected) const {
        int complete = 0, closed = 0;
        for (const auto& c : clients_) {
            complete += !c->gap && c->rows == expected ? 1 : 0;
            closed += c->closed ? 1 : 0;
        }
        return {complete, closed};
    }
    int Behind(size_t rows) const {
        return static_cast<int>(std::count_if(clients_.begin(), clients_.end(), [&](const auto& c) {
            return !c->closed && c->rows.size() < rows;
        }));
    }
    void CloseAll() {
        for (auto& c : clients_) {
            c->socket->abort();
        }
        clients_.clear();
    }

private:
    std::vector<std::unique_ptr<StreamClient>> clients_;
};

struct Figures {
    double medianMs = 0;
    double p99Ms = 0;
    double maxMs = 0;
};

class Race {
public:
    Race() {
        window_->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(2);
        QKeyEvent alt(QEvent::KeyPress, Qt::Key_S, Qt::AltModifier);
        QApplication::sendEvent(window_->findChild<QTableView*>(QStringLiteral("StringGrid1")),
                                &alt);
        window_->State().maskTimeS = 0;
        circuit_ = window_->findChild<CircuitController*>();
        window_->Record().show();
        QApplication::processEvents();
    }
    bool Running() const { return circuit_ != nullptr && window_->SessionRunning(); }
    TMainForm& Window() { return *window_; }

    // Books every lap of the race; the GUI thread's CPU ms of each booking.
    Figures BookRace() {
        std::vector<double> cpu;
        for (int lap = 0; lap < kCars * kLapsPerCar; ++lap) {
            uint8_t code = CodeOfCar(lap % kCars + 1);
            tick_ += 1000;
            clock_.Set(tick_);
            const double begin = ThreadCpuMs();
            circuit_->Flow().ProcessPassings(&code, 1, tick_);
            QApplication::processEvents();  // the snapshot, taken when the window is idle
            cpu.push_back(ThreadCpuMs() - begin);
            QEventLoop pause;
            QTimer::singleShot(kGapMs, &pause, &QEventLoop::quit);
            pause.exec();
        }
        std::sort(cpu.begin(), cpu.end());
        return {cpu[cpu.size() / 2], cpu[cpu.size() * 99 / 100], cpu.back()};
    }

    // The snapshot alone: taken from the race's state and handed to the server, as after
    // each booking; the GUI thread's CPU ms of each.
    Figures Snapshots(int count) {
        std::vector<double> cpu;
        for (int i = 0; i < count; ++i) {
            const SnapshotSources sources{&window_->RaceStandings(),
                                          &window_->Results(),
                                          &window_->Entries(),
                                          nullptr,
                                          &window_->Record().Board(),
                                          RaceMode::kCircuit,
                                          true,
                                          nullptr};
            const double begin = ThreadCpuMs();
            window_->Web().Publish(std::make_shared<const LiveSnapshot>(
                TakeSnapshot(sources, 1'000'000 + i, std::nullopt)));
            cpu.push_back(ThreadCpuMs() - begin);
            QThread::msleep(kGapMs);
        }
        std::sort(cpu.begin(), cpu.end());
        return {cpu[cpu.size() / 2], cpu[cpu.size() * 99 / 100], cpu.back()};
    }

    std::vector<quint64> ResultRows() const {
        std::vector<quint64> rows;
        const ResultTable& results = window_->Results();
        for (int row = 1; row <= results.DataRowCount(); ++row) {
            QJsonArray cells;
            for (const std::string& cell : results.Row(row)) {
                cells.append(QString::fromStdString(cell));
            }
            rows.push_back(RowKey(cells));
        }
        return rows;
    }

private:
    bench::BenchWindow bench_{kCars};
    std::unique_ptr<TMainForm>& window_ = bench_.window;
    FakeMsClock& clock_ = bench_.clock;
    CircuitController* circuit_ = nullptr;
    uint32_t tick_ = 500'000;
};

void Print(const char* what, const Figures& f) {
    std::printf("  %-28s GUI CPU per booking: median %.3f ms, p99 %.3f ms, max %.3f ms\n", what,
                f.medianMs, f.p99Ms, f.maxMs);
}

int RunClients(Figures& withClients, Figures& snapshots) {
    Race race;
    if (!race.Running()) {
        return 1;
    }
    race.Window().ApplyWebSettings(WebSettings{true, 0});
    const WebServer& server = race.Window().Web();
    QThread thread;
    Clients clients;
    clients.moveToThread(&thread);
    thread.start();
    QMetaObject::invokeMethod(&clients, [&] { clients.Open(server.Port(), kClients); });
    for (int i = 0; i < 500 && server.Counters().streams < kClients; ++i) {
        QThread::msleep(10);
    }
    const int streams = server.Counters().streams;
    withClients = race.BookRace();
    const std::vector<quint64> expected = race.ResultRows();
    std::pair<int, int> check;
    for (int i = 0; i < 1000; ++i) {
        int behind = 0;
        QMetaObject::invokeMethod(
            &clients, [&] { behind = clients.Behind(expected.size()); },
            Qt::BlockingQueuedConnection);
        if (behind == 0) {
            break;
        }
        QThread::msleep(10);
    }
    QMetaObject::invokeMethod(
        &clients, [&] { check = clients.Check(expected); }, Qt::BlockingQueuedConnection);
    snapshots = race.Snapshots(100);
    QMetaObject::invokeMethod(
        &clients, [&] { clients.CloseAll(); }, Qt::BlockingQueuedConnection);
    thread.quit();
    thread.wait();
    std::printf(
        "  %d of %d clients connected; %d saw all %zu laps in order; %d closed; "
        "%llu snapshots sent, %llu clients dropped\n",
        streams, kClients, check.first, expected.size(), check.second,
        static_cast<unsigned long long>(server.Counters().broadcasts.load()),
        static_cast<unsigned long long>(server.Counters().dropped.load()));
    return check.first == kClients ? 0 : 1;
}

}  // namespace
}  // namespace vantrel

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    using namespace vantrel;
    std::printf("%d cars, %d laps, one passing every %d ms:\n", kCars, kCars * kLapsPerCar, kGapMs);
    Figures off, idle, loaded, snapshots;
    {
        Race race;
        if (!race.Running()) {
            std::fprintf(stderr, "the CIRCUIT session did not start\n");
            return 1;
        }
        off = race.BookRace();
    }
    {
        Race race;
        race.Window().ApplyWebSettings(WebSettings{true, 0});
        idle = race.BookRace();
    }
    const int status = RunClients(loaded, snapshots);
    Print("web server off:", off);
    Print("web server on, no client:", idle);
    Print("web server on, 200 clients:", loaded);
    Print("of it, snapshot and publish:", snapshots);
    return status;
}
