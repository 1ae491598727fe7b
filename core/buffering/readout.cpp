#include "buffering/readout.h"

#include "buffering/block_decoder.h"
#include "buffering/buffering_failures.h"
#include "buffering/buffering_rules.h"
#include "link/command_table.h"
#include "link/worker_control.h"

#include <algorithm>

namespace tavimo::buffering {

namespace {

// Every block of the readout into `data`; 0, 404 or 600.
int readBlocks(const BufferingLine& line, const BufferingState& s, int points, int rate, BufferedData& data)
{
    auto& op = line.op();
    PositionCounter position(s.holdMode != 0, rate);
    std::vector<double> values;
    values.reserve(kBlockPoints);
    std::string answer;
    long long done = 0;
    for (const Block& block : readoutBlocks(points, kBlockPoints)) {
        answer.clear();
        if (!line.commands().readBlock(s.controllerId, block.first, block.last, answer, true))
            return kCodeReadoutFailed;
        values.clear();
        if (!decodeBlock(answer, static_cast<std::size_t>(block.count()), values)) return kCodeReadoutFailed;
        for (double v : values) data.append(position.next(), v);
        if (op.cancelRequested()) return kCodeReadoutCancelled;
        done += block.count();
        op.progressSet(static_cast<int>(done));
    }
    return kCodeOk;
}

// BM, then the blocks; 0, 404 or 600.
int transfer(const BufferingLine& line, const BufferingState& s, int points, BufferedData& data, int& rate)
{
    int answer = 0;
    if (!line.commands().read(link::cmd::BM, s.controllerId, answer, false)) return kCodeReadoutFailed;
    if (answer < kMinRate || answer > kMaxRate) return kCodeReadoutFailed;
    rate = answer;
    return readBlocks(line, s, points, rate, data);
}

ReadoutResult failed(const BufferingLine& line, BufferedData& data, int code)
{
    data.clear();
    reportBufferingFailure(line.op(), Procedure::Readout, code);
    return {code, true};
}

} // namespace

ReadoutResult readBufferedData(const BufferingLine& line, BufferedData& data)
{
    // A readout that cannot begin leaves the data shown as it is.
    const auto copy = line.record.copy();
    if (!copy) {
        reportBufferingFailure(line.op(), Procedure::Readout, kCodeSharedBuffer);
        return {kCodeSharedBuffer, false};
    }
    const BufferingState& s = *copy;
    if (!readoutPossible(s)) {
        reportBufferingFailure(line.op(), Procedure::Readout, kCodeReadoutNotPossible);
        return {kCodeReadoutNotPossible, false};
    }
    const int points = readoutCount(s);

    int rate = 1;
    int code = kCodeOk;
    {
        link::WorkerPause pause(line.ctx.worker);
        if (!pause.paused()) {
            reportBufferingFailure(line.op(), Procedure::Readout, kCodeWorkerNotPaused);
            return {kCodeWorkerNotPaused, false};
        }
        shell::ProgressScope progress(line.op(), points);
        data.clear();
        data.reserve(static_cast<std::size_t>(points));
        code = transfer(line, s, points, data, rate);
        progress.set(points);
        if (!pause.resume()) code = kCodeWorkerNotResumed;
    }
    if (code != kCodeOk) return failed(line, data, code);
    data.setRate(rate);

    // The points are complete: a lock failure now only leaves the record's
    // dataRate as it was; the data keeps its own rate.
    RecordLock lock(line.record);
    if (!lock.owns()) {
        reportBufferingFailure(line.op(), Procedure::Readout, kCodeSharedBuffer);
        return {kCodeSharedBuffer, true};
    }
    BufferingState current = line.record.getLocked();
    current.dataRate = rate;
    line.record.setLocked(current);
    return {kCodeOk, true};
}

} // namespace tavimo::buffering
