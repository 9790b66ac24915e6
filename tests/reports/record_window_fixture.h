#pragma once
// A real record window on the offscreen platform over its own standings, with a temporary
// program folder, the scripted operator dialogs and a fake clock.

#include <gtest/gtest.h>

#include <QApplication>
#include <QStatusBar>
#include <memory>

#include "common/ms_clock.h"
#include "common/session_state.h"
#include "lists/entry_table.h"
#include "reports/record_page_control.h"
#include "reports/record_window.h"
#include "reports/standings.h"
#include "sensors/sampler_commands.h"
#include "support/find_named.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace vantrel::test {

class RecordWindowTest : public ::testing::Test {
protected:
    static constexpr TimeStyle kMinutes{TimeFormat::kMinutesSeconds, false};

    // Creates the window (reading the settings file if the test wrote one) and shows it.
    void Open(bool show = true) {
        RecordWindowEnvironment env;
        env.standings = &standings;
        env.entries = &entries;
        env.iniPath = IniPath();
        env.prompter = &prompter;
        env.session = &session;
        env.clock = &clock;
        env.exportFolder = dir.Path();
        env.sessionRunning = [this] { return running; };
        env.activeTab = [this] { return tab; };
        env.sensorKey = [this](SensorInput input, bool down) { sensorKeys.Set(input, down); };
        env.rebuild = [this] {
            ++rebuilds;
            if (onRebuild)
                onRebuild();
        };
        window = std::make_unique<TRecordForm>(env);
        if (show) {
            window->show();
            QApplication::processEvents();
        }
    }
    template <typename T>
    T* Find(const char* name) const {
        return FindNamed<T>(window.get(), name);
    }
    std::filesystem::path IniPath() const { return dir / "Vantrel.ini"; }

    TempDir dir;
    ScriptedPrompter prompter;
    FakeMsClock clock{700000};
    EntryTable entries;
    Standings standings{entries};
    SessionState session;
    KeyLevels sensorKeys;  // the levels the window's sensor keys set
    bool running = false;
    RaceMode tab = RaceMode::kGymkhana;
    int rebuilds = 0;
    std::function<void()> onRebuild;
    std::unique_ptr<TRecordForm> window;
};

}  // namespace vantrel::test
