#include "timing_support.h"

#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <string>

namespace vantrel::bench {

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
