#include "sensors/parallel_port.h"

#include <fcntl.h>
#include <linux/parport.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace vantrel {

namespace {

std::string HexAddress(int32_t address) {
    std::ostringstream text;
    text << "0x" << std::hex << std::uppercase << address;
    return text.str();
}

std::string ErrnoText(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

// The four control bits that are outputs (pins 1, 14, 16, 17). The kernel writes no others
// through PPWCONTROL; for bit 5 it logs a line and turns the data lines around on every write,
// which PPDATADIR has done once at the claim.
constexpr uint8_t kControlOutputBits = 0x0F;

class SystemIo final : public PpdevIo {
public:
    int Ioctl(int fd, unsigned long request, void* arg) override {
        return ::ioctl(fd, request, arg);
    }
};

PpdevIo& SystemPpdev() {
    static SystemIo io;
    return io;
}

}  // namespace

std::optional<int> FindParportByBase(const std::filesystem::path& procRoot, int32_t ioAddress) {
    std::error_code error;
    for (int n = 0; n < 64; ++n) {
        std::ifstream in(procRoot / ("parport" + std::to_string(n)) / "base-addr");
        if (!in) {
            continue;  // numbers need not be contiguous
        }
        long base = -1;
        if (in >> base && base == ioAddress) {
            return n;
        }
    }
    return std::nullopt;
}

PortDriver::PortDriver(std::filesystem::path procRoot, std::filesystem::path devRoot, PpdevIo* io)
    : procRoot_(std::move(procRoot)),
      devRoot_(std::move(devRoot)),
      io_(io != nullptr ? io : &SystemPpdev()) {}

PortDriver::~PortDriver() {
    CloseDriver();
}

void PortDriver::OpenDriver(int32_t ioAddress) {
    if (activeHw_.load()) {
        return;
    }
    const std::optional<int> number = FindParportByBase(procRoot_, ioAddress);
    triedDevice_ = HexAddress(ioAddress);
    if (!number) {
        lastError_ =
            "No parallel port at " + HexAddress(ioAddress) + " (" + procRoot_.string() + ")";
        return;
    }
    const std::filesystem::path device = devRoot_ / ("parport" + std::to_string(*number));
    triedDevice_ = device.string();
    const int fd = ::open(device.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        lastError_ = ErrnoText("open " + device.string());
        return;
    }
    if (io_->Ioctl(fd, PPCLAIM, nullptr) != 0) {
        lastError_ = ErrnoText("claim " + device.string());
        ::close(fd);
        return;
    }
    // The data lines are drag inputs: reverse direction where the port supports it.
    int reverse = 1;
    io_->Ioctl(fd, PPDATADIR, &reverse);
    fd_ = fd;
    lastControl_ = -1;
    base_ = ioAddress;
    lastError_.clear();
    ioErrno_.store(0);
    activeHw_.store(true);
}

bool PortDriver::CloseDriver() {
    if (!activeHw_.exchange(false)) {
        return false;
    }
    io_->Ioctl(fd_, PPRELEASE, nullptr);
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    return closed;
}

bool PortDriver::ReadByte(int32_t address, uint8_t& value) const {
    if (!activeHw_.load()) {
        return false;
    }
    unsigned char byte = 0xFF;
    int result = -1;
    switch (address - base_) {
        case 0:
            result = io_->Ioctl(fd_, PPRDATA, &byte);
            break;
        case 1:
            result = io_->Ioctl(fd_, PPRSTATUS, &byte);
            break;
        case 2:
            result = io_->Ioctl(fd_, PPRCONTROL, &byte);
            break;
        default:
            return false;
    }
    value = byte;
    reads_.fetch_add(1, std::memory_order_relaxed);
    if (result != 0) {
        ioErrno_.store(errno);
        readFailures_.fetch_add(1, std::memory_order_relaxed);
    }
    return result == 0;
}

bool PortDriver::WriteByte(int32_t address, uint8_t value) {
    if (!activeHw_.load() || address != base_ + 2) {
        return false;
    }
    unsigned char byte = value & kControlOutputBits;
    if (io_->Ioctl(fd_, PPWCONTROL, &byte) != 0) {
        ioErrno_.store(errno);
        lastControl_ = -1;  // unknown now: the next lamp byte is written whatever it is
        return false;
    }
    lastControl_ = value;
    return true;
}

bool ParallelPortSource::Read(uint32_t, RawSample& out) {
    const int32_t base = driver_.BaseAddress();
    if (!driver_.ReadByte(base, out.dataByte) || !driver_.ReadByte(base + 1, out.statusByte)) {
        return false;
    }
    const int written = driver_.LastControlWritten();
    if (written >= 0) {
        out.controlByte = static_cast<uint8_t>(written);
        return true;
    }
    return driver_.ReadByte(base + 2, out.controlByte);
}

void ParallelPortSource::WriteLamp(uint8_t controlByte) {
    driver_.WriteByte(driver_.BaseAddress() + 2, controlByte);
}

}  // namespace vantrel
