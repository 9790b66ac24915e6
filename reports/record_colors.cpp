#include "reports/record_colors.h"

namespace vantrel {

QColor ColorFromWindowsValue(int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    return QColor(static_cast<int>(bits & 0xFFu), static_cast<int>((bits >> 8) & 0xFFu),
                  static_cast<int>((bits >> 16) & 0xFFu));
}

int32_t WindowsValueFromColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return static_cast<int32_t>(static_cast<uint32_t>(rgb.red()) |
                                (static_cast<uint32_t>(rgb.green()) << 8) |
                                (static_cast<uint32_t>(rgb.blue()) << 16));
}

}  // namespace vantrel
