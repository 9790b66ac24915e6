#pragma once
// The live pages' own texts in the language the program shows: the headings put into the pages
// as they are served, and the texts their scripts show, served as /texts.js.
// Thread rule: any thread (the translators are installed before the server starts).

#include <QByteArray>

namespace vantrel {

// The pages' language code ("ja", "en"), as the translation in force gives it.
QByteArray PageLanguage();

// `html`, a stored page, with its <html lang> in the language shown and each element marked
// data-text="key" holding that key's text, each aria-label marked data-label="key" likewise.
// In Japanese the page comes back unchanged.
QByteArray LocalisedPage(const QByteArray& html);

// The script that sets window.vantrelTexts = {lang, texts: {key: text}, modes: {GYMKHANA:
// name, ...}, headings: {column name: heading}}; a text's %1 is the value put in it.
QByteArray PageTextsScript();

}  // namespace vantrel
