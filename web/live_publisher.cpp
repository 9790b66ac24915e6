#include "web/live_publisher.h"

#include <QTimer>

#include "lists/result_table.h"
#include "modes/gymkhana_course.h"
#include "reports/scoreboard.h"
#include "reports/standings.h"
#include "web/web_server.h"

namespace vantrel {

namespace {
constexpr int kLookMs = 100;
}

LivePublisher::LivePublisher(std::function<SnapshotSources()> sources, WebServer& server)
    : sources_(std::move(sources)),
      server_(server),
      publish_(new QTimer(this)),
      look_(new QTimer(this)) {
    publish_->setSingleShot(true);
    publish_->setInterval(0);
    connect(publish_, &QTimer::timeout, this, &LivePublisher::PublishNow);
    look_->setInterval(kLookMs);
    connect(look_, &QTimer::timeout, this, &LivePublisher::Look);
}

LivePublisher::~LivePublisher() {
    for (const auto& unwatch : unwatch_) {
        unwatch();
    }
}

void LivePublisher::SetActive(bool active) {
    active_ = active;
    if (active) {
        look_->start();
        PublishNow();
    } else {
        look_->stop();
        publish_->stop();
    }
}

void LivePublisher::ResultBooked(const BookedResult& result, int32_t /*row*/) {
    last_ = LiveResultOf(result);
    Changed();
}

void LivePublisher::ResetDone() {
    // A new or emptied list: the last result shown belonged to the old one.
    const SnapshotSources sources = sources_();
    if (sources.results != nullptr && sources.results->IsEmpty()) {
        last_.reset();
    }
    Changed();
}

void LivePublisher::BatchEnded() {
    if (batchDepth_ > 0) {
        --batchDepth_;
    }
}

void LivePublisher::Changed() {
    if (active_ && !publish_->isActive()) {
        publish_->start();
    }
}

void LivePublisher::PublishNow() {
    if (!active_) {
        return;
    }
    publish_->stop();
    const SnapshotSources sources = sources_();
    shape_ = ShapeOf(sources);
    auto snapshot = std::make_shared<const LiveSnapshot>(TakeSnapshot(sources, ++sequence_, last_));
    server_.Publish(std::move(snapshot));
}

void LivePublisher::Look() {
    // Only the timer's cost while nothing changes: the shape is compared, not the texts.
    if (batchDepth_ == 0 && !(ShapeOf(sources_()) == shape_)) {
        Changed();
    }
}

LivePublisher::Shape LivePublisher::ShapeOf(const SnapshotSources& sources) const {
    Shape shape;
    shape.mode = sources.mode;
    shape.running = sources.running;
    if (sources.course != nullptr) {
        const CourseState& state = sources.course->State();
        for (int32_t position = kNewestPosition; position <= kOldestPosition; ++position) {
            shape.course[2 * (position - 1)] = state.courseCar[position];
            shape.course[2 * (position - 1) + 1] = state.courseTimes[position][kStartWord];
        }
    }
    if (sources.standings != nullptr) {
        for (int32_t i = 0; i < RankTable::kEntries; ++i) {
            shape.ranks[i] = sources.standings->Table()[i];
        }
    }
    if (sources.board != nullptr) {
        for (int32_t field = 0; field < Scoreboard::kFieldCount; ++field) {
            shape.board.push_back(sources.board->Text(static_cast<Scoreboard::Field>(field)));
        }
    }
    return shape;
}

}  // namespace vantrel
