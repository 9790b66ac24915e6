#pragma once
// The lamp pictures of the sensor indicators and the drag light tree, drawn at run time.
// Thread rule: GUI thread only.

#include <QColor>
#include <QPixmap>

namespace vantrel {

enum class Lamp { Off, On, AmberOff, AmberOn, GreenOff, GreenOn, RedOff, RedOn };

// A round lamp of `size` pixels.
QPixmap LampPixmap(Lamp lamp, int size = 14);

}  // namespace vantrel
