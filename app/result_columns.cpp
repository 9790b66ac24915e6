#include "app/result_columns.h"

namespace vantrel {

GridColumns ComputeGridColumns(RaceMode mode, const GridTextWidths& text) {
    GridColumns out;
    const int32_t car = text.car + 5;
    out.entryCar = car;
    switch (mode) {
        case RaceMode::kGymkhana: {
            const int32_t time = text.clockTime + 5;
            out.result = {car, 0, 0, car, time, time, time, time, car};
            out.resultGridFixedWidth = car + car + 4 * time + car + 32;
            break;
        }
        case RaceMode::kDrag: {
            const int32_t time = text.dragTime + 5;
            const int32_t speed = text.dragSpeed + 5;
            out.result = {car, 0, 0, car, time, time, time, time, time, time, time, speed, car};
            out.resultGridFixedWidth = car + car + 7 * time + speed + car + 40;
            break;
        }
        case RaceMode::kCircuit: {
            const int32_t time = text.circuitTime + 5;
            out.result = {car, 0, 0, car, time, time};
            out.resultGridFixedWidth = car + car + time + time + 26;
            break;
        }
    }
    return out;
}

}  // namespace vantrel
