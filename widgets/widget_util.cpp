#include "widgets/widget_util.h"

#include <QApplication>
#include <QPalette>

namespace vantrel {

QLineEdit* MakeBox(QWidget* parent, const char* name, const QString& text) {
    auto* box = MakeNamed<QLineEdit>(parent, name);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setText(text);
    return box;
}

void SetEditingColor(QWidget* widget, bool editing) {
    QPalette palette = widget->palette();
    const QPalette app = QApplication::palette();
    palette.setColor(QPalette::Base,
                     editing ? app.color(QPalette::ToolTipBase) : app.color(QPalette::Base));
    widget->setPalette(palette);
}

bool IsEditingColor(const QWidget* widget) {
    return widget->palette().color(QPalette::Base) ==
           QApplication::palette().color(QPalette::ToolTipBase);
}

void SetLabelRed(QWidget* label, bool red) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText,
                     red ? QColor(255, 0, 0) : QApplication::palette().color(QPalette::WindowText));
    label->setPalette(palette);
}

bool IsLabelRed(const QWidget* label) {
    return label->palette().color(QPalette::WindowText) == QColor(255, 0, 0);
}

QString ToQ(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string FromQ(const QString& text) {
    return text.toStdString();
}

}  // namespace vantrel
