// ports, scan, get, set: the line and single controller commands.
#include "cli/cli_context.h"
#include "cli/subcommands.h"
#include "cli/terminal_reporter.h"

#include "link/command_registry.h"
#include "link/controller_scan.h"
#include "link/port_list.h"

#include <cstdio>
#include <iostream>

namespace tavimo::cli {

namespace {

struct CommandArgs {
    std::string mnemonic;
    int id = 0;
    int selector = 0;
    int repeat = 1;
    std::vector<std::string> values;
};

int report(const link::RegistryResult& r, const std::string& mnemonic, const CliContext& ctx)
{
    using link::RegistryOutcome;
    switch (r.outcome) {
    case RegistryOutcome::Ok: return kExitOk;
    case RegistryOutcome::UnknownCommand:
        std::cerr << "tavimo-cli: unknown command " << mnemonic << " in this direction\n";
        return kExitUsage;
    case RegistryOutcome::BadArguments: std::cerr << "tavimo-cli: " << r.detail << "\n"; return kExitUsage;
    case RegistryOutcome::Refused:
        std::cerr << "tavimo-cli: " << mnemonic << ": value out of range: nothing was sent\n";
        return kExitFailed;
    case RegistryOutcome::Failed:
        std::cerr << "tavimo-cli: " << mnemonic << ": " << ctx.failureText() << "\n";
        return kExitFailed;
    }
    return kExitFailed;
}

std::string headName(int type)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "HT-%02d", type + 1);
    return buf;
}

} // namespace

void addLinkCommands(CLI::App& app, CliContext& ctx)
{
    auto* ports = app.add_subcommand("ports", "List the serial ports, one per line");
    ports->callback([&ctx] {
        ctx.action = [&ctx] {
            std::string first = ctx.options.demo ? ctx.portName() : ctx.options.port;
            for (const auto& p : link::listSerialPorts(first)) std::cout << p << "\n";
            return kExitOk;
        };
    });

    auto* scan = app.add_subcommand("scan", "Scan IDs 0 to 7: ID, head type, controller code, version");
    auto versionIndex = std::make_shared<int>(0);
    scan->add_option("--version-index", *versionIndex, "Accepted version range (0: 2.00 - 2.**)");
    scan->callback([&ctx, versionIndex] {
        ctx.action = [&ctx, versionIndex] {
            if (!ctx.openLine()) return kExitFailed;
            auto result = link::scanControllers(ctx.commands(), *versionIndex, ctx.options.timeoutIndex, true);
            if (ctx.link().terminating()) return kExitFailed;
            if (!result.ok()) {
                std::cerr << messageText(CliMessage::NoController) << "\n";
                return kExitFailed;
            }
            for (const auto& c : result.found) {
                char version[32];
                std::snprintf(version, sizeof version, "%.2f", c.version);
                std::cout << c.id << " " << headName(c.headType) << " " << c.controllerCode << " " << version << "\n";
            }
            return kExitOk;
        };
    });

    auto get = std::make_shared<CommandArgs>();
    auto* getCmd = app.add_subcommand("get", "Read one command: prints the parsed values");
    getCmd->add_option("mnemonic", get->mnemonic, "Command mnemonic (HM, MD, WT, SD, ...)")->required();
    getCmd->add_option("args", get->values, "Extra read arguments (RBB: first second)");
    getCmd->add_option("--id", get->id, "Controller ID")->required()->check(CLI::Range(0, 7));
    getCmd->add_option("--selector", get->selector, "Read selector (BN, LO, GD, SD/SV)");
    getCmd->add_option("--repeat", get->repeat, "Read N times, one line each")->check(CLI::Range(1, 100000000));
    getCmd->callback([&ctx, get] {
        ctx.action = [&ctx, get] {
            if (!ctx.openLine()) return kExitFailed;
            for (int i = 0; i < get->repeat; ++i) {
                auto r = link::getCommand(ctx.commands(), get->mnemonic, get->id, get->selector, get->values, true);
                if (r.outcome != link::RegistryOutcome::Ok) return report(r, get->mnemonic, ctx);
                std::cout << link::formatValues(r.values) << "\n";
            }
            return kExitOk;
        };
    });

    auto set = std::make_shared<CommandArgs>();
    auto* setCmd = app.add_subcommand("set", "Write one command");
    setCmd->add_option("mnemonic", set->mnemonic, "Command mnemonic")->required();
    setCmd->add_option("values", set->values, "Values to write");
    setCmd->add_option("--id", set->id, "Controller ID")->required()->check(CLI::Range(0, 7));
    setCmd->callback([&ctx, set] {
        ctx.action = [&ctx, set] {
            if (!ctx.openLine()) return kExitFailed;
            auto r = link::setCommand(ctx.commands(), set->mnemonic, set->id, set->values, true);
            if (r.outcome == link::RegistryOutcome::Ok && !r.values.empty())
                std::cout << link::formatValues(r.values) << "\n";
            return report(r, set->mnemonic, ctx);
        };
    });
    std::string help = "Commands:";
    for (const auto& line : link::registryHelp()) help += "\n  " + line;
    getCmd->footer(help);
    setCmd->footer(help);
}

} // namespace tavimo::cli
