#include "voice/voice_pack.h"

#include <algorithm>
#include <fstream>
#include <string_view>

#include "voice/wave_file.h"

namespace vantrel {

namespace {
constexpr uintmax_t kMaxPackBytes = 64u << 20;
constexpr uint32_t kSectionDynSym = 11;
constexpr uint32_t kSectionNoBits = 8;
constexpr uint16_t kFirstReservedIndex = 0xFF00;

constexpr uint64_t kSymbolSize = 24;
// A symbol table's entries may be padded, but not beyond this.
constexpr uint64_t kMaxSymbolEntrySize = 256;

// Bounds-checked little-endian reads over the file: whatever offset or size the file claims,
// nothing outside its bytes is read (a read that would reach outside gives 0 or nothing).
class Bytes {
public:
    explicit Bytes(std::span<const uint8_t> all) : all_(all) {}
    bool Has(uint64_t at, uint64_t length) const {
        return at <= all_.size() && length <= all_.size() - at;
    }
    uint64_t Get(uint64_t at, int size) const {
        if (!Has(at, static_cast<uint64_t>(size))) {
            return 0;
        }
        uint64_t value = 0;
        for (int i = size - 1; i >= 0; --i) {
            value = value << 8 | all_[at + static_cast<uint64_t>(i)];
        }
        return value;
    }
    std::span<const uint8_t> Slice(uint64_t at, uint64_t length) const {
        return Has(at, length) ? all_.subspan(at, length) : std::span<const uint8_t>();
    }

private:
    std::span<const uint8_t> all_;
};

struct Section {
    uint32_t type = 0;
    uint64_t address = 0;
    uint64_t offset = 0;
    uint64_t size = 0;
    uint32_t link = 0;
    uint64_t entrySize = 0;
};

std::vector<Section> ReadSections(const Bytes& b) {
    const uint64_t table = b.Get(0x28, 8);
    const uint64_t entrySize = b.Get(0x3A, 2);
    const uint64_t count = b.Get(0x3C, 2);
    std::vector<Section> sections;
    if (entrySize < 64 || !b.Has(table, entrySize * count)) {
        return sections;
    }
    for (uint64_t i = 0; i < count; ++i) {
        const uint64_t at = table + i * entrySize;
        sections.push_back({static_cast<uint32_t>(b.Get(at + 4, 4)), b.Get(at + 0x10, 8),
                            b.Get(at + 0x18, 8), b.Get(at + 0x20, 8),
                            static_cast<uint32_t>(b.Get(at + 0x28, 4)), b.Get(at + 0x38, 8)});
    }
    return sections;
}

// The symbol's name, or "" when it does not lie wholly inside the string table.
std::string_view SymbolName(const Bytes& b, const Section& strings, uint64_t nameOffset) {
    if (nameOffset >= strings.size || !b.Has(strings.offset, strings.size)) {
        return {};
    }
    const std::span<const uint8_t> rest =
        b.Slice(strings.offset + nameOffset, strings.size - nameOffset);
    const auto end = std::find(rest.begin(), rest.end(), uint8_t{0});
    if (end == rest.end()) {
        return {};
    }
    return {reinterpret_cast<const char*>(rest.data()), static_cast<size_t>(end - rest.begin())};
}

// The bytes a symbol's value and size cover in the file, if they lie inside its section.
std::span<const uint8_t> SymbolBytes(const Bytes& b, const std::vector<Section>& sections,
                                     uint16_t index, uint64_t value, uint64_t size) {
    if (index == 0 || index >= kFirstReservedIndex || index >= sections.size()) {
        return {};
    }
    const Section& s = sections[index];
    if (s.type == kSectionNoBits || !b.Has(s.offset, s.size) || value < s.address ||
        value - s.address > s.size || size > s.size - (value - s.address)) {
        return {};
    }
    return b.Slice(s.offset + (value - s.address), size);
}

// The dynamic symbol table, if its entries are whole symbols lying inside the file.
const Section* SymbolTable(const Bytes& b, const std::vector<Section>& sections) {
    const auto dynsym = std::find_if(sections.begin(), sections.end(),
                                     [](const Section& s) { return s.type == kSectionDynSym; });
    if (dynsym == sections.end() || dynsym->link >= sections.size() ||
        dynsym->entrySize < kSymbolSize || dynsym->entrySize > kMaxSymbolEntrySize ||
        !b.Has(dynsym->offset, dynsym->size)) {
        return nullptr;
    }
    return &*dynsym;
}

std::optional<int32_t> SampleIndex(std::string_view name) {
    for (int32_t i = 0; i < kSampleCount; ++i) {
        if (SampleNameText(static_cast<SampleName>(i)) == name) {
            return i;
        }
    }
    return std::nullopt;
}

bool ReadWholeFile(const std::filesystem::path& file, std::vector<uint8_t>& out,
                   std::string* error) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        *error = "not a file";
        return false;
    }
    const uintmax_t size = std::filesystem::file_size(file, ec);
    if (ec || size > kMaxPackBytes) {
        *error = ec ? ec.message() : "too large";
        return false;
    }
    std::ifstream in(file, std::ios::binary);
    out.resize(size);
    if (!in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(size))) {
        *error = "cannot be read";
        return false;
    }
    return true;
}
}  // namespace

std::optional<VoicePack> VoicePack::Read(const std::filesystem::path& file, std::string* error) {
    std::string ignored;
    error = error ? error : &ignored;
    VoicePack pack;
    if (!ReadWholeFile(file, pack.bytes_, error)) {
        return std::nullopt;
    }
    const Bytes b(pack.bytes_);
    static constexpr uint8_t kMagic[] = {0x7F, 'E', 'L', 'F', 2, 1};  // 64-bit, little-endian
    if (!b.Has(0, 64) || !std::equal(std::begin(kMagic), std::end(kMagic), pack.bytes_.begin())) {
        *error = "not a 64-bit little-endian ELF library";
        return std::nullopt;
    }
    const std::vector<Section> sections = ReadSections(b);
    const Section* dynsym = SymbolTable(b, sections);
    if (dynsym == nullptr) {
        *error = "no dynamic symbol table";
        return std::nullopt;
    }
    const Section& strings = sections[dynsym->link];
    // Counted, not stepped to the end: the step comes from the file and must not wrap.
    const uint64_t count = dynsym->size / dynsym->entrySize;
    for (uint64_t i = 0; i < count; ++i) {
        const uint64_t at = dynsym->offset + i * dynsym->entrySize;
        const std::optional<int32_t> index = SampleIndex(SymbolName(b, strings, b.Get(at, 4)));
        if (!index) {
            continue;
        }
        const std::span<const uint8_t> wave =
            SymbolBytes(b, sections, static_cast<uint16_t>(b.Get(at + 6, 2)), b.Get(at + 8, 8),
                        b.Get(at + 16, 8));
        if (ParsePcmWave(wave)) {
            pack.samples_[static_cast<size_t>(*index)] = wave;
        }
    }
    return pack;
}

std::span<const uint8_t> VoicePack::Wave(SampleName name) const {
    const auto index = static_cast<size_t>(name);
    return index < samples_.size() ? samples_[index] : std::span<const uint8_t>();
}

int32_t VoicePack::SampleCount() const {
    return static_cast<int32_t>(
        std::count_if(samples_.begin(), samples_.end(), [](auto s) { return !s.empty(); }));
}

std::optional<std::filesystem::path> FindVoicePack(const std::filesystem::path& folder) {
    std::error_code ec;
    std::vector<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.ends_with("Sonvale.so") && entry.is_regular_file(ec)) {
            found.push_back(entry.path());
        }
    }
    if (found.empty()) {
        return std::nullopt;
    }
    return *std::min_element(found.begin(), found.end());
}

}  // namespace vantrel
