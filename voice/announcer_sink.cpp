#include "voice/announcer_sink.h"

namespace vantrel {

void AnnouncerSink::ResultBooked(const BookedResult& result, int32_t /*row*/) {
    const ResultAnnouncement& said = result.announcement;
    if (!said.announce || !session_.voiceOn) {
        return;
    }
    sound_.AnnounceTime(said.timeMs, said.overwriteWhenFull ? CSound::RingRule::kOverwriteFreeSlot
                                                            : CSound::RingRule::kDropWhenFull);
}

}  // namespace vantrel
