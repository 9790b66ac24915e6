#include "sensors/serial_link.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "sensors/serial_settings.h"

namespace vantrel {

namespace {

constexpr int64_t kWriteMarginMs = 50;

speed_t SpeedConstant(int32_t speed) {
    switch (speed) {
        case 2400:
            return B2400;
        case 4800:
            return B4800;
        case 19200:
            return B19200;
        case 38400:
            return B38400;
        default:
            return B9600;
    }
}

tcflag_t SizeConstant(int32_t dataBits) {
    switch (dataBits) {
        case 5:
            return CS5;
        case 6:
            return CS6;
        case 7:
            return CS7;
        default:
            return CS8;
    }
}

std::string KindOf(const struct stat& info) {
    if (S_ISDIR(info.st_mode)) {
        return "a folder";
    }
    if (S_ISREG(info.st_mode)) {
        return "a file";
    }
    return "not a character device";
}

}  // namespace

bool SerialLink::Open(const std::string& portName, int32_t storedBaud) {
    Close();
    path_ = SerialDevicePath(portName);
    lastError_.clear();
    if (path_.empty()) {
        return Refuse("no serial port is chosen");
    }
    struct stat info {};
    if (stat(path_.c_str(), &info) != 0) {
        return Fail("cannot find", errno);
    }
    if (!S_ISCHR(info.st_mode)) {
        return Refuse("is " + KindOf(info) + ", not a serial port");
    }
    fd_ = open(path_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
        return errno == EBUSY ? Refuse("is in use by another program") : Fail("cannot open", errno);
    }
    // Checked again on the open descriptor: the path may have been replaced meanwhile.
    if (fstat(fd_, &info) != 0 || !S_ISCHR(info.st_mode) || !isatty(fd_)) {
        return Refuse("is not a serial port");
    }
    if (!Claim()) {
        return false;
    }
    if (tcflush(fd_, TCIOFLUSH) != 0) {
        return Fail("cannot discard the queues of", errno);
    }
    const SerialLineSettings line = ReceiverLineSettings(storedBaud);
    speed_ = line.speed;
    return ApplyLineSettings(line);
}

namespace {

// A pseudo-terminal's slave side (a receiver bridged over the network by socat or ser2net).
// Its exclusive mode belongs to the terminal, which lives as long as the bridge holds the
// other side: a program killed while holding it would leave it set, and the program started
// after the crash could never open its receiver again.
bool IsPtySlave(int fd) {
    struct stat info {};
    constexpr unsigned kFirstPtySlaveMajor = 136;  // UNIX98 pty slaves: majors 136 to 143
    return fstat(fd, &info) == 0 && major(info.st_rdev) >= kFirstPtySlaveMajor &&
           major(info.st_rdev) < kFirstPtySlaveMajor + 8;
}

}  // namespace

bool SerialLink::Claim() {
    // Exclusive mode does not stop root, so another holder's claim is also looked for, and a
    // lock keeps out programs that lock serial ports too. On a pseudo-terminal the lock alone
    // claims the port: the lock goes with its holder, exclusive mode does not.
    const bool exclusiveMode = !IsPtySlave(fd_);
    int exclusive = 0;
    if (exclusiveMode && ioctl(fd_, TIOCGEXCL, &exclusive) == 0 && exclusive != 0) {
        return Refuse("is in use by another program");
    }
    if (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        return errno == EWOULDBLOCK ? Refuse("is in use by another program")
                                    : Fail("cannot lock", errno);
    }
    if (exclusiveMode && ioctl(fd_, TIOCEXCL) != 0) {
        return Fail("cannot claim", errno);
    }
    claimed_ = true;
    return true;
}

bool SerialLink::ApplyLineSettings(const SerialLineSettings& line) {
    termios tio{};
    if (tcgetattr(fd_, &tio) != 0) {
        return Fail("cannot read the line settings of", errno);
    }
    const speed_t rate = SpeedConstant(line.speed);
    const tcflag_t size = SizeConstant(line.dataBits);
    cfsetispeed(&tio, rate);
    cfsetospeed(&tio, rate);
    tio.c_cflag = (tio.c_cflag & ~(CSIZE | CRTSCTS)) | size | CREAD;
    if (line.hardwareFlowControl) {
        tio.c_cflag |= CRTSCTS;
    }
    tio.c_iflag &= ~(IXON | IXOFF | IXANY | ICRNL | INLCR | IGNCR | ISTRIP | INPCK | PARMRK |
                     IGNBRK | BRKINT | IUCLC | IMAXBEL);
    if (line.softwareFlowControl) {
        tio.c_iflag |= IXON | IXOFF;
    }
    tio.c_oflag &= ~OPOST;
    tio.c_lflag &= ~(ICANON | ECHO | ECHOE | ECHOK | ECHONL | ISIG | IEXTEN);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (tcsetattr(fd_, TCSANOW, &tio) != 0) {
        return Fail("cannot set the line settings of", errno);
    }
    // tcsetattr succeeds when any part was taken; a port that cannot run at the speed or with
    // 8 data bits is refused here.
    termios now{};
    if (tcgetattr(fd_, &now) != 0 || cfgetispeed(&now) != rate || cfgetospeed(&now) != rate ||
        (now.c_cflag & CSIZE) != size || (now.c_lflag & ICANON) != 0) {
        return Refuse("does not take " + std::to_string(line.speed) + " bit/s with " +
                      std::to_string(line.dataBits) + " data bits");
    }
    // A handshake left on would hold every write until the other end allows it.
    if (((now.c_cflag & CRTSCTS) != 0) != line.hardwareFlowControl) {
        return Refuse("does not take its flow control setting");
    }
    return true;
}

void SerialLink::Close() {
    if (fd_ < 0) {
        return;
    }
    tcflush(fd_, TCIOFLUSH);
    // Exclusive mode belongs to the device, not to this descriptor: give it up explicitly
    // (only when it was ours; a refused open must not free another program's claim).
    if (claimed_) {
        ioctl(fd_, TIOCNXCL);
        claimed_ = false;
    }
    close(fd_);
    fd_ = -1;
}

bool SerialLink::Transmit(std::string_view bytes) {
    if (fd_ < 0) {
        lastError_ = "the serial port is not open";
        return false;
    }
    // The caller is the window: it waits no longer than the bytes take on the line (10 bits
    // each) and a little more; a port that has no room by then is full, and that is an error.
    using Clock = std::chrono::steady_clock;
    const auto deadline =
        Clock::now() + std::chrono::milliseconds(
                           kWriteMarginMs + static_cast<int64_t>(bytes.size()) * 10'000 / speed_);
    size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = write(fd_, bytes.data() + sent, bytes.size() - sent);
        if (n > 0) {
            sent += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && errno != EAGAIN) {
            lastError_ = path_ + ": write failed: " + std::strerror(errno);
            return false;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd out{fd_, POLLOUT, 0};
        if (left.count() <= 0 || poll(&out, 1, static_cast<int>(left.count())) == 0) {
            lastError_ = path_ + ": the output is full, " + std::to_string(bytes.size() - sent) +
                         " of " + std::to_string(bytes.size()) + " bytes not sent";
            return false;
        }
    }
    return true;
}

bool SerialLink::Refuse(const std::string& reason) {
    lastError_ = path_.empty() ? reason : path_ + " " + reason;
    Close();
    return false;
}

bool SerialLink::Fail(const std::string& step, int error) {
    lastError_ = step + " " + path_ + ": " + std::strerror(error);
    Close();
    return false;
}

}  // namespace vantrel
