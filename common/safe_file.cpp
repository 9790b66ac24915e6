#include "common/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

namespace vantrel {

namespace {
IoResult Fail(const std::filesystem::path& path, int error) {
    return IoResult::Failure(path.string() + ": " + std::strerror(error));
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// Creates a new, empty temporary file beside the target. Its name keeps at most 64 bytes of
// the target's name, so that a target whose name is near the file-name limit can still be
// written. The file gets the usual permissions of a new file (0666 less the umask) without
// touching the process's umask, which other threads may be using at the same moment.
int CreateTempFile(const std::filesystem::path& folder, const std::string& name,
                   std::string& tempName) {
    static std::atomic<uint32_t> counter{0};
    const std::string stem = name.substr(0, 64);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempName = (folder / ("." + stem + "." + std::to_string(::getpid()) + "." +
                              std::to_string(counter.fetch_add(1)) + ".tmp"))
                       .string();
        const int fd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}
}  // namespace

IoResult ReadWholeFile(const std::filesystem::path& path, std::string& bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return Fail(path, errno);
    }
    std::string data;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int error = errno;
            ::close(fd);
            return Fail(path, error);
        }
        if (n == 0) {
            break;
        }
        data.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    bytes = std::move(data);
    return IoResult::Success();
}

namespace {
// The error that forbids replacing an existing file the user may not write, or 0.
int ReplaceRefusal(const std::filesystem::path& path, const struct stat& target) {
    if (::access(path.c_str(), W_OK) != 0) {
        return errno;
    }
    // access() grants everything to the superuser; a file marked read-only for everyone is
    // still not ours to replace.
    if ((target.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        return EACCES;
    }
    return 0;
}
}  // namespace

IoResult WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes) {
    struct stat target {};
    const bool replacing = ::stat(path.c_str(), &target) == 0 && S_ISREG(target.st_mode);
    if (replacing) {
        if (const int refusal = ReplaceRefusal(path, target); refusal != 0) {
            return Fail(path, refusal);
        }
    }
    const std::filesystem::path folder =
        path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    std::string tempName;
    const int fd = CreateTempFile(folder, path.filename().string(), tempName);
    if (fd < 0) {
        return Fail(path, errno);
    }
    if (replacing) {
        // The new file takes the place of the old one with its mode and, where allowed, owner.
        (void)::fchown(fd, target.st_uid, target.st_gid);
        (void)::fchmod(fd, target.st_mode & 07777);
    }
    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        ::unlink(tempName.c_str());
        return Fail(path, error);
    }
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(tempName.c_str());
        return Fail(path, error);
    }
    if (::rename(tempName.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(tempName.c_str());
        return Fail(path, error);
    }
    return IoResult::Success();
}

}  // namespace vantrel
