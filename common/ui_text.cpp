#include "common/ui_text.h"

#include <atomic>

namespace vantrel {

namespace {
std::atomic<TextTranslator> g_translator{nullptr};
}  // namespace

void SetTextTranslator(TextTranslator translator) {
    g_translator.store(translator, std::memory_order_release);
}

std::string Translated(const UiText& text) {
    const TextTranslator translator = g_translator.load(std::memory_order_acquire);
    return translator != nullptr ? translator(text) : std::string(text.source);
}

std::string Translated(const UiText& text, std::initializer_list<std::string_view> args) {
    const std::string pattern = Translated(text);
    std::string out;
    out.reserve(pattern.size());
    for (size_t i = 0; i < pattern.size(); ++i) {
        const size_t number = i + 1 < pattern.size() ? size_t(pattern[i + 1] - '0') : 0;
        if (pattern[i] == '%' && number >= 1 && number <= args.size()) {
            out += args.begin()[number - 1];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

}  // namespace vantrel
