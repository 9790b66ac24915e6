#include "timing_support.h"

#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <string>

namespace vantrel::bench {

int64_t NowNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

Percentiles Of(std::vector<double> v) {
    if (v.empty()) {
        return {0, 0, 0, 0};
    }
    std::sort(v.begin(), v.end());
    auto at = [&](double q) {
        return v[std::min(v.size() - 1, static_cast<size_t>(q * v.size()))];
    };
    return {at(0.50), at(0.99), at(0.999), v.back()};
}

std::vector<double> GapsMs(const std::vector<int64_t>& ns, size_t count) {
    std::vector<double> gaps;
    for (size_t i = 1; i < std::min(count, ns.size()); ++i) {
        gaps.push_back((ns[i] - ns[i - 1]) / 1e6);
    }
    return gaps;
}

void DiskWriter(const std::atomic<bool>& stop, const std::filesystem::path& file, bool fullSync) {
    const std::string block(1 << 20, 'x');
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0) {
        return;
    }
    for (off_t offset = 0; !stop.load(); offset = (offset + (1 << 20)) % (16 << 20)) {
        if (::pwrite(fd, block.data(), block.size(), offset) < 0) {
            break;
        }
        if (fullSync) {
            ::fsync(fd);
        } else {
            ::fdatasync(fd);
        }
    }
    ::close(fd);
}

}  // namespace vantrel::bench
