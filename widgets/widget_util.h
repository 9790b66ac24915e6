#pragma once
// Small helpers for building the windows: named widgets, one-line number boxes and the
// editing colour that tells a box or grid is being edited.
// Thread rule: GUI thread only.

#include <QLineEdit>
#include <QString>
#include <QWidget>
#include <string>
#include <string_view>
#include <utility>

namespace vantrel {

// Creates a widget with its object name (the name tests and the program find it by).
template <typename W, typename... Args>
W* MakeNamed(QWidget* parent, const char* name, Args&&... args) {
    auto* widget = new W(std::forward<Args>(args)..., parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A one-line, right-aligned, read-only box.
QLineEdit* MakeBox(QWidget* parent, const char* name, const QString& text = QString());

// A box or grid is in editing state exactly while its background is the tooltip colour.
void SetEditingColor(QWidget* widget, bool editing);
bool IsEditingColor(const QWidget* widget);

// Text colour of a label: red while its sensor is active, else the window-text colour.
void SetLabelRed(QWidget* label, bool red);
bool IsLabelRed(const QWidget* label);

// Return on the main keyboard or Enter on the keypad.
inline bool IsEnterKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// The program's texts are UTF-8 in the source.
QString ToQ(std::string_view text);
std::string FromQ(const QString& text);

}  // namespace vantrel
