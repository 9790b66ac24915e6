#include "reports/time_style.h"

#include <algorithm>
#include <limits>

namespace vantrel {

int32_t SaturatedSum(int64_t a, int64_t b) {
    const int64_t sum = a + b;
    return static_cast<int32_t>(std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

int32_t SaturatedDifference(int32_t a, int32_t b) {
    return SaturatedSum(a, -static_cast<int64_t>(b));
}

}  // namespace vantrel
