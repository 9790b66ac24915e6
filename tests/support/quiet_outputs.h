#pragma once
// Stand-ins for what the event reaches outside itself, for core tests that only count: a tick
// that takes commands, a prompter that answers No and counts, a tone sink that remembers.
// Thread rule: the test's thread.

#include <string_view>
#include <vector>

#include "common/prompter_face.h"
#include "modes/tone_sink.h"
#include "sensors/tick_commands.h"

namespace vantrel::test {

struct QuietTicks final : TickCommands {
    int offDelayResets = 0;
    void SetSensorKey(SensorInput, bool) override {}
    void SetDragLineKeys(uint8_t) override {}
    void SetTreeButton(bool) override {}
    void SetProTree(bool) override {}
    void ResetDragRun() override {}
    void ResetOffDelays() override { ++offDelayResets; }
};

struct QuietPrompter final : PrompterFace {
    int asked = 0;
    bool AskYesNo(std::string_view, std::string_view) override { return ++asked, false; }
    void Warn(std::string_view, std::string_view) override { ++asked; }
    void Error(std::string_view, std::string_view) override { ++asked; }
    void Inform(std::string_view, std::string_view) override { ++asked; }
};

struct CountingTones final : ToneSink {
    std::vector<Tone> tones;
    bool Busy() const override { return false; }
    void RequestTone(Tone tone) override { tones.push_back(tone); }
};

}  // namespace vantrel::test
