// copy-memory, init, reboot, head-codes: the controller operations.
#include "cli/cli_context.h"
#include "cli/online_session.h"
#include "cli/settings_files.h"
#include "cli/subcommands.h"
#include "cli/terminal_operator.h"

#include "settings/controller_reset.h"
#include "settings/head_codes.h"
#include "settings/memory_copy.h"
#include "shell/failure_codes.h"

#include <cctype>
#include <charconv>
#include <iostream>

namespace tavimo::cli {

namespace {

struct CopyArgs {
    std::string file;
    std::string out;
    std::string from;
    std::string to;
    bool yes = false;
};

struct ResetArgs {
    std::vector<int> ids;
};

struct HeadCodeArgs {
    int id = 0;
    std::string mode = "compatible";
    std::array<std::string, settings::kHeadMaterials> codes;
};

// "ID:MEMORY", e.g. "0:1".
std::optional<settings::MemoryRef> parseRef(const std::string& text)
{
    settings::MemoryRef r;
    const char* end = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), end, r.id);
    if (ec != std::errc() || p == end || *p != ':') return std::nullopt;
    auto [q, ec2] = std::from_chars(p + 1, end, r.memory);
    if (ec2 != std::errc() || q != end) return std::nullopt;
    return r;
}

int runCopy(const CopyArgs& a)
{
    useCliLanguage();
    TerminalOperator op;
    if (a.yes) op.setPolicy([](const std::string&) { return std::optional(shell::Answer::Yes); });
    const auto from = parseRef(a.from), to = parseRef(a.to);
    if (!from || !to) {
        std::cerr << "tavimo-cli: --from and --to take ID:MEMORY, e.g. 0:1\n";
        return kExitUsage;
    }
    settings::SettingsModel model;
    if (!loadModel(a.file, model, op)) return kExitFailed;
    switch (settings::copyMemory(model, op, *from, *to)) {
    case settings::CopyOutcome::Copied: break;
    case settings::CopyOutcome::InvalidRef:
        std::cerr << "tavimo-cli: IDs are 0 to 7, memories 0 to 3\n";
        return kExitUsage;
    default: return kExitFailed;
    }
    const std::string& out = a.out.empty() ? a.file : a.out;
    return saveModel(out, model, op) ? kExitOk : kExitFailed;
}

int runReset(CliContext& ctx, const ResetArgs& a, settings::BatchResult (*operation)(settings::OperationContext&))
{
    useCliLanguage();
    TerminalOperator op;
    settings::BatchResult result;
    {
        OnlineSession session(ctx, op, {a.ids});
        if (!session.goOnline()) return kExitFailed;
        auto opCtx = session.context();
        result = operation(opCtx);
    }
    return batchExitStatus(result, op, [](int o) { return o != shell::kOutcomeOk; });
}

int runHeadCodes(CliContext& ctx, const HeadCodeArgs& a, bool send)
{
    useCliLanguage();
    TerminalOperator op;
    settings::HeadCodeFields fields;
    fields.mode = a.mode == "set" ? 0 : 1;
    for (std::size_t k = 0; k < fields.codes.size(); ++k) {
        fields.codes[k] = a.codes[k];
        // The window's code fields turn letters to upper case as typed.
        for (char& c : fields.codes[k]) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    int code = shell::kCodeOk;
    {
        OnlineSession session(ctx, op);
        if (!session.goOnline()) return kExitFailed;
        if (!session.requireActive(a.id)) return kExitFailed;
        auto opCtx = session.context();
        code = send ? settings::sendHeadCodes(opCtx, a.id, fields) : settings::receiveHeadCodes(opCtx, a.id, fields);
    }
    if (code != shell::kCodeOk || op.terminated()) return kExitFailed;
    if (!send) {
        static constexpr const char* kNames[] = {"SUS", "Fe", "Al"};
        std::cout << "mode " << (fields.mode == 0 ? "set" : "compatible") << "\n";
        for (std::size_t k = 0; k < fields.codes.size(); ++k) std::cout << kNames[k] << " " << fields.codes[k] << "\n";
    }
    return kExitOk;
}

} // namespace

void addOperationCommands(CLI::App& app, CliContext& ctx)
{
    auto c = std::make_shared<CopyArgs>();
    auto* copy = app.add_subcommand("copy-memory", "Copy one memory's settings in a settings file (no line needed)");
    copy->add_option("file", c->file, "Settings file (.TSD)")->required();
    copy->add_option("--from", c->from, "Source ID:MEMORY, e.g. 0:1")->required();
    copy->add_option("--to", c->to, "Target ID:MEMORY, e.g. 2:3")->required();
    copy->add_option("--out", c->out, "Write the result here (default: the file itself, old one kept as .BAK)");
    copy->add_flag("--yes", c->yes, "Answer the confirmation with OK");
    copy->callback([&ctx, c] { ctx.action = [c] { return runCopy(*c); }; });

    const std::pair<const char*, settings::BatchResult (*)(settings::OperationContext&)> resets[] = {
        {"init", settings::initializeControllers}, {"reboot", settings::rebootControllers}};
    for (auto [name, operation] : resets) {
        auto r = std::make_shared<ResetArgs>();
        auto* cmd = app.add_subcommand(name, std::string(name) == "init"
                                                 ? "Initialise all settings of the checked controllers (SYSINIT)"
                                                 : "Reboot the checked controllers (RESET)");
        addIdsOption(*cmd, r->ids);
        cmd->callback([&ctx, r, operation = operation] {
            ctx.action = [&ctx, r, operation] { return runReset(ctx, *r, operation); };
        });
    }

    auto* head = app.add_subcommand("head-codes", "Head characteristic mode and codes of one controller");
    head->require_subcommand(1);
    auto g = std::make_shared<HeadCodeArgs>();
    auto* get = head->add_subcommand("get", "Read the mode and the three codes");
    get->add_option("--id", g->id, "Controller ID")->required()->check(CLI::Range(0, 7));
    get->callback([&ctx, g] { ctx.action = [&ctx, g] { return runHeadCodes(ctx, *g, false); }; });
    auto s = std::make_shared<HeadCodeArgs>();
    auto* set = head->add_subcommand("set", "Write the mode and, in compatible mode, the codes");
    set->add_option("--id", s->id, "Controller ID")->required()->check(CLI::Range(0, 7));
    set->add_option("--mode", s->mode, "set or compatible")->check(CLI::IsMember({"set", "compatible"}));
    set->add_option("--sus", s->codes[0], "SUS code, 10 characters");
    set->add_option("--fe", s->codes[1], "Fe code, 10 characters");
    set->add_option("--al", s->codes[2], "Al code, 10 characters");
    set->callback([&ctx, s] { ctx.action = [&ctx, s] { return runHeadCodes(ctx, *s, true); }; });
}

} // namespace tavimo::cli
