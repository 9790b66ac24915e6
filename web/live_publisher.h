#pragma once
// Publishes a LiveSnapshot to the web server after each change the window makes: a booked
// result (as a result sink), an edit of the entry or result list (as a table observer), and a
// change of the course, the mode or the standings (looked at every 100 ms, a few hundred
// bytes compared). Changes that come together are published once, when the window is idle.
// Does nothing while the server is off.
// Thread rule: GUI thread only.

#include <QObject>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "lists/result_sink.h"
#include "lists/table_observer.h"
#include "reports/rank_table.h"
#include "web/snapshot_builder.h"

class QTimer;

namespace vantrel {

class WebServer;

class LivePublisher final : public QObject, public ResultSink, public TableObserver {
    Q_OBJECT
public:
    // `sources` says where the state is now (the course belongs to the mode in force).
    LivePublisher(std::function<SnapshotSources()> sources, WebServer& server);
    ~LivePublisher() override;

    // Hears of every change of `table` until the publisher goes.
    template <typename Table>
    void Watch(Table& table) {
        table.AddObserver(this);
        unwatch_.push_back([this, &table] { table.RemoveObserver(this); });
    }

    // On: publishes the state at once and then every change; off: nothing.
    void SetActive(bool active);
    bool Active() const { return active_; }
    uint64_t Sequence() const { return sequence_; }
    // Takes and publishes a snapshot now.
    void PublishNow();

    void ResultBooked(const BookedResult& result, int32_t row) override;
    void BatchStarted() override { ++batchDepth_; }
    void BatchEnded() override;

    void CellsChanged(int32_t, int32_t, int32_t, int32_t) override { Changed(); }
    void RowsAboutToBeInserted(int32_t, int32_t) override {}
    void RowsInserted() override { Changed(); }
    void RowsAboutToBeRemoved(int32_t, int32_t) override {}
    void RowsRemoved() override { Changed(); }
    void AboutToReset() override {}
    void ResetDone() override;

private:
    // What the periodic look compares.
    struct Shape {
        RaceMode mode = RaceMode::kGymkhana;
        bool running = false;
        std::array<int32_t, 8> course{};  // car and start word of positions 1..4
        std::array<RankEntry, RankTable::kEntries> ranks{};
        std::vector<std::string> board;
        bool operator==(const Shape&) const = default;
    };

    void Changed();
    void Look();
    Shape ShapeOf(const SnapshotSources& sources) const;

    std::function<SnapshotSources()> sources_;
    WebServer& server_;
    QTimer* publish_;
    QTimer* look_;
    bool active_ = false;
    int batchDepth_ = 0;
    uint64_t sequence_ = 0;
    std::optional<LiveResult> last_;
    Shape shape_;
    std::vector<std::function<void()>> unwatch_;
};

}  // namespace vantrel
