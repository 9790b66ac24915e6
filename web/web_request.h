#pragma once
// What a browser asks for: the request head read from the connection (request line and
// headers, nothing else is looked at) and the page or data it names, with the class the
// standings are asked for. Only GET and HEAD of a fixed set of paths are served; nothing a
// client sends changes anything.
// Thread rule: any thread.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// A head longer than this is answered 431 and the connection closed.
inline constexpr size_t kMaxRequestHead = 8192;
inline constexpr size_t kMaxRequestTarget = 2048;

enum class WebRoute { kNone, kIndex, kBoard, kFile, kStandings, kResults, kCourse, kEvents };

struct WebRequest {
    int status = 200;  // anything else: answer with this status and close
    bool headOnly = false;
    WebRoute route = WebRoute::kNone;
    std::string file;  // kFile: the file's name, e.g. "live.js"
    // kStandings, kEvents: the class whose standings are asked for; "" for all cars.
    std::string carClass;
};

// The length of the head at the start of `bytes` (through the blank line), or 0 while the
// blank line has not arrived.
size_t RequestHeadLength(std::string_view bytes);

// Reads a complete head.
WebRequest ReadRequest(std::string_view head);

// The path of a request target, percent-decoded, without its query; none when the target is
// not an absolute path, decodes to a slash, backslash or control character, is not UTF-8, or
// has a "." or ".." segment.
std::optional<std::string> CheckedPath(std::string_view target);

// The value of the first `key` in the query of a request target (between "?" and "#"),
// percent-decoded with "+" as a space; "" when the key is absent, none when the value is not
// well-formed (a bad escape, a control character, not UTF-8).
std::optional<std::string> QueryValue(std::string_view target, std::string_view key);

// The route of a checked path (kNone: not found).
WebRequest RouteOf(const std::string& path);

}  // namespace vantrel
