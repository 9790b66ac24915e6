// The main window's side of the announcer: "読み上げ", the voice pack at session start, the
// tones of the start and finish sensors, the announcer as an output of every booking, and
// what the announcer thread asks of the window (the simple beep, a dropped sound device).
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <filesystem>

#include "app/clock_panel.h"
#include "app/main_window.h"
#include "app/sensor_warning_panel.h"
#include "common/messages.h"
#include "lists/result_list_commands.h"
#include "lists/result_list_controller.h"
#include "modes/gymkhana_page.h"
#include "voice/alsa_audio_out.h"
#include "voice/announcer.h"
#include "voice/announcer_sink.h"
#include "voice/builtin_samples.h"
#include "voice/voice_pack.h"
#include "widgets/prompter.h"
#include "widgets/ui_tr.h"
#include "widgets/widget_util.h"

namespace vantrel {

void TMainForm::BuildVoice() {
    audio_ = env_.audio;
    if (audio_ == nullptr) {
        ownAudio_ = std::make_unique<AlsaAudioOut>("default", [] { QApplication::beep(); });
        audio_ = ownAudio_.get();
    }
    builtInSamples_ = std::make_unique<BuiltInSamples>();
    // Both come from the announcer thread and are taken on the GUI thread.
    AnnouncerHooks hooks;
    hooks.beep = [this] {
        QMetaObject::invokeMethod(
            this, [this] { audio_->Beep(); }, Qt::QueuedConnection);
    };
    hooks.deviceDropped = [this](const std::string& reason) {
        QMetaObject::invokeMethod(
            this,
            [this, reason] {
                sensorWarnings_->Set(SensorWarning::kSound, Tr(msg::kWarnSoundDropped),
                                     ToQ(reason));
            },
            Qt::QueuedConnection);
    };
    sound_ = std::make_unique<CSound>(*audio_, *builtInSamples_, std::move(hooks));
    sound_->StartThread();
    announcerSink_ = std::make_unique<AnnouncerSink>(*sound_, state_);
    // The state follows every change of the box, the program's own included; the click
    // handler then asks for a sound device.
    state_.voiceOn = Panel5->CheckBox1->isChecked();
    connect(Panel5->CheckBox1, &QCheckBox::toggled, this,
            [this](bool checked) { state_.voiceOn = checked; });
    connect(Panel5->CheckBox1, &QCheckBox::clicked, this, &TMainForm::CheckBox1Click);
}

void TMainForm::CheckBox1Click(bool checked) {
    if (!checked) {
        sound_->SetVoiceOn(false);
        return;
    }
    // The device is asked for now, not when the program started.
    if (audio_->DeviceCount() > 0) {
        sound_->SetVoiceOn(true);
    } else {
        env_.prompter->Error(this, Tr(msg::k132), Tr(msg::kTitle));
    }
}

void TMainForm::TakeVoicePack() {
    const std::optional<std::filesystem::path> found =
        FindVoicePack(std::filesystem::current_path());
    if (found) {
        SetStatusText(1, ToQ(found->filename().string()));
        // Read by the announcer thread; a pack that cannot be read leaves the built-in samples
        // in use, its name shown.
        sound_->UsePackFile(*found);
    } else {
        SetStatusText(1, QCoreApplication::translate("TMainForm", "Default voice"));
        sound_->UseBuiltIn();
    }
}

void TMainForm::DropVoicePack() {
    sound_->Pause();  // bounded; the announcer keeps its own share of a pack still in play
    sound_->UseBuiltIn();
    SetStatusText(1, QString());
}

bool TMainForm::Busy() const {
    return sound_ == nullptr || !sound_->RingEmpty();
}

void TMainForm::RequestTone(Tone tone) {
    if (sound_ == nullptr) {
        return;
    }
    if (tone == Tone::kHigh) {
        sound_->RequestHiTone();
    } else {
        sound_->RequestLoTone();
    }
}

}  // namespace vantrel
