#include "reports/record_keys.h"

#include <Qt>

#include "common/car_code.h"

namespace vantrel {

std::optional<char> ReceiverCodeForKey(int key) {
    if (key < Qt::Key_0 || key > Qt::Key_9) {
        return std::nullopt;
    }
    return static_cast<char>(CodeOfDigitKey(key - Qt::Key_0));
}

}  // namespace vantrel
