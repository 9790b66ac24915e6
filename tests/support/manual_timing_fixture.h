#pragma once
// A main window whose sampler is ticked by hand on the fake clock, driven by the timing keys.

#include <QKeyEvent>
#include <QTableView>
#include <string>

#include "common/text_file.h"
#include "sensors/sensor_hub.h"
#include "support/main_window_fixture.h"

namespace vantrel::test {

class ManualTimingTest : public MainWindowTest {
protected:
    // Writes `setup` as the [Setup] section, opens the window and takes the ticks in hand.
    void Open(const std::string& setup) {
        WriteBytes(IniPath(), "[Setup]\r\n" + setup);
        OpenWindow();
        window->Sensors().SetManualTicks(true);
    }
    void Key(int key, bool down, Qt::KeyboardModifiers mods = {}) {
        QKeyEvent event(down ? QEvent::KeyPress : QEvent::KeyRelease, key, mods);
        QApplication::sendEvent(Find<QTableView>("StringGrid1"), &event);
    }
    void PressAltS() { Key(Qt::Key_S, true, Qt::AltModifier); }
    // Runs the sampler for `ms` of simulated time, one tick per poll period.
    void Run(uint32_t ms, uint32_t period = 3) {
        for (uint32_t t = 0; t < ms; t += period) {
            clock.Advance(period);
            window->Sensors().TickNow();
        }
    }
    // Holds a timing key for 60 ms; returns the tick at which it went down.
    uint32_t Pass(int key) {
        const uint32_t down = clock.MsTick();
        Key(key, true);
        Run(60);
        Key(key, false);
        Run(30);
        return down;
    }
};

// As ManualTimingTest, with the temporary program folder as the working folder (where the
// sensor log is written and the voice pack looked for).
class WorkingFolderTest : public ManualTimingTest {
protected:
    void SetUp() override {
        oldFolder_ = std::filesystem::current_path();
        std::filesystem::current_path(dir.Path());
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        std::filesystem::current_path(oldFolder_);
    }

private:
    std::filesystem::path oldFolder_;
};

}  // namespace vantrel::test
