#include "web/web_request.h"

#include <array>

#include "common/numbers.h"
#include "web/json_text.h"

namespace vantrel {

namespace {

constexpr std::array<std::string_view, 5> kFiles = {"live.css", "live.js", "board.css", "board.js",
                                                    "texts.js"};

// Where a percent-encoded text stands: the path keeps its segments and refuses a backslash; a
// query value may hold any printable character and writes a space as "+".
enum class Component { kPath, kQuery };

bool IsForbidden(unsigned char c, Component component) {
    return c < 0x20 || c == 0x7F || (component == Component::kPath && c == '\\');
}

std::optional<std::string> PercentDecoded(std::string_view raw, Component component) {
    std::string out;
    for (size_t i = 0; i < raw.size(); ++i) {
        char c = raw[i];
        if (c == '+' && component == Component::kQuery) {
            c = ' ';
        } else if (c == '%') {
            if (i + 2 >= raw.size()) {
                return std::nullopt;
            }
            const int high = HexDigitValue(raw[i + 1]);
            const int low = HexDigitValue(raw[i + 2]);
            if (high < 0 || low < 0) {
                return std::nullopt;
            }
            c = static_cast<char>(high * 16 + low);
            // An encoded slash would make one segment look like two.
            if (c == '/' && component == Component::kPath) {
                return std::nullopt;
            }
            i += 2;
        }
        if (IsForbidden(static_cast<unsigned char>(c), component)) {
            return std::nullopt;
        }
        out += c;
    }
    return out;
}

bool HasDotSegment(std::string_view path) {
    size_t start = 1;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string_view::npos) {
            end = path.size();
        }
        const std::string_view segment = path.substr(start, end - start);
        if (segment == "." || segment == "..") {
            return true;
        }
        start = end + 1;
    }
    return false;
}

WebRequest Failure(int status) {
    WebRequest request;
    request.status = status;
    return request;
}

}  // namespace

size_t RequestHeadLength(std::string_view bytes) {
    const size_t crlf = bytes.find("\r\n\r\n");
    const size_t lf = bytes.find("\n\n");
    if (crlf == std::string_view::npos && lf == std::string_view::npos) {
        return 0;
    }
    if (lf == std::string_view::npos || (crlf != std::string_view::npos && crlf < lf)) {
        return crlf + 4;
    }
    return lf + 2;
}

std::optional<std::string> CheckedPath(std::string_view target) {
    if (target.empty() || target[0] != '/' || target.size() > kMaxRequestTarget) {
        return std::nullopt;
    }
    const size_t query = target.find_first_of("?#");
    std::optional<std::string> path = PercentDecoded(target.substr(0, query), Component::kPath);
    if (!path || !IsValidUtf8(*path) || HasDotSegment(*path)) {
        return std::nullopt;
    }
    return path;
}

std::optional<std::string> QueryValue(std::string_view target, std::string_view key) {
    const size_t question = target.find_first_of("?#");
    if (question == std::string_view::npos || target[question] == '#') {
        return std::string();
    }
    std::string_view query = target.substr(question + 1);
    query = query.substr(0, query.find('#'));
    while (!query.empty()) {
        const size_t amp = query.find('&');
        const std::string_view pair = query.substr(0, amp);
        query = amp == std::string_view::npos ? std::string_view() : query.substr(amp + 1);
        const size_t equals = pair.find('=');
        if (pair.substr(0, equals) != key) {
            continue;
        }
        const std::string_view raw =
            equals == std::string_view::npos ? std::string_view() : pair.substr(equals + 1);
        std::optional<std::string> value = PercentDecoded(raw, Component::kQuery);
        if (!value || !IsValidUtf8(*value)) {
            return std::nullopt;
        }
        return value;
    }
    return std::string();
}

WebRequest RouteOf(const std::string& path) {
    WebRequest request;
    if (path == "/" || path == "/index.html") {
        request.route = WebRoute::kIndex;
    } else if (path == "/board") {
        request.route = WebRoute::kBoard;
    } else if (path == "/api/standings") {
        request.route = WebRoute::kStandings;
    } else if (path == "/api/results") {
        request.route = WebRoute::kResults;
    } else if (path == "/api/course") {
        request.route = WebRoute::kCourse;
    } else if (path == "/events") {
        request.route = WebRoute::kEvents;
    } else {
        for (std::string_view file : kFiles) {
            if (path.size() == file.size() + 1 && path.substr(1) == file) {
                request.route = WebRoute::kFile;
                request.file = std::string(file);
            }
        }
    }
    if (request.route == WebRoute::kNone) {
        request.status = 404;
    }
    return request;
}

WebRequest ReadRequest(std::string_view head) {
    const size_t lineEnd = head.find('\n');
    std::string_view line = head.substr(0, lineEnd);
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    const size_t firstSpace = line.find(' ');
    const size_t lastSpace = line.rfind(' ');
    if (firstSpace == std::string_view::npos || firstSpace == lastSpace) {
        return Failure(400);
    }
    const std::string_view method = line.substr(0, firstSpace);
    const std::string_view target = line.substr(firstSpace + 1, lastSpace - firstSpace - 1);
    const std::string_view version = line.substr(lastSpace + 1);
    if (version.substr(0, 5) != "HTTP/") {
        return Failure(400);
    }
    if (version != "HTTP/1.1" && version != "HTTP/1.0") {
        return Failure(505);
    }
    if (target.size() > kMaxRequestTarget) {
        return Failure(414);
    }
    if (method != "GET" && method != "HEAD") {
        return Failure(405);
    }
    const std::optional<std::string> path = CheckedPath(target);
    if (!path) {
        return Failure(400);
    }
    WebRequest request = RouteOf(*path);
    request.headOnly = method == "HEAD";
    if (request.route == WebRoute::kStandings || request.route == WebRoute::kEvents) {
        std::optional<std::string> carClass = QueryValue(target, "class");
        if (!carClass) {
            return Failure(400);
        }
        request.carClass = std::move(*carClass);
    }
    return request;
}

}  // namespace vantrel
