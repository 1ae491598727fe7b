// The per-controller steps of batch receive.
#include "settings/batch_receive.h"

#include "settings/head_initialization.h"
#include "settings/item_commands.h"
#include "shell/catalog.h"
#include "shell/failure_codes.h"

namespace tavimo::settings {

namespace {

using link::Scaling;
namespace cmd = link::cmd;

constexpr int kOk = shell::kOutcomeOk;
constexpr int kScalingModeMax = 3;

class Receiver {
public:
    Receiver(OperationContext& ctx, SettingsModel& model, int id, BatchProgress* progress, ReceivedScalings& received)
        : ctx_(ctx), cmds_(ctx.commands), model_(model), id_(id), progress_(progress), received_(received)
    {
    }

    int run()
    {
        if (!isValidControllerId(id_)) return kStepHeadType;
        step();
        if (int code = headType(); code != kOk) return code;
        step();
        if (int code = memory(); code != kOk) return code;
        for (const CommonItemCommand& item : commonItemCommands()) {
            step();
            if (!(record().*item.transferSwitch)) continue;
            if (!readList(*item.command, record().*item.member)) return item.failureCode;
        }
        step();
        if (!readList(cmd::AP, mem().APPLI_MODE)) return kStepApplicationMode;
        step();
        if (int code = scaling(Scaling::Display); code != kOk) return code;
        step();
        if (int code = scaling(Scaling::Voltage); code != kOk) return code;
        for (const MemoryItemCommand& item : memoryItemCommands()) {
            step();
            bool ok = item.intCommand ? readList(*item.intCommand, mem().*item.intMember)
                                      : readReal(*item.realCommand, mem().*item.realMember);
            if (!ok) return item.failureCode;
        }
        step();
        link::JudgementLimits limits;
        if (!cmds_.readLimits(id_, limits, true)) return kStepLimits;
        mem().HI_TH_LEVEL = limits.upper;
        mem().LO_TH_LEVEL = limits.lower;
        mem().HYS_LEVEL = limits.hysteresis;
        return kOk;
    }

private:
    ControllerSettings& record() { return model_.controllers[static_cast<std::size_t>(id_)]; }
    MemorySettings& mem() { return memorySettings(model_, id_, memory_); }
    void step()
    {
        if (progress_) progress_->advance();
    }

    // A list value lands in the model only when the controller's answer is
    // one of the values the command can carry.
    bool readList(const link::IntCommand& c, std::int32_t& target)
    {
        int v = 0;
        if (!cmds_.read(c, id_, v, true) || v < c.min || v > c.max) return false;
        target = v;
        return true;
    }

    bool readReal(const link::RealCommand& c, double& target)
    {
        double v = 0;
        if (!cmds_.read(c, id_, v, true)) return false;
        target = v;
        return true;
    }

    std::string question(shell::Msg text) const { return shell::controllerMessage(id_, text); }

    int headType()
    {
        int type = 0, controllerCode = 0;
        if (!cmds_.readHeadType(id_, type, controllerCode, true) || !isValidHeadType(type)) return kStepHeadType;
        if (type == record().SENSOR_TYPE) return kOk;
        if (!record().HEAD_SR) return shell::kOutcomeHeadMismatch;
        if (!ctx_.op.askYesNo(question(shell::Msg::AskInitializeOnHeadMismatch))) return shell::kOutcomeSkipped;
        changeHeadType(model_, id_, type);
        return kOk;
    }

    int memory()
    {
        int current = 0;
        if (!readListValue(cmd::MM, current)) return kStepMemory;
        const int wanted = record().MEMORY_NO;
        if (current == wanted) {
            memory_ = current;
            return kOk;
        }
        const auto& catalog = shell::Catalog::instance();
        const std::string text =
            catalog.text(shell::Msg::AskMemoryMismatch) + catalog.text(shell::Msg::AskMemoryMismatchChoices);
        switch (ctx_.op.askYesNoCancel(shell::controllerMessage(id_, text))) {
        case shell::Answer::Yes:
            // The write refuses a memory number outside 0..3 (a hand-edited
            // file), so the model's number is an index only once it is sent.
            if (!cmds_.write(cmd::MM, id_, wanted, true)) return shell::kOutcomeMemorySwitchFailed;
            memory_ = wanted;
            return kOk;
        case shell::Answer::No:
            record().MEMORY_NO = current;
            memory_ = current;
            return kOk;
        case shell::Answer::Cancel: break;
        }
        return shell::kOutcomeSkipped;
    }

    bool readListValue(const link::IntCommand& c, int& value)
    {
        std::int32_t v = 0;
        if (!readList(c, v)) return false;
        value = v;
        return true;
    }

    // Mode, one-point values, slope, two points, inversion; the model items
    // of the display (D_) or voltage (V_) scaling.
    int scaling(Scaling s)
    {
        const bool display = s == Scaling::Display;
        MemorySettings& m = mem();
        int mode = 0;
        if (!cmds_.readScalingMode(s, id_, mode, true) || mode < 0 || mode > kScalingModeMax) return kStepScaling;
        (display ? m.D_SCALE_MODE : m.V_SCALE_MODE) = mode;

        link::OnePointScaling one;
        if (!cmds_.readOnePoint(s, id_, one, true)) return kStepScaling;
        (display ? m.D_SENSE_VALUE_1 : m.V_SENSE_VALUE_1) = one.sense;
        (display ? m.D_SCALE_OFFSET : m.V_SCALE_OFFSET) = one.offset;

        int slope = 0;
        if (!cmds_.readSlope(id_, display ? 0 : 1, slope, true) || slope < 0 || slope > 1) return kStepScaling;
        (display ? m.D_SCALE_SLOPE : m.V_SCALE_SLOPE) = slope;

        link::TwoPointScaling two;
        if (!cmds_.readTwoPoint(s, id_, two, true)) return kStepTwoPoint;
        (display ? m.D_SENSE_VALUE_A : m.V_SENSE_VALUE_A) = two.senseA;
        (display ? m.D_SCALE_VALUE_A : m.V_SCALE_VALUE_A) = two.scaleA;
        (display ? m.D_SENSE_VALUE_B : m.V_SENSE_VALUE_B) = two.senseB;
        (display ? m.D_SCALE_VALUE_B : m.V_SCALE_VALUE_B) = two.scaleB;
        // The two points are what the normalisation rebuilds the scaling from.
        (display ? received_.display : received_.voltage) = true;

        int inverted = 0;
        if (!cmds_.readInversion(s, id_, inverted, true) || inverted < 0 || inverted > 1) return kStepInversion;
        (display ? m.D_SCALE_DIRECT : m.V_SCALE_DIRECT) = inverted;
        return kOk;
    }

    OperationContext& ctx_;
    link::CommandSet& cmds_;
    SettingsModel& model_;
    const int id_;
    BatchProgress* progress_;
    ReceivedScalings& received_;
    int memory_ = 0;
};

} // namespace

int receiveController(OperationContext& ctx, SettingsModel& model, int id, BatchProgress* progress,
                      ReceivedScalings* received)
{
    ReceivedScalings local;
    ReceivedScalings& r = received ? *received : local;
    r = {};
    return Receiver(ctx, model, id, progress, r).run();
}

} // namespace tavimo::settings
