#pragma once
// Wakes the GUI thread from a thread that must neither allocate nor take Qt's locks (the timing
// thread, the receiver's reader): Wake writes an eventfd, a QSocketNotifier on the GUI thread
// reads it and runs the drain. Wakes given before the drain has run are coalesced into one
// write; a wake given while the drain runs makes it run again.
// Thread rule: construction, destruction and the drain on the GUI thread (the thread whose
// event loop runs the notifier); Wake from any thread.

#include <QSocketNotifier>
#include <atomic>
#include <functional>
#include <memory>

#include "sensors/timing_loop.h"

namespace vantrel {

class WakeSignal final : public EventWaker {
public:
    // Throws std::system_error when no eventfd can be made (no descriptors left).
    explicit WakeSignal(std::function<void()> drain);
    ~WakeSignal() override;
    WakeSignal(const WakeSignal&) = delete;
    WakeSignal& operator=(const WakeSignal&) = delete;

    // Any thread: one run of the drain is due. At most one write(2); no allocation, no lock.
    void Wake() override;

private:
    void Activated();

    int fd_ = -1;
    std::atomic<bool> pending_{false};
    std::function<void()> drain_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace vantrel
