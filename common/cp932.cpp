#include "common/cp932.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace vantrel {

namespace {

// One converter per thread and direction; iconv descriptors are not thread-safe.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) {
            iconv_close(cd_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts `in`; at a byte that cannot be converted, `onBad` appends a replacement and
    // returns how many input bytes to skip.
    template <typename OnBad>
    std::string Run(std::string_view in, OnBad onBad) {
        std::string out;
        out.reserve(in.size() * 3 / 2 + 8);
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        char buffer[4096];
        while (srcLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            const size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<size_t>(dst - buffer));
            if (rc != static_cast<size_t>(-1) || errno == E2BIG) {
                continue;
            }
            // EILSEQ or EINVAL (a sequence cut off at the end): replace and go on.
            const size_t skip = std::min(srcLeft, onBad(out, std::string_view(src, srcLeft)));
            src += skip;
            srcLeft -= skip;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    iconv_t cd_;
};

size_t Utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    if (lead >= 0xE0) {
        return lead <= 0xEF ? 3 : 1;
    }
    if (lead >= 0xC2) {
        return 2;
    }
    return 1;
}

// Bytes of the character (or broken sequence) at the start of `rest` that one "?" stands
// for: the lead byte and the continuation bytes that follow it, at most as many as the lead
// byte announces. A character after a broken sequence is never swallowed.
size_t BadUtf8Length(std::string_view rest) {
    const size_t length = std::min(rest.size(), Utf8SequenceLength(rest.front()));
    size_t n = 1;
    while (n < length && (static_cast<unsigned char>(rest[n]) & 0xC0) == 0x80) {
        ++n;
    }
    return n;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
    bool hadInvalid = false;
    return Cp932ToUtf8(cp932, hadInvalid);
}

std::string Cp932ToUtf8(std::string_view cp932, bool& hadInvalid) {
    thread_local Converter converter("UTF-8", "CP932");
    hadInvalid = false;
    if (!converter.valid()) {
        return std::string(cp932);
    }
    // Only the byte that failed is replaced: whatever follows it, a comma included, is read
    // again from there.
    return converter.Run(cp932, [&hadInvalid](std::string& out, std::string_view) -> size_t {
        out += "\xEF\xBF\xBD";  // U+FFFD
        hadInvalid = true;
        return 1;
    });
}

std::string Utf8ToCp932(std::string_view utf8) {
    thread_local Converter converter("CP932", "UTF-8");
    if (!converter.valid()) {
        return std::string(utf8);
    }
    return converter.Run(utf8, [](std::string& out, std::string_view rest) -> size_t {
        out += '?';
        return BadUtf8Length(rest);
    });
}

std::optional<std::string> FirstCharWithoutCp932Form(std::string_view utf8) {
    thread_local Converter converter("CP932", "UTF-8");
    if (!converter.valid()) {
        return std::nullopt;
    }
    std::optional<std::string> first;
    converter.Run(utf8, [&first](std::string&, std::string_view rest) -> size_t {
        if (!first) {
            first = std::string(rest.substr(0, BadUtf8Length(rest)));
        }
        return rest.size();  // nothing after the first one matters
    });
    return first;
}

}  // namespace vantrel
