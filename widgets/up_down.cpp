#include "widgets/up_down.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "common/numbers.h"

namespace vantrel {

UpDown::UpDown(QLineEdit* buddy, int minimum, int maximum, QWidget* parent)
    : QWidget(parent), buddy_(buddy), minimum_(minimum), maximum_(maximum) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* up = new QToolButton(this);
    auto* down = new QToolButton(this);
    up->setArrowType(Qt::UpArrow);
    down->setArrowType(Qt::DownArrow);
    up->setAutoRepeat(true);
    down->setAutoRepeat(true);
    for (QToolButton* button : {up, down}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        layout->addWidget(button);
    }
    connect(up, &QToolButton::clicked, this, &UpDown::StepUp);
    connect(down, &QToolButton::clicked, this, &UpDown::StepDown);
}

int UpDown::Position(int fallback) const {
    const auto value = StrToInt(buddy_->text().toStdString());
    return value ? std::clamp(*value, minimum_, maximum_) : fallback;
}

void UpDown::SetPosition(int value) {
    value = std::clamp(value, minimum_, maximum_);
    buddy_->setText(QString::number(value));
}

void UpDown::StepUp() {
    SetPosition(Position(minimum_) + increment_);
}

void UpDown::StepDown() {
    SetPosition(Position(minimum_) - increment_);
}

}  // namespace vantrel
