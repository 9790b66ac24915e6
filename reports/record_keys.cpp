#include "reports/record_keys.h"

#include <Qt>

namespace vantrel {

std::optional<char> ReceiverCodeForKey(int key) {
    if (key >= Qt::Key_1 && key <= Qt::Key_9) {
        return static_cast<char>('1' + (key - Qt::Key_1));
    }
    if (key == Qt::Key_0) {
        return ':';
    }
    return std::nullopt;
}

}  // namespace vantrel
