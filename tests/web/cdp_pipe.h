#pragma once
// A headless Chromium driven over its DevTools pipe (fds 3 and 4, NUL-separated JSON), so a
// test can load a page, run script in it and hear of its script errors without any network
// port of its own.

#include <sys/types.h>

#include <QJsonObject>
#include <QString>
#include <functional>
#include <string>
#include <vector>

namespace vantrel::test {

class CdpPipe {
public:
    // The browser installed here, or empty.
    static std::string FindBrowser();

    ~CdpPipe();
    // Starts the browser with a page of `width` x `height`; false when it cannot start.
    bool Start(const std::string& browser, const std::string& profileDir, int width, int height);
    // Calls `method` on the page (or the browser when `onPage` is false) and waits for its
    // answer, running `idle` meanwhile; the answer's "result", or an empty object on failure.
    QJsonObject Call(const QString& method, const QJsonObject& params = {}, bool onPage = true,
                     int timeoutMs = 10000);
    // The value of a script expression in the page (as JSON text of its value).
    QJsonObject Evaluate(const QString& expression);
    // Events received so far (messages without an id).
    const std::vector<QJsonObject>& Events() const { return events_; }

    std::function<void()> idle;  // run while waiting (the test's own event loop)

private:
    bool ReadMessage(QJsonObject& message, int timeoutMs);

    pid_t pid_ = -1;
    int toBrowser_ = -1;
    int fromBrowser_ = -1;
    int nextId_ = 1;
    QString session_;
    std::string buffer_;
    std::vector<QJsonObject> events_;
};

}  // namespace vantrel::test
