#pragma once
// The windows' side of the program's texts: a text of the logic in the chosen language, and
// the hook that lets the logic look its texts up the same way.
// Thread rule: Tr on any thread (the translators are installed before other threads start);
// InstallTextLookup once at start.

#include <QString>

#include "common/ui_text.h"

namespace vantrel {

QString Tr(const UiText& text);

// Lets Translated (the logic's texts) use the translators installed in the application.
void InstallTextLookup();

}  // namespace vantrel
