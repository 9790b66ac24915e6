#pragma once
// The lamp pictures of the sensor indicators and the drag light tree, drawn at run time.
// Thread rule: GUI thread only.

#include <QColor>
#include <QPixmap>

namespace vantrel {

enum class Lamp { kOff, kOn, kAmberOff, kAmberOn, kGreenOff, kGreenOn, kRedOff, kRedOn };

// A round lamp of `size` pixels.
QPixmap LampPixmap(Lamp lamp, int size = 14);

}  // namespace vantrel
