#pragma once
// Opening a file with the desktop's application for it. The desktop is asked first which
// application takes .xlsx (`xdg-mime`, which may take seconds on a cold desktop): the question
// runs beside the window, never in its way, and the file is opened when the answer comes.
// Thread rule: GUI thread only; `answer` is called on it, once, unless `context` went first.

#include <QObject>
#include <QString>
#include <functional>

namespace vantrel {

// The longest the desktop's answer is waited for; without one the file is opened anyway.
inline constexpr int kDesktopQueryMs = 5000;

// Starts `xdg-open path` unless the desktop knows no application for .xlsx, and tells
// `answer` whether it was started. Without `xdg-open` the answer is false at once. The
// question is a child of `context` and ends with it.
void OpenWithDesktop(const QString& path, QObject* context,
                     std::function<void(bool opened)> answer);

}  // namespace vantrel
