// The shipped drag demo played through the sampler and the light tree as a session would.

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "common/ms_clock.h"
#include "modes/drag_tree.h"
#include "sensors/sampler.h"
#include "sensors/script_source.h"

namespace vantrel {
namespace {

TEST(DragDemoTest, ShippedDemoGivesACleanRunAFalseStartAndARunWithoutSpeedTrap) {
    const auto parsed = LoadSimulationScript(std::filesystem::path(VANTREL_SOURCE_DIR) /
                                             "sensors/demo/drag_demo.txt");
    ASSERT_TRUE(parsed.ok) << parsed.error;
    ScriptSource script(parsed.script);
    script.Open();
    FakeMsClock clock;
    SensorEventQueue queue;
    DragTree tree;
    Sampler sampler(clock, queue);
    SamplerConfig config;  // default OFF delay (5000 ms), Stock start
    config.source = &script;
    config.dragHook = &tree;
    sampler.Configure(config);
    sampler.SetActiveMode(RaceMode::kDrag);
    sampler.Prime();

    std::vector<SensorEvent> finishes;
    for (int t = 0; t < 70000 && !script.Finished(); t += 3) {
        clock.Advance(3);
        sampler.Tick();
        SensorEvent e;
        while (queue.Pop(e)) {
            if (e.kind == SensorEventKind::kDragFinish) {
                finishes.push_back(e);
            }
        }
    }
    EXPECT_TRUE(script.Finished());
    ASSERT_EQ(finishes.size(), 3u);
    EXPECT_EQ(finishes[0].drag.setLines, 0xFF);
    const DragLineTimes& falseStart = finishes[1].drag;
    EXPECT_EQ(falseStart.greenDelayMs, kStockGreenDelayMs);
    EXPECT_LT(falseStart.times[1] - falseStart.times[0], falseStart.greenDelayMs);
    EXPECT_TRUE(finishes[2].drag.IsSet(1));
    EXPECT_FALSE(finishes[2].drag.IsSet(6));
}

}  // namespace
}  // namespace vantrel
