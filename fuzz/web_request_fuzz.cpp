// Any bytes as a browser's request head and as text in a JSON string: a request is routed or
// refused with a status, a routed path is valid UTF-8 without dot segments, and the JSON text
// is valid UTF-8 with nothing unescaped below 0x20.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_lines.h"
#include "web/json_text.h"
#include "web/web_request.h"

using namespace vantrel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const size_t head = RequestHeadLength(bytes);
    fuzz::Require(head <= bytes.size(), "the head lies within the bytes");
    const WebRequest request = ReadRequest(head > 0 ? bytes.substr(0, head) : bytes);
    fuzz::Require((request.status == 200) == (request.route != WebRoute::kNone),
                  "routed exactly when accepted");
    if (const auto path = CheckedPath(bytes)) {
        fuzz::Require(IsValidUtf8(*path), "a checked path is UTF-8");
        fuzz::Require(
            path->find("/../") == std::string::npos && path->find('\\') == std::string::npos,
            "no dot segment or backslash");
    }
    std::string json;
    AppendJsonString(json, bytes);
    fuzz::Require(IsValidUtf8(json), "JSON text is UTF-8");
    for (char c : json) {
        fuzz::Require(static_cast<unsigned char>(c) >= 0x20, "control characters escaped");
    }
    return 0;
}
