// SerialLink on a pseudo-terminal: the line settings as read back from the device, exclusive
// use, refusal of what is no serial port, and transmit.

#include "sensors/serial_link.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "sensors/pty_pair.h"
#include "sensors/serial_settings.h"
#include "support/temp_dir.h"

namespace vantrel {
namespace {

TEST(SerialLinkTest, OpenSetsRawEightBitsKeepingParityAndStopBits) {
    test::PtyPair pty;
    ASSERT_FALSE(pty.path.empty());
    termios before{};
    ASSERT_EQ(tcgetattr(pty.slave, &before), 0);
    before.c_cflag = (before.c_cflag & ~CSIZE) | CS7 | PARENB | PARODD | CSTOPB;
    before.c_iflag |= IXON | IXOFF | ICRNL | INPCK | ISTRIP;
    before.c_lflag |= ICANON | ECHO | ISIG | IEXTEN;
    before.c_oflag |= OPOST;
    cfsetspeed(&before, B38400);
    ASSERT_EQ(tcsetattr(pty.slave, TCSANOW, &before), 0);
    // A pseudo-terminal forces 8 bits without parity itself; odd parity and two stop bits it
    // keeps, so those show whether the link leaves the framing alone.
    termios kept{};
    ASSERT_EQ(tcgetattr(pty.slave, &kept), 0);
    const tcflag_t framing = kept.c_cflag & (PARENB | PARODD | CSTOPB);
    ASSERT_EQ(framing & (PARODD | CSTOPB), static_cast<tcflag_t>(PARODD | CSTOPB));

    SerialLink link;
    ASSERT_TRUE(link.Open(pty.path, 1200)) << link.LastError();
    EXPECT_TRUE(link.IsOpen());
    termios now{};
    ASSERT_EQ(tcgetattr(link.Fd(), &now), 0);
    EXPECT_EQ(cfgetispeed(&now), static_cast<speed_t>(B9600));
    EXPECT_EQ(cfgetospeed(&now), static_cast<speed_t>(B9600));
    EXPECT_EQ(now.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(now.c_cflag & (PARENB | PARODD | CSTOPB), framing);
    EXPECT_EQ(now.c_iflag & (IXON | IXOFF | IXANY | ICRNL | INPCK | ISTRIP | PARMRK | IGNBRK), 0u);
    EXPECT_EQ(now.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(now.c_oflag & OPOST, 0u);
    EXPECT_EQ(now.c_cc[VMIN], 0);
    EXPECT_EQ(now.c_cc[VTIME], 0);
    link.Close();
    link.Close();  // safe twice
    EXPECT_FALSE(link.IsOpen());

    ASSERT_TRUE(link.Open(pty.path, 19200)) << link.LastError();
    ASSERT_EQ(tcgetattr(link.Fd(), &now), 0);
    EXPECT_EQ(cfgetospeed(&now), static_cast<speed_t>(B19200));
}

TEST(SerialLinkTest, PortHeldByAnotherIsRefusedUntilReleased) {
    test::PtyPair pty;
    SerialLink first;
    SerialLink second;
    ASSERT_TRUE(first.Open(pty.path, 9600)) << first.LastError();
    EXPECT_FALSE(second.Open(pty.path, 9600));
    EXPECT_EQ(second.LastError(), pty.path + " is in use by another program");
    EXPECT_FALSE(second.IsOpen());
    EXPECT_TRUE(first.IsOpen());  // the refused open took nothing from the holder
    first.Close();
    EXPECT_TRUE(second.Open(pty.path, 9600)) << second.LastError();
}

// A program killed while it held a bridged receiver's pseudo-terminal leaves the terminal in
// exclusive mode (the bridge keeps it alive); the program started after the crash opens it.
TEST(SerialLinkTest, APseudoTerminalLeftExclusiveByAKilledHolderOpensAgain) {
    test::PtyPair pty;
    const int crashed = open(pty.path.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(crashed, 0);
    ASSERT_EQ(ioctl(crashed, TIOCEXCL), 0);
    close(crashed);  // as the kernel closes it for a killed program: exclusive mode stays
    SerialLink link;
    EXPECT_TRUE(link.Open(pty.path, 9600)) << link.LastError();
    SerialLink second;
    EXPECT_FALSE(second.Open(pty.path, 9600)) << "the lock still keeps a second holder out";
}

TEST(SerialLinkTest, WhatIsNoSerialPortIsRefusedWithAClearReason) {
    const test::TempDir dir;
    const std::string file = (dir.Path() / "port.txt").string();
    FILE* made = std::fopen(file.c_str(), "w");
    ASSERT_NE(made, nullptr);
    std::fclose(made);
    SerialLink link;
    EXPECT_FALSE(link.Open(file, 9600));
    EXPECT_EQ(link.LastError(), file + " is a file, not a serial port");
    EXPECT_FALSE(link.Open(dir.Path().string(), 9600));
    EXPECT_EQ(link.LastError(), dir.Path().string() + " is a folder, not a serial port");
    EXPECT_FALSE(link.Open(file + ".missing", 9600));
    EXPECT_EQ(link.LastError(), "cannot find " + file + ".missing: No such file or directory");
    EXPECT_FALSE(link.Open("/dev/null", 9600));
    EXPECT_EQ(link.LastError(), "/dev/null is not a serial port");
    EXPECT_FALSE(link.Open("None", 9600));
    EXPECT_EQ(link.LastError(), "no serial port is chosen");
    EXPECT_FALSE(link.IsOpen());
    EXPECT_EQ(link.Fd(), -1);
}

TEST(SerialLinkTest, TransmitSendsExactlyTheBytes) {
    test::PtyPair pty;
    SerialLink link;
    EXPECT_FALSE(link.Transmit("x"));
    EXPECT_EQ(link.LastError(), "the serial port is not open");
    ASSERT_TRUE(link.Open(pty.path, 9600)) << link.LastError();
    const std::string text = "01:23.456\r";
    ASSERT_TRUE(link.Transmit(text)) << link.LastError();
    EXPECT_EQ(pty.Read(text.size()), text);  // no CR LF translation, nothing before or after
    const std::string large(20000, '\x37');
    std::string got;
    std::thread receiver([&] { got = pty.Read(large.size()); });
    EXPECT_TRUE(link.Transmit(large)) << link.LastError();
    receiver.join();
    EXPECT_EQ(got, large);
}

// Whatever flow control the port had, the link turns it off, hardware handshake included: a
// receiver that never raises CTS must not hold the results back.
TEST(SerialLinkTest, FlowControlIsOffWhateverThePortHad) {
    const SerialLineSettings line = ReceiverLineSettings(1200);
    EXPECT_EQ(line.speed, 9600);
    EXPECT_EQ(line.dataBits, 8);
    EXPECT_FALSE(line.softwareFlowControl);
    EXPECT_FALSE(line.hardwareFlowControl);

    test::PtyPair pty;
    ASSERT_FALSE(pty.path.empty());
    termios before{};
    ASSERT_EQ(tcgetattr(pty.slave, &before), 0);
    before.c_cflag |= CRTSCTS;
    before.c_iflag |= IXON | IXOFF | IXANY;
    ASSERT_EQ(tcsetattr(pty.slave, TCSANOW, &before), 0);
    ASSERT_EQ(tcgetattr(pty.slave, &before), 0);
    ASSERT_NE(before.c_cflag & CRTSCTS, 0u) << "the pseudo-terminal keeps the handshake";

    SerialLink link;
    ASSERT_TRUE(link.Open(pty.path, 9600)) << link.LastError();
    termios now{};
    ASSERT_EQ(tcgetattr(link.Fd(), &now), 0);
    EXPECT_EQ(now.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(now.c_iflag & (IXON | IXOFF | IXANY), 0u);
}

// A receiver that takes nothing: writes never block, and once the port's output is full a
// write is an error that says so; when the other end reads again, writes go out again.
TEST(SerialLinkTest, AFullPortIsAWriteErrorAndWritesGoOnOnceItDrains) {
    test::PtyPair pty;
    SerialLink link;
    ASSERT_TRUE(link.Open(pty.path, 38400)) << link.LastError();
    const std::string chunk(512, '\x35');
    size_t accepted = 0;
    bool full = false;
    for (int i = 0; i < 20000 && !full; ++i) {
        full = !link.Transmit(chunk);
        accepted += full ? 0 : chunk.size();
    }
    ASSERT_TRUE(full) << "a pseudo-terminal holds a bounded amount";
    EXPECT_NE(link.LastError().find("the output is full"), std::string::npos) << link.LastError();
    EXPECT_TRUE(link.IsOpen());
    std::thread receiver([&] { pty.Read(accepted, 2000); });
    const std::string text = "01:23.456\r";
    bool sent = false;
    for (int i = 0; i < 100 && !sent; ++i) {
        sent = link.Transmit(text);
    }
    receiver.join();
    EXPECT_TRUE(sent) << link.LastError();
}

}  // namespace
}  // namespace vantrel
