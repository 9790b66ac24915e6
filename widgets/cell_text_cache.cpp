#include "widgets/cell_text_cache.h"

#include <QFontMetrics>
#include <utility>

namespace vantrel {

const QStaticText& CellTextCache::Text(const QString& text, const QFont& font, int width,
                                       Qt::TextElideMode mode) {
    if (font != font_ || font.resolveMask() != font_.resolveMask()) {
        recent_.clear();
        older_.clear();
        font_ = font;
    }
    // A text that is never elided is the same in every width.
    const Key key{text, mode == Qt::ElideNone ? -1 : width, mode};
    if (const auto found = recent_.constFind(key); found != recent_.cend()) {
        return *found;
    }
    if (recent_.size() >= kGenerationSize) {
        older_ = std::exchange(recent_, {});
    }
    const auto old = older_.constFind(key);
    QStaticText laid = old != older_.cend() ? *old : Laid(text, font, width, mode);
    return *recent_.insert(key, std::move(laid));
}

QStaticText CellTextCache::Laid(const QString& text, const QFont& font, int width,
                                Qt::TextElideMode mode) {
    QString shown = text;
    if (mode != Qt::ElideNone) {
        shown = QFontMetrics(font).elidedText(text, mode, width);
    }
    QStaticText laid(shown);
    laid.setTextFormat(Qt::PlainText);
    laid.setPerformanceHint(QStaticText::AggressiveCaching);
    laid.prepare(QTransform(), font);
    return laid;
}

}  // namespace vantrel
