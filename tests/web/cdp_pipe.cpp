#include "cdp_pipe.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <filesystem>

namespace vantrel::test {

std::string CdpPipe::FindBrowser() {
    for (const char* path : {"/usr/bin/chromium-headless-shell", "/usr/bin/chromium"}) {
        if (access(path, X_OK) == 0) {
            return path;
        }
    }
    return {};
}

CdpPipe::~CdpPipe() {
    if (toBrowser_ >= 0) {
        close(toBrowser_);
    }
    if (fromBrowser_ >= 0) {
        close(fromBrowser_);
    }
    if (pid_ > 0) {
        // The whole group: the browser's renderer and GPU processes outlive it otherwise.
        kill(-pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

bool CdpPipe::Start(const std::string& browser, const std::string& profileDir, int width,
                    int height) {
    int commands[2];
    int replies[2];
    if (pipe(commands) != 0 || pipe(replies) != 0) {
        return false;
    }
    std::vector<std::string> args = {
        browser,
        "--remote-debugging-pipe",
        "--no-sandbox",
        "--disable-gpu",
        "--no-first-run",
        "--no-proxy-server",
        "--hide-scrollbars",
        "--user-data-dir=" + profileDir,
        "--window-size=" + std::to_string(width) + "," + std::to_string(height)};
    if (!browser.ends_with("headless-shell")) {
        args.push_back("--headless=new");
    }
    args.push_back("about:blank");
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    pid_ = fork();
    if (pid_ == 0) {
        // Only async-signal-safe calls between fork and exec.
        setpgid(0, 0);
        const int in = fcntl(commands[0], F_DUPFD, 10);
        const int out = fcntl(replies[1], F_DUPFD, 10);
        dup2(in, 3);
        dup2(out, 4);
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, 1);
        dup2(devNull, 2);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(commands[0]);
    close(replies[1]);
    toBrowser_ = commands[1];
    fromBrowser_ = replies[0];
    fcntl(toBrowser_, F_SETFD, FD_CLOEXEC);
    fcntl(fromBrowser_, F_SETFD, FD_CLOEXEC);
    signal(SIGPIPE, SIG_IGN);
    if (pid_ < 0) {
        return false;
    }
    const QJsonObject targets = Call(QStringLiteral("Target.getTargets"), {}, false);
    for (const QJsonValue& target : targets.value(QStringLiteral("targetInfos")).toArray()) {
        if (target[QStringLiteral("type")].toString() == QStringLiteral("page")) {
            const QJsonObject attached =
                Call(QStringLiteral("Target.attachToTarget"),
                     {{QStringLiteral("targetId"), target[QStringLiteral("targetId")].toString()},
                      {QStringLiteral("flatten"), true}},
                     false);
            session_ = attached.value(QStringLiteral("sessionId")).toString();
            break;
        }
    }
    return !session_.isEmpty();
}

bool CdpPipe::ReadMessage(QJsonObject& message, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (true) {
        const size_t end = buffer_.find('\0');
        if (end != std::string::npos) {
            message = QJsonDocument::fromJson(QByteArray(buffer_.data(), end)).object();
            buffer_.erase(0, end + 1);
            return true;
        }
        if (timer.elapsed() > timeoutMs) {
            return false;
        }
        if (idle) {
            idle();
        }
        pollfd fd{fromBrowser_, POLLIN, 0};
        if (poll(&fd, 1, 10) > 0) {
            char chunk[65536];
            const ssize_t n = read(fromBrowser_, chunk, sizeof chunk);
            if (n <= 0) {
                return false;  // the browser is gone
            }
            buffer_.append(chunk, static_cast<size_t>(n));
        }
    }
}

QJsonObject CdpPipe::Call(const QString& method, const QJsonObject& params, bool onPage,
                          int timeoutMs) {
    const int id = nextId_++;
    QJsonObject command{{QStringLiteral("id"), id},
                        {QStringLiteral("method"), method},
                        {QStringLiteral("params"), params}};
    if (onPage) {
        command.insert(QStringLiteral("sessionId"), session_);
    }
    QByteArray bytes = QJsonDocument(command).toJson(QJsonDocument::Compact);
    bytes.append('\0');
    if (write(toBrowser_, bytes.constData(), static_cast<size_t>(bytes.size())) != bytes.size()) {
        return {};
    }
    QElapsedTimer timer;
    timer.start();
    QJsonObject message;
    while (ReadMessage(message, static_cast<int>(timeoutMs - timer.elapsed()))) {
        if (message.value(QStringLiteral("id")).toInt() == id) {
            return message.value(QStringLiteral("result")).toObject();
        }
        if (!message.contains(QStringLiteral("id"))) {
            events_.push_back(message);
        }
    }
    return {};
}

QJsonObject CdpPipe::Evaluate(const QString& expression) {
    return Call(QStringLiteral("Runtime.evaluate"), {{QStringLiteral("expression"), expression},
                                                     {QStringLiteral("returnByValue"), true}})
        .value(QStringLiteral("result"))
        .toObject();
}

}  // namespace vantrel::test
