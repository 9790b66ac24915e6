#include "widgets/ui_tr.h"

#include <QCoreApplication>

namespace vantrel {

QString Tr(const UiText& text) {
    return QCoreApplication::translate(text.context, text.source);
}

void InstallTextLookup() {
    SetTextTranslator([](const UiText& text) { return Tr(text).toStdString(); });
}

}  // namespace vantrel
