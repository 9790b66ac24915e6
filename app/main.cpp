// Entry point: one instance per user, then the main window.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/messages.h"
#include "app/qt_prompter.h"
#include "app/single_instance.h"
#include "app/ui_language.h"
#include "common/ms_clock.h"
#include "sensors/sensor_command_line.h"
#include "sensors/sensor_hub.h"
#include "sensors/simulation_script.h"

namespace {
const char kInstanceName[] = "Trelcap2000";
}  // namespace

int main(int argc, char** argv) {
    // Sensor options are checked before any window exists, so a bad script fails plainly.
    std::vector<std::string> arguments(argv + 1, argv + argc);
    const vantrel::SensorCommandLine options = vantrel::ParseSensorCommandLine(arguments);
    if (!options.error.empty()) {
        std::fprintf(stderr, "vantrel: %s\n", options.error.c_str());
        return 2;
    }
    std::optional<vantrel::SimulationScript> script;
    if (options.script) {
        vantrel::ScriptParseResult loaded = vantrel::LoadSimulationScript(*options.script);
        if (!loaded.ok) {
            std::fprintf(stderr, "vantrel: %s\n", loaded.error.c_str());
            return 2;
        }
        script = std::move(loaded.script);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantrel"));
    QApplication::setApplicationDisplayName(QString::fromUtf8(vantrel::msg::kTitle));
    vantrel::SubstituteJapaneseFonts();
    vantrel::InstallQtJapanese();
    vantrel::UseJapaneseSystemMessages();
    vantrel::QtPrompter prompter;

    vantrel::SingleInstance instance(QString::fromLatin1(kInstanceName));
    if (!instance.TryAcquire()) {
        prompter.Message(nullptr, QString::fromUtf8(vantrel::msg::k130),
                         QString::fromUtf8(vantrel::msg::kTitle));
        instance.NotifyRunning();
        return 0;
    }

    vantrel::MonotonicMsClock clock;
    vantrel::MainWindowEnvironment env;
    env.programDir = QApplication::applicationDirPath().toStdString();
    env.prompter = &prompter;
    env.clock = &clock;
    vantrel::TMainForm window(env);
    if (script) {
        window.sensors().UseScript(std::move(*script));
    }
    if (options.record) {
        window.sensors().RecordSessionsTo(*options.record);
    }
    QObject::connect(&instance, &vantrel::SingleInstance::RaiseRequested, &window, [&window] {
        window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        window.show();
        window.raise();
        window.activateWindow();
    });
    // Closing the main window ends the program even while the record or help window is open.
    QObject::connect(&window, &vantrel::TMainForm::Closed, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    window.show();
    return app.exec();
}
