#include "waveform/wave_controls.h"

namespace tavimo::waveform {

WaveControls computeControls(AcquisitionState state, bool online, bool archiveEmpty, const WaveScreenConfig& f)
{
    WaveControls c;
    if (state == AcquisitionState::Collecting) {
        c.collectButton = true;
        c.collectShowsStop = true;
        return c;
    }
    if (state == AcquisitionState::Replaying) {
        c.replayButton = true;
        c.replayShowsStop = true;
        return c;
    }
    c.valueScrollBars = f.MEASURE_CURSOR;
    c.timeScrollBars = f.TIME_CURSOR;
    c.intervalField = true;
    c.valueFields = true;
    c.widthField = true;
    c.zoomPan = true;
    c.limitBox = true;
    c.judgementBox = true;
    c.selectId = f.THRESHOLD || f.HI_PASS_LO;
    c.outputPosition = f.HI_PASS_LO;
    c.collectButton = online;
    c.replayButton = !archiveEmpty;
    c.saveButton = !archiveEmpty;
    c.trackBar = !archiveEmpty;
    c.loadButton = true;
    c.headBoxes = true;
    return c;
}

} // namespace tavimo::waveform
