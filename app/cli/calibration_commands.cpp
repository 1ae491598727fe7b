// calibrate, calc get / calc set: three-point calibration one step per call,
// and the A+B / A-B calculation settings.
#include "cli/cli_context.h"
#include "cli/online_session.h"
#include "cli/subcommands.h"
#include "cli/terminal_operator.h"

#include "calibration/calculation_setting.h"
#include "calibration/calibration_procedure.h"
#include "settings/calibration_launch.h"
#include "shell/catalog.h"
#include "shell/failure_codes.h"

#include <charconv>
#include <iostream>

namespace tavimo::cli {

namespace {

struct CalibrateArgs {
    int id = 0;
    std::string step;
    std::string memory = "all";
};

struct CalcArgs {
    std::vector<std::string> entries;
};

const char* const kModeNames[] = {"NONE", "A+B", "A-B"};

// One step of the calibration on controller `id`. The start step checks
// first that no calculation runs on it.
int runCalibrate(CliContext& ctx, const CalibrateArgs& a)
{
    useCliLanguage();
    calibration::CalibrationButton button{};
    if (!calibration::calibrationButtonFromName(a.step, button)) return kExitUsage;
    TerminalOperator op;
    int code = 0;
    {
        OnlineSession session(ctx, op, {{a.id}});
        if (!session.goOnline()) return kExitFailed;
        if (!session.requireActive(a.id)) return kExitFailed;
        auto opCtx = session.context();
        int value = calibration::kStepEnd;
        switch (button) {
        case calibration::CalibrationButton::Start: {
            auto pre = settings::checkCalibrationPrecondition(opCtx, a.id);
            if (!pre.allowed) return kExitFailed;
            value = calibration::startStepValue(a.memory == "current" ? calibration::CalibrationTarget::CurrentMemory
                                                                      : calibration::CalibrationTarget::AllMemories);
            break;
        }
        case calibration::CalibrationButton::Zero: value = calibration::kStepZero; break;
        case calibration::CalibrationButton::Half: value = calibration::kStepHalf; break;
        case calibration::CalibrationButton::Full: value = calibration::kStepFull; break;
        default: break;
        }
        code = calibration::sendCalibrationStep(opCtx, a.id, value);
        if (code == 0 && button == calibration::CalibrationButton::End)
            op.showMessage(shell::Catalog::instance().text(shell::Msg::CalibrationFinished));
    }
    return code == 0 && !op.terminated() ? kExitOk : kExitFailed;
}

int runCalcGet(CliContext& ctx)
{
    useCliLanguage();
    TerminalOperator op;
    OnlineSession session(ctx, op);
    if (!session.goOnline()) return kExitFailed;
    const auto& active = session.active();
    int status = kExitOk;
    for (int i = 0; i < active.activeCount(); ++i) {
        const int id = active.activeId(i);
        int mode = 0, partner = 0;
        if (!ctx.commands().readCalculation(id, mode, partner, true)) {
            std::cerr << shell::controllerMessage(id, shell::Msg::SettingSendFailed) << "\n";
            status = kExitFailed;
            continue;
        }
        std::cout << id << " " << (mode >= 0 && mode <= 2 ? kModeNames[mode] : "?") << " " << partner << "\n";
    }
    return status;
}

// "A+B:1:5" gives mode 1, A = 1, B = 5.
bool parseEntry(const std::string& text, settings::CalculationSetting& e)
{
    auto colon = text.find(':');
    if (colon == std::string::npos) return false;
    const std::string mode = text.substr(0, colon);
    int m = -1;
    for (int i = 0; i < 3; ++i)
        if (mode == kModeNames[i]) m = i;
    if (m < 0) return false;
    const char* p = text.data() + colon + 1;
    const char* end = text.data() + text.size();
    int a = 0, b = 0;
    auto r1 = std::from_chars(p, end, a);
    if (r1.ec != std::errc() || r1.ptr == end || *r1.ptr != ':') return false;
    auto r2 = std::from_chars(r1.ptr + 1, end, b);
    if (r2.ec != std::errc() || r2.ptr != end || a < 0 || a > 7 || b < 0 || b > 7) return false;
    e.ENABLED = true;
    e.MODE = m;
    e.ID_A = a;
    e.ID_B = b;
    return true;
}

int runCalcSet(CliContext& ctx, const CalcArgs& a)
{
    useCliLanguage();
    settings::SettingsModel model;
    if (a.entries.size() > static_cast<std::size_t>(calibration::kCalculationRows)) {
        std::cerr << "tavimo-cli: at most four calculation entries\n";
        return kExitUsage;
    }
    for (std::size_t i = 0; i < a.entries.size(); ++i) {
        if (!parseEntry(a.entries[i], model.calculations[i])) {
            std::cerr << "tavimo-cli: an entry is TYPE:A:B with TYPE NONE, A+B or A-B and IDs 0..7, not "
                      << a.entries[i] << "\n";
            return kExitUsage;
        }
    }
    TerminalOperator op;
    OnlineSession session(ctx, op);
    if (!session.goOnline()) return kExitFailed;
    auto opCtx = session.context();
    auto entry = calibration::checkCalculationEntry(opCtx);
    if (entry.code != 0) return kExitFailed;
    if (!entry.allowed) {
        op.showMessage(shell::Catalog::instance().text(shell::Msg::CalculationNotAllowed));
        return kExitFailed;
    }
    calibration::CalculationDialog dialog(model, true, session.active().activeCount());
    if (a.entries.size() > static_cast<std::size_t>(dialog.activeRows())) {
        std::cerr << "tavimo-cli: " << session.active().activeCount() << " connected controllers allow "
                  << dialog.activeRows() << " calculation entries\n";
        return kExitUsage;
    }
    // The window moves a repeated ID out of the way; a script gets refused.
    for (std::size_t i = 0; i < a.entries.size(); ++i) {
        const auto& row = dialog.row(static_cast<int>(i));
        if (row.idA != model.calculations[i].ID_A || row.idB != model.calculations[i].ID_B) {
            op.showMessage(shell::Catalog::instance().text(shell::Msg::DuplicateId));
            return kExitUsage;
        }
    }
    int code = calibration::sendCalculationSettings(opCtx, dialog, model);
    return code == 0 && !op.terminated() ? kExitOk : kExitFailed;
}

} // namespace

void addCalibrationCommands(CLI::App& app, CliContext& ctx)
{
    auto cal = std::make_shared<CalibrateArgs>();
    auto* calibrate = app.add_subcommand("calibrate", "One step of the three-point calibration");
    calibrate->add_option("--id", cal->id, "Controller ID")->required()->check(CLI::Range(0, 7));
    calibrate->add_option("--step", cal->step, "start, zero, half, full or end")
        ->required()
        ->check(CLI::IsMember({"start", "zero", "half", "full", "end"}));
    calibrate->add_option("--memory", cal->memory, "Start step: all memories or the current one")
        ->check(CLI::IsMember({"all", "current"}));
    calibrate->callback([&ctx, cal] { ctx.action = [&ctx, cal] { return runCalibrate(ctx, *cal); }; });

    auto* calc = app.add_subcommand("calc", "A+B / A-B calculation settings");
    calc->require_subcommand(1);
    auto* get = calc->add_subcommand("get", "Each connected controller's calculation: ID, type, partner");
    get->callback([&ctx] { ctx.action = [&ctx] { return runCalcGet(ctx); }; });
    auto args = std::make_shared<CalcArgs>();
    auto* set = calc->add_subcommand("set", "Clear every calculation, then write the entries");
    set->add_option("entries", args->entries, "TYPE:A:B, e.g. A+B:0:1 (at most one per two controllers)");
    set->callback([&ctx, args] { ctx.action = [&ctx, args] { return runCalcSet(ctx, *args); }; });
}

} // namespace tavimo::cli
