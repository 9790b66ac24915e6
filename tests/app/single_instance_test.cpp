#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QThread>
#include <atomic>
#include <thread>

#include "app/single_instance.h"

namespace vantrel {
namespace {

TEST(SingleInstance, SecondInstanceIsRefusedAndRaisesTheFirst) {
    const QString name = QStringLiteral("VantrelTest%1").arg(QDateTime::currentMSecsSinceEpoch());
    SingleInstance first(name);
    ASSERT_TRUE(first.TryAcquire());
    std::atomic<int> raised{0};
    QObject::connect(&first, &SingleInstance::raiseRequested, [&raised] { ++raised; });

    SingleInstance second(name);
    EXPECT_FALSE(second.TryAcquire());
    // The second instance talks from its own thread, as from its own process.
    std::atomic<bool> answered{false};
    std::thread other([&] { answered = second.NotifyRunning(); });
    QElapsedTimer timer;
    timer.start();
    while (raised == 0 && timer.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    other.join();
    EXPECT_TRUE(answered);
    EXPECT_EQ(raised, 1);
}

TEST(SingleInstance, NoRunningInstanceMeansNobodyAnswers) {
    const QString name = QStringLiteral("VantrelLonely%1").arg(QDateTime::currentMSecsSinceEpoch());
    SingleInstance lonely(name);
    EXPECT_FALSE(lonely.NotifyRunning());
    EXPECT_TRUE(lonely.TryAcquire());
}

}  // namespace
}  // namespace vantrel
