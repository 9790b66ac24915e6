#pragma once
// What the window benchmarks share: a real main window with a temporary program folder
// without ports, the scripted operator dialogs, a fake clock and named cars, and the calling
// thread's CPU time.

#include <QApplication>
#include <ctime>
#include <memory>
#include <string>

#include "app/main_window.h"
#include "common/ms_clock.h"
#include "lists/entry_table.h"
#include "support/recording_audio.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace vantrel::bench {

// CPU milliseconds the calling thread has used.
inline double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// The window, shown, with cars 1..`cars` named "山田 太郎<car>".
struct BenchWindow {
    explicit BenchWindow(int cars) {
        test::WriteBytes(dir.Path() / "Vantrel.ini",
                         "[Setup]\r\nIoAddress=None\r\nCommPort=None\r\n");
        window = std::make_unique<TMainForm>(
            MainWindowEnvironment{dir.Path(), &prompter, &clock, &audio});
        window->show();
        QApplication::processEvents();
        for (int car = 1; car <= cars; ++car) {
            window->Entries().SetCell(EntryTable::kName, car, "山田 太郎" + std::to_string(car));
        }
    }
    ~BenchWindow() {
        window->State().entryModified = false;
        window->State().resultModified = false;
    }

    test::TempDir dir;
    test::ScriptedPrompter prompter;
    FakeMsClock clock{500'000};
    test::RecordingAudio audio;
    std::unique_ptr<TMainForm> window;
};

}  // namespace vantrel::bench
