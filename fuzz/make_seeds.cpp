// Writes the first inputs of the fuzz targets into the folder given: a journal of a short
// gymkhana session (as a file and in the journal target's framed form), a settings file and
// scripts with large times.
// Usage: vantrel_fuzz_seeds <folder>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/text_file.h"
#include "journal/journal_content.h"
#include "journal/journal_record.h"

using namespace vantrel;

namespace {

struct Seed {
    JournalType type;
    std::vector<uint8_t> payload;
};

JournalCheckpoint Checkpoint() {
    JournalCheckpoint point;
    point.entries = {{"山田", "AE86"}, {"Sato", "S2000"}, {"", ""}};
    point.laps = {"1", "", ""};
    point.resultRows = {{"1", "山田", "AE86", "", "01:02.345", "DNF", "00:20.000", "", "1"}};
    point.runCount = {0, 1, 0};
    point.firstPassTime = {0, 5000};
    point.lastPassTime = {0, 65000};
    point.files = {"/home/timer", "NewEntry.txt", "/home/timer", "NewResult.csv", false, true};
    return point;
}

ListStep Booking() {
    ListStep step;
    step.kind = StepKind::kBooking;
    step.changes.push_back(
        RowsChange{true, 2, {{"2", "Sato", "S2000", "5", "00:59.870", "", "", "", "1"}}});
    step.changes.push_back(CellChange{ListKind::kEntry, 2, EntryTable::kLap, "", "1"});
    step.counters.push_back({CounterKind::kRunCount, 2, 0, 1});
    return step;
}

std::vector<Seed> Session() {
    ListStep edit;
    edit.changes.push_back(CellChange{ListKind::kResult, 1, 5, "", "DNF"});
    JournalCourse course;
    course.cars.push_back({1, 3, 120000, 0, 0, 0});
    JournalStarters starters;
    starters.queue = {3, 0, 0, 0};
    return {
        {JournalType::kCheckpoint, EncodeCheckpoint(Checkpoint())},
        {JournalType::kHistory, EncodeHistoryStep(edit, false)},
        {JournalType::kHistory, EncodeHistoryStep(Booking(), true)},
        {JournalType::kDrag, EncodeDrag({"12", 7})},
        {JournalType::kMode, EncodeMode({RaceMode::kGymkhana, 0})},
        {JournalType::kSessionStart,
         EncodeSession({RaceMode::kGymkhana, 0, 100000, "0b5c6a52-boot"})},
        {JournalType::kStarters, EncodeStarters(starters)},
        {JournalType::kCourse, EncodeCourse(course)},
        {JournalType::kBooking, EncodeBooking({Booking(), {}})},
        {JournalType::kStep, EncodeStep(edit)},
        {JournalType::kUndo, {}},
        {JournalType::kRedo, {}},
        {JournalType::kFiles, EncodeFiles(Checkpoint().files)},
        {JournalType::kSessionStop, {}},
        {JournalType::kProgramEnd, {}},
    };
}

void Write(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void WriteJournals(const std::filesystem::path& folder) {
    std::vector<uint8_t> file = EncodeJournalHeader();
    std::vector<uint8_t> framed;
    uint64_t seq = 0;
    for (const Seed& seed : Session()) {
        AppendEncodedRecord(file,
                            {++seq, static_cast<uint16_t>(seed.type), 1733700000000, seed.payload});
        framed.push_back(static_cast<uint8_t>(seed.type));
        framed.push_back(static_cast<uint8_t>(seed.payload.size()));
        framed.push_back(static_cast<uint8_t>(seed.payload.size() >> 8));
        framed.insert(framed.end(), seed.payload.begin(), seed.payload.end());
    }
    Write(folder / "journal" / "session.vtj", file);
    Write(folder / "journal" / "session.framed", framed);
}

void WriteSettings(const std::filesystem::path& folder) {
    const std::string text = EncodeCp932Lines({"[Window]",
                                               "Top=10",
                                               "Left=-20",
                                               "Height=600",
                                               "Width=800",
                                               "MaskTime=20",
                                               "RaceMode=1",
                                               "PortSelect=0",
                                               "[SensorCount]",
                                               "Start=2",
                                               "Finish=0",
                                               "[Output]",
                                               "Mask=4",
                                               "[Drag]",
                                               "ProStart=1",
                                               "[InitialDir]",
                                               "EntryList=/home/timer",
                                               "[RecordWindow]",
                                               "Top=100",
                                               "Left=1900",
                                               "Height=400",
                                               "Width=500",
                                               "FontColor=65535",
                                               "BGColor=0",
                                               "AutoUpdate=1",
                                               "[DspFont]",
                                               "Name=ＭＳ ゴシック",
                                               "Size=11",
                                               "[PrnFont]",
                                               "Name=\"IPAGothic\"",
                                               "Size=9",
                                               "[Printer]",
                                               "TopMargin=15",
                                               "[Setup]",
                                               "IoAddress=USB",
                                               "Resolution=3",
                                               "Delay=5000",
                                               "StartPin=3",
                                               "FinishPin=0",
                                               "SplitPin1=2",
                                               "SplitPin2=5",
                                               "Invert=0",
                                               "TimeFormat=0",
                                               "TimeOut=65",
                                               "Logfile=1",
                                               "CommPort=/dev/ttyUSB0",
                                               "BaudRate= 9600",
                                               "ReadDelay=3",
                                               "BeepOn=0",
                                               "Distance=4m",
                                               "; a comment"});
    Write(folder / "ini_file" / "Vantrel.ini", std::vector<uint8_t>(text.begin(), text.end()));
}

// Scripts near the largest time a script can hold.
void WriteScripts(const std::filesystem::path& folder) {
    const std::string pins = "2147483647 pin13 active\n+2147483000 pin13 idle\n+600 d7 active\n";
    const std::string codes = "2147483647 1 2\n+2147483000 0x3C\n+600 :\n";
    Write(folder / "script" / "large_pins.txt", std::vector<uint8_t>(pins.begin(), pins.end()));
    Write(folder / "script" / "large_codes.txt", std::vector<uint8_t>(codes.begin(), codes.end()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    WriteJournals(argv[1]);
    WriteSettings(argv[1]);
    WriteScripts(argv[1]);
    return 0;
}
