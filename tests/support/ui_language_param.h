#pragma once
// Runs a window test in each language the windows speak, since every text changes its width:
// the language is put in force before the window is built and Japanese comes back after.
// Thread rule: GUI thread only.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAction>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTabBar>
#include <QWidget>
#include <cstdlib>
#include <string>

#include "app/ui_language.h"

namespace vantrel::test {

inline const UiLanguage kWindowLanguages[] = {UiLanguage::kJapanese, UiLanguage::kEnglish};

// Japanese as the program starts without a choice (the texts as written); English from the
// embedded translation, replaced by Japanese again at the end of the scope.
class LanguageScope {
public:
    explicit LanguageScope(UiLanguage language) : language_(language) {
        if (language_ == UiLanguage::kEnglish) {
            installed_ = InstallLanguage(language_);
        }
    }
    ~LanguageScope() {
        if (language_ == UiLanguage::kEnglish) {
            InstallLanguage(UiLanguage::kJapanese);
            QLocale::setDefault(locale_);
        }
    }
    LanguageScope(const LanguageScope&) = delete;
    LanguageScope& operator=(const LanguageScope&) = delete;

    bool Installed() const { return installed_; }

private:
    UiLanguage language_;
    QLocale locale_;
    bool installed_ = true;
};

// The texts of the labels, buttons, group boxes, tabs, menus, grid headings and title of
// `top`'s window that still hold Japanese (kana or kanji), each as "objectName: text"; the contents
// of boxes and grid cells (names typed by the operator) are not looked at.
inline QStringList JapaneseLeftIn(QWidget* top) {
    static const QRegularExpression japanese(
        QStringLiteral("[\\x{3040}-\\x{30ff}\\x{ff66}-\\x{ff9f}\\x{4e00}-\\x{9fff}]"));
    QStringList found;
    const auto look = [&](const QObject* owner, const QString& text) {
        if (text.contains(japanese)) {
            found << owner->objectName() + QStringLiteral(": ") + text;
        }
    };
    QList<QWidget*> widgets = top->findChildren<QWidget*>();
    widgets.prepend(top);
    for (QWidget* w : widgets) {
        // Another window (a dialog made beforehand) is judged on its own; menus belong here.
        if (w->window() != top->window() && qobject_cast<QMenu*>(w->window()) == nullptr) {
            continue;
        }
        if (w->isWindow() && w->isVisible()) {
            look(w, w->windowTitle());
        }
        if (auto* label = qobject_cast<QLabel*>(w)) {
            look(label, label->text());
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            look(button, button->text());
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            look(group, group->title());
        } else if (auto* tabs = qobject_cast<QTabBar*>(w)) {
            for (int i = 0; i < tabs->count(); ++i) {
                look(tabs, tabs->tabText(i));
            }
        } else if (auto* menu = qobject_cast<QMenu*>(w)) {
            look(menu, menu->title());
        } else if (auto* heading = qobject_cast<QHeaderView*>(w); heading && heading->model()) {
            for (int i = 0; i < heading->count(); ++i) {
                look(heading, heading->model()->headerData(i, heading->orientation()).toString());
            }
        }
        for (const QAction* action : w->actions()) {
            look(action, action->text());
            look(action, action->toolTip());
        }
    }
    return found;
}

inline std::string LanguageName(const ::testing::TestParamInfo<UiLanguage>& info) {
    return info.param == UiLanguage::kEnglish ? "English" : "Japanese";
}

// Where a test saves its window pictures (VANTREL_SCREENSHOT_DIR; English ones in its en/
// folder); empty when not asked.
inline QString ShotFolder(UiLanguage language) {
    const char* out = std::getenv("VANTREL_SCREENSHOT_DIR");
    if (out == nullptr) {
        return QString();
    }
    QString folder = QString::fromLocal8Bit(out);
    if (language == UiLanguage::kEnglish) {
        folder += QStringLiteral("/en");
    }
    QDir().mkpath(folder);
    return folder;
}

}  // namespace vantrel::test
