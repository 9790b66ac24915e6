#pragma once
// Where a booked result goes. A race mode hands its result to a ResultBooking; the booking
// writes the row and then tells every ResultSink, so that a new output is a new sink rather
// than a new call in every mode.
// Thread rule: GUI thread only.

#include <cstdint>

#include "lists/booked_result.h"

namespace vantrel {

class ResultSink {
public:
    virtual ~ResultSink() = default;
    // `result` was written into result row `row` (1 = first data row); its cells have moved
    // into that row.
    virtual void ResultBooked(const BookedResult& result, int32_t row) = 0;
    // The results booked between these two calls arrive together (a received block of
    // passings), so what only the latest of them shows on screen may wait for BatchEnded.
    virtual void BatchStarted() {}
    virtual void BatchEnded() {}
};

class ResultBooking {
public:
    virtual ~ResultBooking() = default;
    // Writes the row, tells the sinks and returns the row written. The cells move into the
    // table: a received block books hundreds of rows at once.
    virtual int32_t AddResult(BookedResult result) = 0;
    // Brackets results that arrive together; batches may nest. See ResultBatch.
    virtual void BeginBatch() {}
    virtual void EndBatch() {}
};

// Books the results added during its lifetime as one batch.
class ResultBatch {
public:
    explicit ResultBatch(ResultBooking& booking) : booking_(booking) { booking_.BeginBatch(); }
    ~ResultBatch() { booking_.EndBatch(); }
    ResultBatch(const ResultBatch&) = delete;
    ResultBatch& operator=(const ResultBatch&) = delete;

private:
    ResultBooking& booking_;
};

}  // namespace vantrel
