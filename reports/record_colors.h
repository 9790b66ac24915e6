#pragma once
// The scoreboard colours are kept and stored as Windows colour values, 0x00BBGGRR (red in the
// low byte), as the settings file has always held them.
// Thread rule: any thread.

#include <QColor>
#include <cstdint>

namespace vantrel {

// The top byte (palette and system-colour flags) is ignored.
QColor ColorFromWindowsValue(int32_t value);
int32_t WindowsValueFromColor(const QColor& color);

}  // namespace vantrel
