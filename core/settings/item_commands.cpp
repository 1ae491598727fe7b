#include "settings/item_commands.h"

#include <array>

namespace tavimo::settings {

namespace {

using MS = MemorySettings;
namespace cmd = link::cmd;

constexpr std::array<CommonItemCommand, 3> kCommon{{
    {&cmd::KB, &ControllerSettings::KANSYOUBOUSHI, &ControllerSettings::KANSYOU_SR, 3},
    {&cmd::JM, &ControllerSettings::OUT_TYPE, &ControllerSettings::OUT_SR, 4},
    {&cmd::OD, &ControllerSettings::OFF_DELAY, &ControllerSettings::OUT_SR, 5},
}};

constexpr MemoryItemCommand intItem(const link::IntCommand& c, std::int32_t MS::*m, int code, SendWhen when)
{
    return {&c, m, nullptr, nullptr, code, when};
}

constexpr MemoryItemCommand realItem(const link::RealCommand& c, double MS::*m, int code, SendWhen when)
{
    return {nullptr, nullptr, &c, m, code, when};
}

constexpr std::array<MemoryItemCommand, 11> kMemory{{
    intItem(cmd::HM, &MS::HOLD_MODE, 12, SendWhen::Manual),
    intItem(cmd::TG, &MS::TRIG_MODE, 13, SendWhen::ManualNoBufferingScreen),
    intItem(cmd::EG, &MS::INT_TRIG_EDG, 14, SendWhen::ManualInternalTrigger),
    realItem(cmd::TT, &MS::INT_TRIG_THR, 15, SendWhen::InternalTriggerNotRotation),
    realItem(cmd::TH, &MS::INT_TRIG_HYS, 16, SendWhen::InternalTrigger),
    realItem(cmd::DT, &MS::INT_TRIG_DRY, 17, SendWhen::ManualInternalTrigger),
    realItem(cmd::SK, &MS::INT_TRIG_SMP, 18, SendWhen::ManualInternalTrigger),
    realItem(cmd::FT, &MS::FLK_TRIG_TIME, 19, SendWhen::CyclicTrigger),
    intItem(cmd::PA, &MS::COMP_MODE, 20, SendWhen::BottomHoldInternalTrigger),
    intItem(cmd::MT, &MS::METAL_TYPE, 21, SendWhen::Always),
    intItem(cmd::AV, &MS::AVERAGE, 22, SendWhen::Always),
}};

constexpr int kManual = 0;
constexpr int kRotation = 2;
constexpr int kBottomHold = 2;
constexpr int kInternalTrigger = 2;
constexpr int kCyclicTrigger = 3;

} // namespace

std::span<const CommonItemCommand> commonItemCommands()
{
    return kCommon;
}

std::span<const MemoryItemCommand> memoryItemCommands()
{
    return kMemory;
}

bool sendsItem(SendWhen when, const MemorySettings& m, bool bufferingScreenOpen)
{
    const bool manual = m.APPLI_MODE == kManual;
    const bool internal = m.TRIG_MODE == kInternalTrigger;
    switch (when) {
    case SendWhen::Manual: return manual;
    case SendWhen::ManualNoBufferingScreen: return manual && !bufferingScreenOpen;
    case SendWhen::ManualInternalTrigger: return manual && internal;
    case SendWhen::InternalTriggerNotRotation: return internal && m.APPLI_MODE != kRotation;
    case SendWhen::InternalTrigger: return internal;
    case SendWhen::CyclicTrigger: return m.TRIG_MODE == kCyclicTrigger;
    case SendWhen::BottomHoldInternalTrigger: return m.HOLD_MODE == kBottomHold && internal;
    case SendWhen::Always: return true;
    }
    return false;
}

} // namespace tavimo::settings
