#pragma once
// The language of the texts that come from Qt and from the system rather than from the
// program: Qt's standard dialogs (file dialogs, their overwrite question, message-box buttons)
// and the system's error texts. The program itself speaks Japanese, so they should too.
// Thread rule: GUI thread only, before the first window is created.

class QTranslator;

namespace vantrel {

// The settings name Japanese Windows fonts; the installed Japanese Gothic takes their place.
void SubstituteJapaneseFonts();

// Installs Qt's own Japanese translation ("qtbase_ja" from Qt's translations folder) into the
// application and makes Japanese the default locale of Qt's formatting. Returns the installed
// translator (owned by the application), or nullptr when the translation is not installed.
QTranslator* InstallQtJapanese();

// System error texts (strerror) in Japanese where the system has a Japanese locale, else in
// the user's own language. Returns whether Japanese error texts are in force.
bool UseJapaneseSystemMessages();

}  // namespace vantrel
