#include "sensors/wake_signal.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace vantrel {

WakeSignal::WakeSignal(std::function<void()> drain) : drain_(std::move(drain)) {
    fd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (fd_ < 0) {
        throw std::system_error(errno, std::generic_category(), "eventfd for the GUI wake-up");
    }
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                     [this] { Activated(); });
}

WakeSignal::~WakeSignal() {
    notifier_.reset();
    close(fd_);
}

void WakeSignal::Wake() {
    // acq_rel pairs with the drain side's exchange: what was put before a wake that found one
    // pending is seen by the drain that clears it.
    if (pending_.exchange(true, std::memory_order_acq_rel)) {
        return;
    }
    const uint64_t one = 1;
    while (write(fd_, &one, sizeof one) < 0 && errno == EINTR) {
    }
}

void WakeSignal::Activated() {
    uint64_t count = 0;
    if (read(fd_, &count, sizeof count) < 0) {
        // EAGAIN: already read by an earlier activation; the drain below is still due.
    }
    pending_.exchange(false, std::memory_order_acq_rel);
    drain_();
}

}  // namespace vantrel
