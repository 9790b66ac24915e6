#pragma once
// The pages and their files, compiled into the program as Qt resources.
// Thread rule: any thread.

#include <QByteArray>
#include <string>

namespace vantrel {

struct WebPage {
    QByteArray type;  // Content-Type
    QByteArray body;  // empty: no such page
};

// "index.html", "board.html", "live.js", ...; the pages in the language shown, and "texts.js"
// their scripts' texts.
WebPage PageFile(const std::string& name);

}  // namespace vantrel
