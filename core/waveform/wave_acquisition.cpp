#include "waveform/wave_acquisition.h"

#include "waveform/tmd_file.h"

#include <algorithm>
#include <mutex>

namespace tavimo::waveform {

WaveAcquisition::WaveAcquisition(measure::SharedData& shared, const link::ActiveControllers& active,
                                 const WaveScreenConfig& fields)
    : shared_(shared), active_(active), fields_(fields)
{
    options_.config = &fields_;
    options_.active = &active_;
    resetAxes(axes_, fields_);
    timerIntervalMs_ = fields_.INTERVAL;
}

WaveAcquisition::~WaveAcquisition()
{
    shutdown();
}

void WaveAcquisition::clearLiveLocked()
{
    shared_.liveBlock = WaveBlock{};
    shared_.liveCount = 0;
}

void WaveAcquisition::emptyChart()
{
    plot_.clear();
}

void WaveAcquisition::startCollectLocked()
{
    archive_.clear();
    archive_.header() = WaveFileHeader{};
    archive_.header().captureInterval = fields_.INTERVAL;
    clearLiveLocked();
    emptyChart();
    resetAxes(axes_, fields_);
    trackBar_ = {};
    shared_.collect = true;
    state_ = AcquisitionState::Collecting;
    timerIntervalMs_ = fields_.INTERVAL;
    timerActive_ = true;
}

void WaveAcquisition::stopCollectLocked()
{
    timerActive_ = false;
    shared_.collect = false;
    state_ = AcquisitionState::Idle;
}

void WaveAcquisition::startReplayLocked()
{
    clearLiveLocked();
    replayIndex_ = 0;
    emptyChart();
    resetAxes(axes_, fields_);
    trackBar_.position = 0;
    shared_.replay = true;
    state_ = AcquisitionState::Replaying;
    timerIntervalMs_ = std::clamp(archive_.header().captureInterval, kIntervalMin, kIntervalMax);
    timerActive_ = true;
}

void WaveAcquisition::stopReplayLocked()
{
    timerActive_ = false;
    timerIntervalMs_ = fields_.INTERVAL;
    shared_.replay = false;
    state_ = AcquisitionState::Idle;
}

bool WaveAcquisition::toggleCollect()
{
    std::unique_lock lk(shared_.waveLock, std::defer_lock);
    if (!lk.try_lock_for(measure::kDataLockWait)) return false;
    if (shared_.replay) stopReplayLocked();
    if (shared_.collect) stopCollectLocked();
    else if (active_.online()) startCollectLocked();
    return true;
}

bool WaveAcquisition::toggleReplay()
{
    std::unique_lock lk(shared_.waveLock, std::defer_lock);
    if (!lk.try_lock_for(measure::kDataLockWait)) return false;
    if (shared_.collect) stopCollectLocked();
    if (shared_.replay) stopReplayLocked();
    else if (!archive_.empty()) startReplayLocked();
    return true;
}

TickResult WaveAcquisition::tick()
{
    TickResult result;
    const WaveBlock* toPlot = nullptr;
    int count = 0;
    {
        std::unique_lock lk(shared_.waveLock, std::defer_lock);
        if (!lk.try_lock_for(measure::kDataLockWait)) return result;
        result.lockObtained = true;
        if (shared_.replay) {
            if (replayIndex_ < archive_.size()) {
                toPlot = &archive_.block(replayIndex_);
                count = toPlot->count;
                ++replayIndex_;
            }
            if (archive_.size() > replayIndex_) {
                trackBar_.position = static_cast<int>(replayIndex_);
            } else {
                stopReplayLocked();
                result.stopped = true;
            }
        } else if (shared_.collect && shared_.liveCount > 0) {
            // Take the samples out and give the worker an empty block at once.
            count = std::clamp(shared_.liveCount, 0, measure::kWaveRecordsPerBlock);
            taken_ = shared_.liveBlock;
            clearLiveLocked();
            result.archived = true;
            // The capture ends once the time axis has reached 5 minutes; the
            // block of this tick is still archived and plotted.
            if (axes_.time.max >= kAutoStopMs) {
                stopCollectLocked();
                result.stopped = true;
            }
        }
    }
    if (result.archived) {
        archive_.archive(taken_, count);
        trackBar_.selectionEnd = static_cast<int>(archive_.size());
        toPlot = &taken_;
    }
    if (toPlot && count > 0) {
        plotBlock(plot_, axes_, *toPlot, count, options_);
        result.plottedRecords = count;
    }
    return result;
}

void WaveAcquisition::shutdown()
{
    timerActive_ = false;
    {
        std::lock_guard lk(shared_.waveLock);
        shared_.collect = false;
        shared_.replay = false;
    }
    state_ = AcquisitionState::Idle;
    resetTimeAxis(axes_, fields_);
    emptyChart();
    archive_.clear();
    trackBar_ = {};
}

WaveFileError WaveAcquisition::loadFile(const std::filesystem::path& path, std::string* detail)
{
    if (!idle()) {
        if (detail) *detail = "a capture or replay is running";
        return WaveFileError::CannotOpen;
    }
    const WaveFileError e = loadTmdFile(path, archive_, detail);
    if (e != WaveFileError::None) return e;
    resetTimeAxis(axes_, fields_);
    emptyChart();
    trackBar_.position = 0;
    trackBar_.selectionEnd = static_cast<int>(archive_.size());
    return e;
}

WaveControls WaveAcquisition::controls() const
{
    return computeControls(state_, active_.online(), archive_.empty(), fields_);
}

} // namespace tavimo::waveform
