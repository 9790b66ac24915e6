#pragma once
// A spin control beside a number box: up and down arrows that step the number in the box
// within a range. The box stays an ordinary text box, so a typed non-number stays visible
// until the owner reads it.
// Thread rule: GUI thread only.

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace vantrel {

class UpDown : public QWidget {
    Q_OBJECT
public:
    UpDown(QLineEdit* buddy, int minimum, int maximum, QWidget* parent = nullptr);

    int Minimum() const { return minimum_; }
    int Maximum() const { return maximum_; }
    // The number in the box, clamped to the range; `fallback` when the text is no number.
    int Position(int fallback) const;
    // Writes `value`, clamped, into the box; the owner hears it from the box's textChanged.
    void SetPosition(int value);
    // How far one click of an arrow moves the number (1 unless set).
    void SetIncrement(int increment) { increment_ = increment; }

    void StepUp();
    void StepDown();

private:
    QLineEdit* buddy_;
    int minimum_;
    int maximum_;
    int increment_ = 1;
};

}  // namespace vantrel
