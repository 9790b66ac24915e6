// Entry point: one instance per user, then the main window.
#include <QApplication>
#include <QTimer>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/sensor_options.h"
#include "app/single_instance.h"
#include "app/ui_language.h"
#include "common/messages.h"
#include "common/ms_clock.h"
#include "common/program_places.h"
#include "common/setup_settings.h"
#include "journal/journal_content.h"
#include "journal/journal_place.h"
#include "journal/list_journal_dump.h"
#include "sensors/receiver_hub.h"
#include "widgets/qt_prompter.h"
#include "widgets/ui_tr.h"

namespace {
const char kInstanceName[] = "Trelcap2000";

// `--journal-dump FILE` prints a journal as text for an inquiry after the event and ends the
// program; nullopt when the option is not given.
std::optional<int> DumpJournalOption(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--journal-dump") != 0) {
            continue;
        }
        if (i + 1 >= argc) {
            std::cerr << "--journal-dump needs the journal file\n";
            return 2;
        }
        return vantrel::DumpListJournal(argv[i + 1], std::cout);
    }
    return std::nullopt;
}
}  // namespace

int main(int argc, char** argv) {
    if (std::optional<int> dumped = DumpJournalOption(argc, argv)) {
        return *dumped;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantrel"));
    const std::filesystem::path programDir = QApplication::applicationDirPath().toStdString();
    const std::filesystem::path settingsDir =
        vantrel::SettingsFolder(vantrel::CurrentSettingsPlaces(programDir));
    const vantrel::UiLanguage language =
        vantrel::SetupSettings::Load(vantrel::IniFile(settingsDir / "Vantrel.ini")).language;
    vantrel::InstallLanguage(language);
    if (vantrel::EffectiveLanguage(language) == vantrel::UiLanguage::kJapanese) {
        vantrel::UseJapaneseSystemMessages();
    }
    QApplication::setApplicationDisplayName(vantrel::Tr(vantrel::msg::kTitle));
    vantrel::SubstituteJapaneseFonts();
    vantrel::QtPrompter prompter;

    vantrel::SingleInstance instance(QString::fromLatin1(kInstanceName));
    if (!instance.TryAcquire()) {
        prompter.Message(nullptr, vantrel::Tr(vantrel::msg::k130),
                         vantrel::Tr(vantrel::msg::kTitle));
        instance.NotifyRunning();
        return 0;
    }

    vantrel::MonotonicMsClock clock;
    vantrel::MainWindowEnvironment env;
    env.programDir = settingsDir;
    env.journalFolder = vantrel::JournalFolder(env.programDir, env.programDir == programDir);
    env.prompter = &prompter;
    env.clock = &clock;
    vantrel::TMainForm window(env);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    vantrel::ApplySensorOptions(arguments, window.Sensors(), prompter, &window,
                                vantrel::InstalledDataDir(programDir) / "demo");
    QString receiverError;
    if (!vantrel::ApplyReceiverOptions(arguments, window.Receiver(), &receiverError)) {
        prompter.Error(&window, receiverError, vantrel::Tr(vantrel::msg::kTitle));
    }
    QObject::connect(&instance, &vantrel::SingleInstance::raiseRequested, &window, [&window] {
        window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        window.show();
        window.raise();
        window.activateWindow();
    });
    // Closing the main window ends the program even while the record or help window is open.
    QObject::connect(&window, &vantrel::TMainForm::closed, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    window.show();
    return app.exec();
}
