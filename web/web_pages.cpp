#include "web/web_pages.h"

#include <QFile>

#include "web/page_texts.h"

static void InitWebResources() {
    Q_INIT_RESOURCE(web);
}

namespace vantrel {

namespace {

QByteArray TypeOf(const std::string& name) {
    if (name.ends_with(".html")) {
        return "text/html; charset=utf-8";
    }
    if (name.ends_with(".css")) {
        return "text/css; charset=utf-8";
    }
    if (name.ends_with(".js")) {
        return "text/javascript; charset=utf-8";
    }
    return "application/octet-stream";
}

}  // namespace

WebPage PageFile(const std::string& name) {
    static const bool initialised = (InitWebResources(), true);
    (void)initialised;
    if (name == "texts.js") {
        return {TypeOf(name), PageTextsScript()};
    }
    QFile file(QStringLiteral(":/web/") + QString::fromStdString(name));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray body = file.readAll();
    return {TypeOf(name), name.ends_with(".html") ? LocalisedPage(body) : body};
}

}  // namespace vantrel
