#include "widgets/prompter.h"

#include <QApplication>

namespace vantrel {

namespace {
QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
}  // namespace

bool Prompter::AskYesNo(std::string_view text, std::string_view caption) {
    return AskYesNo(QApplication::activeWindow(), Q(text), Q(caption));
}

void Prompter::Warn(std::string_view text, std::string_view caption) {
    Warn(QApplication::activeWindow(), Q(text), Q(caption));
}

void Prompter::Error(std::string_view text, std::string_view caption) {
    Error(QApplication::activeWindow(), Q(text), Q(caption));
}

void Prompter::Inform(std::string_view text, std::string_view caption) {
    Inform(QApplication::activeWindow(), Q(text), Q(caption));
}

}  // namespace vantrel
