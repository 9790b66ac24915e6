#pragma once
// A real main window on the offscreen platform with a temporary program folder, the
// scripted operator dialogs and a fake clock.

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>
#include <optional>

#include "app/main_window.h"
#include "common/ms_clock.h"
#include "sensors/sensor_hub.h"
#include "support/find_named.h"
#include "support/recording_audio.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace vantrel::test {

class MainWindowTest : public ::testing::Test {
protected:
    // Creates and shows the window (first show reads the settings file if the test wrote one).
    void OpenWindow() {
        MainWindowEnvironment env{dir.Path(), &prompter, &clock, &audio};
        env.journalFolder = journalFolder;
        window = std::make_unique<TMainForm>(env);
        if (manualTicks) {
            window->Sensors().SetManualTicks(true);
        }
        window->show();
        QApplication::processEvents();
        // Without a parallel port the first show reports the port that failed to open.
        firstShowCalls = prompter.Calls();
        prompter.ClearCalls();
    }
    void TearDown() override {
        if (window) {
            window->State().entryModified = false;
            window->State().resultModified = false;
            window.reset();
        }
    }
    template <typename T>
    T* Find(const char* name) const {
        return FindNamed<T>(window.get(), name);
    }
    std::filesystem::path IniPath() const { return dir / "Vantrel.ini"; }

    TempDir dir;
    ScriptedPrompter prompter;
    FakeMsClock clock{500000};
    RecordingAudio audio;
    std::unique_ptr<TMainForm> window;
    std::vector<PromptCall> firstShowCalls;
    // Set before OpenWindow: where the window keeps its journal (none: no journal), and
    // whether the sampler is ticked by hand from the start (a restored session starts at once).
    std::optional<std::filesystem::path> journalFolder;
    bool manualTicks = false;
};

}  // namespace vantrel::test
