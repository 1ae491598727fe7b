// The settings items that travel with one single-value command, in the order
// batch send and batch receive transfer them, with the failure code of their
// step and, for batch send, the condition under which the item is sent.
#pragma once

#include "link/command_table.h"
#include "settings/settings_model.h"

#include <span>

namespace tavimo::settings {

// Common items (KB, JM, OD): transferred only while their send/receive
// switch is on.
struct CommonItemCommand {
    const link::IntCommand* command;
    std::int32_t ControllerSettings::*member;
    bool ControllerSettings::*transferSwitch;
    int failureCode;
};

// When batch send writes a per-memory item, from the memory's application
// mode (manual 0, rotation 2), trigger mode (internal 2, cyclic 3) and hold
// mode (bottom 2). Receive reads every item whatever the modes are.
enum class SendWhen {
    Manual,                     // HM
    ManualNoBufferingScreen,    // TG: the buffering screen owns the trigger
    ManualInternalTrigger,      // EG, DT, SK
    InternalTriggerNotRotation, // TT
    InternalTrigger,            // TH
    CyclicTrigger,              // FT
    BottomHoldInternalTrigger,  // PA
    Always,                     // MT, AV
};

// Per-memory items: exactly one of the two commands and members is set.
struct MemoryItemCommand {
    const link::IntCommand* intCommand;
    std::int32_t MemorySettings::*intMember;
    const link::RealCommand* realCommand;
    double MemorySettings::*realMember;
    int failureCode;
    SendWhen when;
};

// KB, JM, OD.
std::span<const CommonItemCommand> commonItemCommands();
// HM, TG, EG, TT, TH, DT, SK, FT, PA, MT, AV.
std::span<const MemoryItemCommand> memoryItemCommands();

bool sendsItem(SendWhen when, const MemorySettings& memory, bool bufferingScreenOpen);

// Failure codes of the steps outside the tables.
inline constexpr int kStepHeadType = 1;
inline constexpr int kStepMemory = 2;
inline constexpr int kStepApplicationMode = 11;
inline constexpr int kStepScaling = 7;
inline constexpr int kStepTwoPoint = 8;  // receive only
inline constexpr int kStepInversion = 9; // receive only
inline constexpr int kStepLimits = 23;

} // namespace tavimo::settings
