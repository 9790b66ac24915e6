#pragma once
// The parallel port through Linux ppdev: PortDriver finds the /dev/parportN whose base
// address is the chosen one, claims it and reads/writes its registers; ParallelPortSource
// puts it behind the sampler's input-source interface.
// Thread rule: OpenDriver, CloseDriver, ActiveHW, LastError on the GUI thread; ReadByte and
// WriteByte on the timing thread (never concurrently with each other, never during
// OpenDriver/CloseDriver: the timing thread is stopped then).

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "sensors/input_source.h"

namespace vantrel {

// The ppdev requests the driver makes on its open device (ioctl(2)); a test puts a fake port
// in its place.
class PpdevIo {
public:
    virtual ~PpdevIo() = default;
    // As ioctl(2): 0 on success, -1 with errno set on failure.
    virtual int Ioctl(int fd, unsigned long request, void* arg) = 0;
};

// The parportN number whose "<procRoot>/parportN/base-addr" starts with `ioAddress`
// (decimal, as the kernel writes it); nullopt when none does.
std::optional<int> FindParportByBase(const std::filesystem::path& procRoot, int32_t ioAddress);

class PortDriver {
public:
    // The roots and the requests are injectable so that a test can use a fake tree and port;
    // `io` null: the system's ioctl. A given `io` must outlive the driver.
    explicit PortDriver(std::filesystem::path procRoot = "/proc/sys/dev/parport",
                        std::filesystem::path devRoot = "/dev", PpdevIo* io = nullptr);
    ~PortDriver();
    PortDriver(const PortDriver&) = delete;
    PortDriver& operator=(const PortDriver&) = delete;

    // Opens and claims the port at `ioAddress`; sets ActiveHW, or LastError on failure.
    void OpenDriver(int32_t ioAddress);
    // Releases and closes the port; false when nothing was open.
    bool CloseDriver();
    bool ActiveHW() const { return activeHw_.load(); }
    const std::string& LastError() const { return lastError_; }
    int32_t BaseAddress() const { return base_; }
    // The device the latest OpenDriver tried ("/dev/parport0"), or the address when no port
    // has it.
    const std::string& TriedDevice() const { return triedDevice_; }
    // The system's error number of the latest failed read or write (0 when none failed).
    int LastIoErrno() const { return ioErrno_.load(); }
    // Register reads and failed reads since the driver was made; any thread.
    uint64_t ReadCount() const { return reads_.load(std::memory_order_relaxed); }
    uint64_t ReadFailures() const { return readFailures_.load(std::memory_order_relaxed); }

    // Byte at base+0 (data), base+1 (status) or base+2 (control), as the hardware gives it.
    // Returns false when the port is not active or the read failed.
    bool ReadByte(int32_t address, uint8_t& value) const;
    // Writes the control register (base+2); other addresses are ignored.
    bool WriteByte(int32_t address, uint8_t value);
    // The byte last written to the control register since the port was opened, or -1.
    int LastControlWritten() const { return lastControl_; }

private:
    std::filesystem::path procRoot_;
    std::filesystem::path devRoot_;
    PpdevIo* io_;
    int fd_ = -1;
    int lastControl_ = -1;  // timing thread while the port is open
    int32_t base_ = 0;
    std::atomic<bool> activeHw_{false};
    std::string lastError_;
    std::string triedDevice_;
    mutable std::atomic<int> ioErrno_{0};
    mutable std::atomic<uint64_t> reads_{0};
    mutable std::atomic<uint64_t> readFailures_{0};
};

class ParallelPortSource final : public InputSource {
public:
    explicit ParallelPortSource(PortDriver& driver) : driver_(driver) {}

    ReadRule Rule() const override { return ReadRule::kParallelPort; }
    // The driver is opened at first show; a session only checks it.
    bool Open() override { return driver_.ActiveHW(); }
    bool IsOpen() const override { return driver_.ActiveHW(); }
    // The control byte is the one last written once there is one: ppdev reads back only the
    // four output bits, which would never match a lamp byte.
    bool Read(uint32_t now, RawSample& out) override;
    void WriteLamp(uint8_t controlByte) override;
    void Close() override {}
    std::string LastError() const override { return driver_.LastError(); }

private:
    PortDriver& driver_;
};

}  // namespace vantrel
