// Reading the buffered points back: with the worker paused, BM for the rate
// of the data, then RBB in blocks of 160 points, each answer decoded into
// the chart's points. The progress window offers Cancel; the Operator's
// cancelRequested() is asked after every block.
#pragma once

#include "buffering/buffered_data.h"
#include "buffering/buffering_line.h"

namespace tavimo::buffering {

// The horizontal position of each point: with a hold mode the number of
// points already in the chart (0, 1, 2, ...); without one the running time
// in ms, one sampling interval (rate * 0.025 ms) per point, so the first
// point lies at one interval, not at 0.
class PositionCounter {
public:
    PositionCounter(bool holdMode, int rate) : holdMode_(holdMode), step_(rate * 0.025) {}
    double next()
    {
        if (holdMode_) return static_cast<double>(count_++);
        x_ += step_;
        return x_;
    }

private:
    bool holdMode_;
    double step_;
    double x_ = 0;
    long long count_ = 0;
};

struct ReadoutResult {
    int code = 0;
    bool dataReplaced = false; // `data` was cleared (and possibly refilled)
};

// Reads the points into `data`. Codes: 201 (record not copied), 403 (not
// readable: nothing sent), 404 (BM or RBB failed, an answer did not hold
// exactly its block's numbers, or BM gave a rate outside 1..32767), 500,
// 501, 600 (cancelled). A readout that cannot begin (201 at the start, 403)
// leaves the data shown as it is; one that fails later leaves `data` empty.
// A lock failure when the record's dataRate is stored after a complete
// readout keeps the points (with their own rate) and reports 201. Each
// failure is reported.
ReadoutResult readBufferedData(const BufferingLine& line, BufferedData& data);

} // namespace tavimo::buffering
