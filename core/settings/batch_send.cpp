#include "settings/batch_send.h"

#include "settings/batch_loop.h"
#include "settings/item_commands.h"
#include "shell/failure_codes.h"

#include <charconv>
#include <cmath>

namespace tavimo::settings {

namespace {

using link::Scaling;
namespace cmd = link::cmd;

constexpr int kOk = shell::kOutcomeOk;

enum ScalingMode { kNoScaling = 0, kOnePoint = 1, kTwoPoints = 2, kInversionOnly = 3 };

class Sender {
public:
    Sender(OperationContext& ctx, const SettingsModel& model, int id, int memory, BatchProgress* progress)
        : ctx_(ctx), cmds_(ctx.commands), model_(model), id_(id), memory_(memory), progress_(progress)
    {
    }

    int run()
    {
        if (!isValidControllerId(id_)) return kStepHeadType;
        step();
        if (int code = headType(); code != kOk) return code;
        step();
        if (!isValidMemory(memory_)) return kStepMemory;
        if (!compareWrite(cmd::MM, memory_)) return kStepMemory;
        for (const CommonItemCommand& item : commonItemCommands()) {
            step();
            if (!(record().*item.transferSwitch)) continue;
            if (!compareWrite(*item.command, record().*item.member)) return item.failureCode;
        }
        const MemorySettings& m = memorySettings(model_, id_, memory_);
        step();
        if (!compareWrite(cmd::AP, m.APPLI_MODE)) return kStepApplicationMode;
        step();
        if (!writeScaling(Scaling::Display, m)) return kStepScaling;
        step();
        if (!writeScaling(Scaling::Voltage, m)) return kStepScaling;
        const bool bufferingScreen = ctx_.shared.screenMode.load() == static_cast<int>(measure::ScreenMode::Buffering);
        for (const MemoryItemCommand& item : memoryItemCommands()) {
            step();
            if (!sendsItem(item.when, m, bufferingScreen)) continue;
            bool ok = item.intCommand ? compareWrite(*item.intCommand, m.*item.intMember)
                                      : compareWrite(*item.realCommand, m.*item.realMember);
            if (!ok) return item.failureCode;
        }
        step();
        return limits(m) ? kOk : kStepLimits;
    }

private:
    const ControllerSettings& record() const { return model_.controllers[static_cast<std::size_t>(id_)]; }
    void step()
    {
        if (progress_) progress_->advance();
    }

    int headType()
    {
        int type = 0, controllerCode = 0;
        const bool ok = cmds_.readHeadType(id_, type, controllerCode, true);
        ctx_.sendPause();
        if (!ok) return kStepHeadType;
        return type == record().SENSOR_TYPE ? kOk : shell::kOutcomeHeadMismatch;
    }

    // Read; write the model's value only when the controller holds another
    // one, and pause after the write whether it worked or not.
    bool compareWrite(const link::IntCommand& c, long long wanted)
    {
        int held = 0;
        if (!cmds_.read(c, id_, held, true)) return false;
        if (held == wanted) return true;
        const bool ok = cmds_.write(c, id_, wanted, true);
        ctx_.sendPause();
        return ok;
    }

    bool compareWrite(const link::RealCommand& c, double wanted)
    {
        double held = 0;
        if (!cmds_.read(c, id_, held, true)) return false;
        if (atFourDecimals(wanted) == held) return true;
        const bool ok = cmds_.write(c, id_, wanted, true);
        ctx_.sendPause();
        return ok;
    }

    // Written without reading and without a pause: one write by the mode.
    bool writeScaling(Scaling s, const MemorySettings& m)
    {
        const bool display = s == Scaling::Display;
        switch (display ? m.D_SCALE_MODE : m.V_SCALE_MODE) {
        case kOnePoint: {
            link::OnePointScaling one{display ? m.D_SENSE_VALUE_1 : m.V_SENSE_VALUE_1,
                                      display ? m.D_SCALE_OFFSET : m.V_SCALE_OFFSET};
            return cmds_.writeOnePoint(s, id_, one, true) &&
                   cmds_.writeSlope(id_, display ? 0 : 1, display ? m.D_SCALE_SLOPE : m.V_SCALE_SLOPE, true);
        }
        case kTwoPoints: {
            link::TwoPointScaling two{
                display ? m.D_SENSE_VALUE_A : m.V_SENSE_VALUE_A, display ? m.D_SCALE_VALUE_A : m.V_SCALE_VALUE_A,
                display ? m.D_SENSE_VALUE_B : m.V_SENSE_VALUE_B, display ? m.D_SCALE_VALUE_B : m.V_SCALE_VALUE_B};
            return cmds_.writeTwoPoint(s, id_, two, true);
        }
        case kInversionOnly: return cmds_.writeInversion(s, id_, display ? m.D_SCALE_DIRECT : m.V_SCALE_DIRECT, true);
        default: return cmds_.writeNoScaling(s, id_, true);
        }
    }

    // All three limits are written, at four decimals, when any one differs.
    bool limits(const MemorySettings& m)
    {
        link::JudgementLimits held;
        if (!cmds_.readLimits(id_, held, true)) return false;
        const link::JudgementLimits wanted{atFourDecimals(m.HI_TH_LEVEL), atFourDecimals(m.LO_TH_LEVEL),
                                           atFourDecimals(m.HYS_LEVEL)};
        if (wanted.upper == held.upper && wanted.lower == held.lower && wanted.hysteresis == held.hysteresis)
            return true;
        return cmds_.writeLimits(id_, wanted, true);
    }

    OperationContext& ctx_;
    link::CommandSet& cmds_;
    const SettingsModel& model_;
    const int id_;
    const int memory_;
    BatchProgress* progress_;
};

} // namespace

double atFourDecimals(double value)
{
    if (!std::isfinite(value)) return value;
    char text[400]; // room for the largest double in fixed notation
    auto [end, ec] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 4);
    if (ec != std::errc()) return value;
    double parsed = value;
    std::from_chars(text, end, parsed);
    return parsed;
}

int sendController(OperationContext& ctx, const SettingsModel& model, int id, int memory, BatchProgress* progress)
{
    return Sender(ctx, model, id, memory, progress).run();
}

BatchResult batchSend(OperationContext& ctx, const SettingsModel& model)
{
    BatchResult result;
    if (!ctx.active.online()) return result;
    result.code = runBatchLoop(ctx, shell::BatchKind::Send, result, [&](int id, BatchProgress& progress) {
        return sendController(ctx, model, id, model.controllers[static_cast<std::size_t>(id)].MEMORY_NO, &progress);
    });
    return result;
}

} // namespace tavimo::settings
