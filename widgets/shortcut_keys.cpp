#include "widgets/shortcut_keys.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPointer>
#include <QShortcut>
#include <vector>

namespace vantrel {

namespace {

class ShortcutKeysFilter final : public QObject {
public:
    ShortcutKeysFilter(QWidget* window, std::initializer_list<QShortcut*> shortcuts)
        : QObject(window), window_(window) {
        for (QShortcut* shortcut : shortcuts) {
            shortcuts_.emplace_back(shortcut);
        }
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride || !IsBoxOfWindow(watched) ||
            !IsShortcutKey(*static_cast<QKeyEvent*>(event))) {
            return false;
        }
        // Left unclaimed, the key goes to the shortcut instead of the box.
        event->ignore();
        return true;
    }

private:
    bool IsBoxOfWindow(QObject* watched) const {
        auto* box = qobject_cast<QLineEdit*>(watched);
        if (box == nullptr || box->window() != window_) {
            return false;
        }
        for (QWidget* above = box->parentWidget(); above != nullptr;
             above = above->parentWidget()) {
            if (qobject_cast<QAbstractItemView*>(above) != nullptr) {
                return false;
            }
        }
        return true;
    }

    bool IsShortcutKey(const QKeyEvent& key) const {
        const QKeySequence pressed(key.keyCombination());
        for (const QPointer<QShortcut>& shortcut : shortcuts_) {
            if (shortcut != nullptr && shortcut->isEnabled() &&
                shortcut->keys().contains(pressed)) {
                return true;
            }
        }
        return false;
    }

    QWidget* window_;
    std::vector<QPointer<QShortcut>> shortcuts_;
};

}  // namespace

void LeaveKeysToShortcuts(QWidget* window, std::initializer_list<QShortcut*> shortcuts) {
    qApp->installEventFilter(new ShortcutKeysFilter(window, shortcuts));
}

}  // namespace vantrel
