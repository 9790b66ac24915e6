#pragma once
// The language the windows speak: the program's own texts (Japanese as written, or English
// from the embedded translation), Qt's standard dialogs (file dialogs, message-box buttons)
// and the system's error texts. Files, their headings and the voice keep their language.
// Thread rule: GUI thread only, before the first window is created (a test may switch between
// windows it creates).

#include <QLocale>

#include "common/setup_settings.h"

class QTranslator;

namespace vantrel {

// The settings name Japanese Windows fonts; the installed Japanese Gothic takes their place.
void SubstituteJapaneseFonts();

// "Follow the system" is Japanese on a Japanese system and English on any other.
UiLanguage EffectiveLanguage(UiLanguage choice, const QLocale& system = QLocale::system());

// Puts `language` (Japanese or English; kSystem is resolved first) in force for the windows
// created from now on, replacing what an earlier call installed, and lets the logic look its
// texts up the same way. False when a translation it needs is missing (the texts stay
// Japanese).
bool InstallLanguage(UiLanguage language);

// System error texts (strerror) in Japanese where the system has a Japanese locale, else in
// the user's own language. Returns whether Japanese error texts are in force.
bool UseJapaneseSystemMessages();

}  // namespace vantrel
