#pragma once
// A text the operator reads, written in the program's own language (Japanese) and looked up in
// the chosen language only where it is shown, so the logic never needs the window library.
// `context` groups texts for the translator; the pair is the key of a translation. A UiText
// does not turn into a string by itself: where it is shown it goes through Translated (logic)
// or the windows' Tr, and where it is stored (files, logs) through `source` on purpose.
// Thread rule: any thread; SetTextTranslator once at start before other threads run.

#include <initializer_list>
#include <string>
#include <string_view>

namespace vantrel {

struct UiText {
    const char* context;
    const char* source;
};

// Marks a text for the translation tools and makes it a UiText.
#define VANTREL_TEXT(context, source) (::vantrel::UiText{context, source})

using TextTranslator = std::string (*)(const UiText& text);

// The function that looks texts up; none (the default) shows every text as written.
void SetTextTranslator(TextTranslator translator);

// `text` in the chosen language, UTF-8; with `args`, %1..%9 replaced by them in one pass (a
// replaced value is never scanned again).
std::string Translated(const UiText& text);
std::string Translated(const UiText& text, std::initializer_list<std::string_view> args);

}  // namespace vantrel
