#pragma once
// Laid-out cell texts of one grid, so that a repaint of cells whose texts did not change does
// not shape them again: a received block of passings repaints every visible cell of the
// standings and of the lists, most of them with the same texts as before.
// Thread rule: GUI thread only.

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QString>

namespace vantrel {

class CellTextCache {
public:
    // `text` in `font` as shown in a cell `width` pixels wide: ended with an ellipsis when it
    // is wider and `mode` elides.
    const QStaticText& Text(const QString& text, const QFont& font, int width,
                            Qt::TextElideMode mode);

private:
    struct Key {
        QString text;
        int width = 0;  // -1: not elided, whatever the cell's width
        Qt::TextElideMode mode = Qt::ElideNone;
        friend bool operator==(const Key&, const Key&) = default;
        friend size_t qHash(const Key& key, size_t seed = 0) {
            return qHashMulti(seed, key.text, key.width, static_cast<int>(key.mode));
        }
    };
    QStaticText Laid(const QString& text, const QFont& font, int width, Qt::TextElideMode mode);

    // Two generations: the texts used since the last turn stay, older ones go at the next.
    static constexpr qsizetype kGenerationSize = 2048;
    QHash<Key, QStaticText> recent_;
    QHash<Key, QStaticText> older_;
    QFont font_;
};

}  // namespace vantrel
