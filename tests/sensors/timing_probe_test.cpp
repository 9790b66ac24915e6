// The timing probe and its verdict: the verdict rule over random figures, and the real timing
// thread measured with a port whose every read sleeps, which must be judged unable to keep
// time whatever the machine's load.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>

#include "sensors/timing_probe.h"
#include "sensors/timing_verdict.h"

namespace vantrel {
namespace {

bool Mentions(const TimingVerdict& verdict, const std::string& words) {
    for (const std::string& reason : verdict.reasons) {
        if (reason.find(words) != std::string::npos) {
            return true;
        }
    }
    return false;
}

ProbeResult GoodRun(int32_t periodMs) {
    ProbeResult r;
    r.periodMs = periodMs;
    r.total = r.seen = 480;
    r.interval = {static_cast<double>(periodMs), periodMs + 0.2, periodMs + 0.5, periodMs + 1.0};
    r.stamp = {periodMs / 2.0, periodMs + 0.1, periodMs + 0.4, periodMs + 0.9};
    r.hadPort = true;
    r.readCost = {0.01, 0.02, 0.05, 0.3};
    return r;
}

TEST(TimingVerdict, KeepsTimeOnlyWhenEveryLimitHoldsAndNamesEachBrokenOne) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> spread(0.0, 1.0);
    std::uniform_int_distribution<int> period(1, 20);
    for (int i = 0; i < 5000; ++i) {
        const int32_t p = period(random);
        ProbeResult r = GoodRun(p);
        // Each figure lands on either side of its limit about half the time.
        r.stamp.p999 = spread(random) * 2 * (p + kStampSlackMs);
        r.interval.p999 = spread(random) * 2 * p * kIntervalPeriods;
        r.readCost.p99 = spread(random) * 2 * p * kReadShare;
        r.hadPort = spread(random) < 0.5;
        r.seen = r.total - (spread(random) < 0.2 ? 1 + static_cast<int>(spread(random) * 9) : 0);
        r.lost = spread(random) < 0.2 ? 3 : 0;
        r.portFailures = spread(random) < 0.1 ? 2 : 0;
        const bool stampOk = r.stamp.p999 <= p + kStampSlackMs;
        const bool intervalOk = r.interval.p999 <= p * kIntervalPeriods;
        const bool readOk = !r.hadPort || r.readCost.p99 <= p * kReadShare;
        const bool failuresOk = !r.hadPort || r.portFailures == 0;
        const bool expected =
            stampOk && intervalOk && readOk && failuresOk && r.seen == r.total && r.lost == 0;

        const TimingVerdict v = JudgeTiming(r, p);
        ASSERT_EQ(v.keeps, expected) << "case " << i;
        ASSERT_FALSE(v.reasons.empty());
        if (!expected) {
            EXPECT_EQ(Mentions(v, "刻時誤差"), !stampOk);
            EXPECT_EQ(Mentions(v, "ティック間隔"), !intervalOk);
            EXPECT_EQ(Mentions(v, "ポート読み取り ("), !readOk);
            EXPECT_EQ(Mentions(v, "検出できなかった"), r.seen != r.total);
            EXPECT_EQ(Mentions(v, "取りこぼした"), r.lost != 0);
            EXPECT_EQ(Mentions(v, "失敗"), !failuresOk);
        } else {
            EXPECT_TRUE(Mentions(v, "以内"));
            EXPECT_EQ(Mentions(v, "ポート読み取り"), r.hadPort);
        }
        const std::string line = VerdictLine(v, p);
        const std::string head = "このPCは " + std::to_string(p) + " ms の計時を保てます: ";
        ASSERT_EQ(line.rfind(head + (expected ? "はい、理由: " : "いいえ、理由: "), 0), 0u) << line;
    }
}

TEST(TimingVerdict, ReportCarriesTheFiguresThePriorityAndTheVerdict) {
    ProbeResult r = GoodRun(3);
    r.realtime = false;
    const TimingVerdict v = JudgeTiming(r, 3);
    ASSERT_TRUE(v.keeps);
    const std::vector<std::string> lines = TimingReportLines(r, v, "/dev/parport0", 3);
    std::string all;
    for (const std::string& line : lines) {
        all += line + "\n";
    }
    EXPECT_NE(all.find("/dev/parport0"), std::string::npos);
    EXPECT_NE(all.find("ティック間隔 (ms): 50% 3.000"), std::string::npos) << all;
    EXPECT_NE(all.find("ポート読み取り (ms)"), std::string::npos);
    EXPECT_NE(all.find("リアルタイム優先度: 拒否"), std::string::npos);
    EXPECT_EQ(lines.back(), VerdictLine(v, 3));

    r.cancelled = true;
    EXPECT_EQ(TimingReportLines(r, v, "sim", 3).back(), "診断は中止されました");
}

TEST(TimingProbe, PercentilesAndGaps) {
    std::vector<double> v;
    for (int i = 1000; i >= 1; --i) {
        v.push_back(i);
    }
    const TimingPercentiles p = PercentilesOf(v);
    EXPECT_EQ(p.p50, 501);
    EXPECT_EQ(p.p99, 991);
    EXPECT_EQ(p.p999, 1000);
    EXPECT_EQ(p.max, 1000);
    EXPECT_EQ(PercentilesOf({}).max, 0);
    EXPECT_EQ(GapsMs({0, 1'000'000, 4'000'000}, 3), (std::vector<double>{1.0, 3.0}));
    EXPECT_EQ(ProbeEdgesFor(10.0), 480);
}

// A port that takes 15 ms to read: the timing thread cannot tick every 3 ms.
class SleepyPort final : public InputSource {
public:
    ReadRule Rule() const override { return ReadRule::kParallelPort; }
    bool Open() override { return true; }
    bool IsOpen() const override { return true; }
    bool Read(uint32_t, RawSample& out) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
        out = RawSample{};
        return true;
    }
    void WriteLamp(uint8_t) override {}
    void Close() override {}
    std::string LastError() const override { return {}; }
};

TEST(TimingProbe, ATimingThreadThatMissesTicksIsJudgedUnableToKeepTime) {
    SleepyPort port;
    ProbeOptions options;
    options.periodMs = 3;
    options.edgeCount = ProbeEdgesFor(1.0);
    options.port = &port;
    TimingProbe probe(options);
    const ProbeResult r = probe.Run();
    EXPECT_TRUE(probe.Finished());
    EXPECT_FALSE(r.cancelled);
    EXPECT_TRUE(r.hadPort);
    EXPECT_GT(r.reads, 10u);
    // Sleeping is a lower bound on every read and every interval, however loaded the machine.
    EXPECT_GE(r.readCost.p50, 15.0);
    EXPECT_GE(r.interval.p50, 15.0);
    const TimingVerdict v = JudgeTiming(r, 3);
    EXPECT_FALSE(v.keeps);
    EXPECT_TRUE(Mentions(v, "ティック間隔")) << VerdictLine(v, 3);
    EXPECT_TRUE(Mentions(v, "ポート読み取り")) << VerdictLine(v, 3);
    EXPECT_NE(VerdictLine(v, 3).find("いいえ"), std::string::npos);
}

TEST(TimingProbe, EdgesAreNeverStampedBeforeTheyHappenAndACancelEndsTheRun) {
    ProbeOptions options;
    options.periodMs = 1;
    options.edgeCount = ProbeEdgesFor(0.6);
    const ProbeResult r = TimingProbe(options).Run();
    ASSERT_GT(r.seen, 0);
    // The tick is counted in whole ms: a stamp is at most 1 ms before the true edge.
    EXPECT_GE(r.stamp.p50, -1.0);
    EXPECT_FALSE(r.hadPort);
    EXPECT_EQ(r.readCost.max, 0);

    options.edgeCount = ProbeEdgesFor(600.0);
    TimingProbe long_run(options);
    long_run.Start();
    long_run.Cancel();
    EXPECT_TRUE(long_run.Result().cancelled);
    EXPECT_TRUE(long_run.Finished());
    EXPECT_DOUBLE_EQ(long_run.Progress(), 1.0);
}

}  // namespace
}  // namespace vantrel
