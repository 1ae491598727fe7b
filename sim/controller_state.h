// The full state of one simulated controller: the items common to its four
// memories, the per-memory settings, and what changes while it runs (zero
// set, alarm, calibration steps, buffering run).
#pragma once

#include "sim/buffering_run.h"
#include "sim/measured_signal.h"
#include "sim/scaling.h"

#include <array>
#include <string>
#include <vector>

namespace tavimo::sim {

inline constexpr int kMemoryCount = 4;
inline constexpr int kHeadTypeCount = 7;
inline constexpr int kDefaultControllerCode = 100; // 0x64, inside the accepted 100..119
inline constexpr const char* kDefaultVersion = "2.01";
inline constexpr double kVoltageFullScale = 5.0;

// Measuring range R of a head type (HT-01 .. HT-07); 1.0 outside 0..6.
double headRange(int headType);

struct MemorySettings {
    int applicationMode = 0;        // AP
    int holdMode = 0;               // HM
    int triggerMode = 0;            // TG
    int triggerEdge = 1;            // EG
    double triggerLevel = 0;        // TT
    double triggerHysteresis = 0;   // TH
    double triggerDelay = 0;        // DT
    double triggerSampling = 0;     // SK
    double cyclicPeriod = 1.0;      // FT
    int compareMode = 0;            // PA
    int material = 0;               // MT
    int average = 6;                // AV (index, 2^n samples)
    double upperLimit = 0;          // WT upper; HT while this memory is current
    double lowerLimit = 0;          // WT lower; LT
    double hysteresis = 0;          // WT hysteresis
    ScalingSetting display;         // SD, LO selector 0
    ScalingSetting voltage;         // SV, LO selector 1
};

MemorySettings defaultMemory(double range);
// The items an application mode other than "Manual" fixes (AP write).
void applyApplicationMode(MemorySettings& m, int mode, double range);

// CG steps as received: start (0 all memories, 9 current), 1 zero point,
// 2 half scale, 3 full scale, 4 end.
struct CalibrationProgress {
    std::vector<int> steps; // every step received, in order
    int expected = -1;      // next step of the sequence; -1 waiting for a start
    bool inOrder = true;    // false once a step came out of sequence
    bool currentMemoryOnly = false;
    int completed = 0;      // sequences that ran start..end in order
    void record(int step);
};

struct ControllerState {
    int id = 0;
    int headType = 0;
    int controllerCode = kDefaultControllerCode; // PC characters 2-3
    std::string version = kDefaultVersion;       // VR
    int currentMemory = 0;                       // MM
    std::array<MemorySettings, kMemoryCount> memories{};
    int interference = 0; // KB
    int outputForm = 0;   // JM
    int offDelay = 1;     // OD
    int headIdMode = 0;   // HH
    std::array<std::string, 3> headCodes; // GD: SUS, Fe, Al
    int displayUnit = 0;  // UT: 0 distance, 1 voltage
    bool zeroSet = false; // ZS
    double zeroOffset = 0;
    int calcMode = 0;     // UC
    int calcPartner = 0;
    CalibrationProgress calibration;
    BufferingSettings buffering;
    BufferingRun run;
    MeasuredSignal signal;
    bool alarm = false;      // error answers until CA
    bool alarmStuck = false; // CA fails too
    int resetAnswerDelayMs = 0; // INT and WIT answer this late
    int reboots = 0;         // INT received
    int initialisations = 0; // WIT received
    Clock::time_point epoch{};

    MemorySettings& memory() { return memories[static_cast<std::size_t>(currentMemory)]; }
    const MemorySettings& memory() const { return memories[static_cast<std::size_t>(currentMemory)]; }
    double range() const { return headRange(headType); }

    // The value model behind MD: the signal seen through the scaling of the
    // displayed quantity (UT) of the current memory and the zero set.
    ValueModel valueModel() const;
    double measuredValue(Clock::time_point t) const { return valueModel().valueAt(t); }
    // OT bits: 0 upper limit exceeded, 1 go, 2 below the lower limit, 3 alarm.
    int outputState(Clock::time_point t) const;

    // Another head: every setting and the signal follow its range.
    void changeHead(int type);
    // WIT: every setting back to its default for the head type.
    void initialise();
    // INT: the run, zero set, alarm and calibration are cleared; settings stay.
    void reboot();
};

ControllerState makeController(int id, Clock::time_point epoch);

} // namespace tavimo::sim
