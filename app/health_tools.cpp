#include "app/health_tools.h"

#include <QAction>
#include <chrono>

#include "app/device_health_sources.h"
#include "app/device_health_window.h"
#include "app/main_window.h"
#include "app/sensor_warning_panel.h"
#include "app/timing_self_test_dialog.h"

namespace vantrel {

namespace {

int64_t WallMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

void ShowWindow(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace

void AttachHealthTools(TMainForm& window, Prompter& prompter) {
    auto* health =
        new DeviceHealthWindow([&window] { return ReadDeviceHealth(window); }, WallMs, &window);
    QObject::connect(window.menu.ToolHealth, &QAction::triggered, health,
                     [health] { ShowWindow(health); });
    if (auto* warnings = window.findChild<SensorWarningPanel*>(QStringLiteral("SensorWarning"))) {
        QObject::connect(warnings, &SensorWarningPanel::clicked, health,
                         [health] { ShowWindow(health); });
    }

    TimingSelfTestDialog::Links links;
    links.sensors = &window.Sensors();
    links.setup = [&window] { return window.Setup(); };
    links.sessionRunning = [&window] { return window.SessionRunning(); };
    links.prompter = &prompter;
    auto* selfTest = new TimingSelfTestDialog(std::move(links), &window);
    QObject::connect(window.menu.ToolTimingTest, &QAction::triggered, selfTest, [selfTest] {
        selfTest->open();
        selfTest->StartTest();
    });
}

}  // namespace vantrel
