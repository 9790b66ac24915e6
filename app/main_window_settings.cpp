// The main window's sections of the settings file: read at first show, written at close.
#include "app/main_window.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QRadioButton>
#include <QScreen>

#include "common/ini_file.h"
#include "lists/entry_panel.h"
#include "lists/list_texts.h"
#include "lists/result_panel.h"
#include "modes/circuit_controller.h"
#include "modes/drag_page.h"
#include "modes/gymkhana_page.h"
#include "reports/record_window.h"
#include "widgets/widget_util.h"

namespace vantrel {

void TMainForm::ReadSettings() {
    windowSettings_ = MainWindowSettings::Load(IniFile(IniPath()));
    const MainWindowSettings& s = windowSettings_;
    std::vector<WindowRect> screens;
    for (const QScreen* each : QGuiApplication::screens()) {
        const QRect area = each->availableGeometry();
        screens.push_back({area.x(), area.y(), area.width(), area.height()});
    }
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        const QRect area = primary->availableGeometry();
        screens.insert(screens.begin(), {area.x(), area.y(), area.width(), area.height()});
    }
    WindowRect stored = s.window;
    stored.width = std::max(stored.width, kMainMinWidth);
    stored.height = std::max(stored.height, kMainMinHeight);
    const WindowRect fitted = FitToScreens(stored, screens);
    resize(std::max(fitted.width, kMainMinWidth), std::max(fitted.height, kMainMinHeight));
    move(fitted.left, fitted.top);

    meet_->Gymkhana().SetPassCounts(s.sensorCountStart, s.sensorCountFinish);
    state_.countingMethod = s.raceMode;
    state_.circuitInput = s.portSelect;
    state_.maskTimeS = s.maskTime;
    state_.proStart = s.proStart;
    circuit_->ShowSettings();
    meet_->Drag().SetProStart(s.proStart);
    Panel1->ShowFileName(ToQ(kNewEntryFileName));
    Panel2->ShowFileName(ToQ(kNewResultFileName));

    record_->PlaceAt(s.recordWindow.left, s.recordWindow.top);
    displayFont_ = QFont(ToQ(s.displayFontName), s.displayFontSize);
    printerFont_ = QFont(ToQ(s.printerFontName), s.printerFontSize);
}

void TMainForm::WriteSettings() {
    IniFile ini(IniPath());
    MainWindowSettings& s = windowSettings_;
    // Stored as restored: the frame's position (move) and the inner size (resize), so the
    // window does not creep by its title bar from one run to the next.
    s.window = {pos().x(), pos().y(), width(), height()};
    s.maskTime = state_.maskTimeS;
    s.raceMode = state_.countingMethod;
    s.portSelect = state_.circuitInput;
    s.sensorCountStart = state_.startPassIndex;
    s.sensorCountFinish = state_.finishPassIndex;
    s.proStart = state_.proStart;
    s.recordWindow = {record_->x(), record_->y(), record_->width(), record_->height()};
    s.displayFontName = FromQ(displayFont_.family());
    s.displayFontSize = displayFont_.pointSize();
    s.printerFontName = FromQ(printerFont_.family());
    s.printerFontSize = printerFont_.pointSize();
    s.Save(ini);
    // A folder the program may not write to loses the settings, never the old file.
    ini.Save();
}

}  // namespace vantrel
