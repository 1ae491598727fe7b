// settings new / export / check: settings files without a controller.
#include "cli/cli_context.h"
#include "cli/subcommands.h"

#include "files/app_config.h"
#include "files/settings_file.h"
#include "files/settings_text_export.h"
#include "settings/field_table.h"
#include "settings/head_initialization.h"
#include "shell/catalog.h"
#include "shell/failure_codes.h"
#include "shell/language.h"

#include <cstdio>
#include <iostream>

namespace tavimo::cli {

namespace {

struct SettingsArgs {
    std::string file;
    std::string out;
    std::vector<std::string> heads;
    std::string language;
};

// The catalog's message for a file failure.
int fileFailure(files::FileError e, const std::string& path, const std::string& detail)
{
    auto report = shell::failureReport(shell::FailureContext::Operation, files::errorCode(e));
    std::cerr << (report.message ? shell::Catalog::instance().text(*report.message) : std::string(files::errorText(e)))
              << "\n(" << path << (detail.empty() ? "" : ": " + detail) << ")\n";
    return kExitFailed;
}

// "2:4" gives controller 2 with head type 4; false on anything else.
bool parseHead(const std::string& text, int& id, int& type)
{
    unsigned a = 0, b = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%u:%u%c", &a, &b, &tail) != 2) return false;
    if (!settings::isValidControllerId(static_cast<int>(a)) || !settings::isValidHeadType(static_cast<int>(b)))
        return false;
    id = static_cast<int>(a);
    type = static_cast<int>(b);
    return true;
}

// The UI language: --language, else the user's configuration.
void chooseLanguage(const std::string& option)
{
    if (option == "en") {
        shell::Catalog::instance().setLanguage(shell::Language::English);
        return;
    }
    if (option == "ja") {
        shell::Catalog::instance().setLanguage(shell::Language::Japanese);
        return;
    }
    files::AppConfig config;
    settings::SettingsModel unused;
    files::loadAppConfig(files::appConfigPath(), config, unused);
    shell::Catalog::instance().setLanguage(config.environment.LANGUAGE == 0 ? shell::Language::Japanese
                                                                           : shell::Language::English);
}

std::string decimal(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.4f", v);
    return buf;
}

// Every stored value the main window could not show as it is.
int checkModel(const settings::SettingsModel& model)
{
    int problems = 0;
    for (int id = 0; id < settings::kControllerCount; ++id) {
        const auto& c = model.controllers[static_cast<std::size_t>(id)];
        const double r = settings::headRange(model, id);
        for (const auto& f : settings::commonFields()) {
            if (f.kind != settings::CommonFieldKind::List) continue;
            int v = c.*(f.listMember);
            if (!settings::isValidListIndex(f, v)) {
                std::cout << "ID" << id << " " << f.name << " = " << v << ": no such item\n";
                ++problems;
            }
        }
        for (int m = 0; m < settings::kMemoryCount; ++m) {
            const auto& values = c.memories[static_cast<std::size_t>(m)];
            for (const auto& f : settings::memoryFields()) {
                double v = settings::fieldValue(values, f);
                if (settings::fitsField(f, v, r)) continue;
                auto lim = settings::fieldLimits(f, r);
                std::cout << "ID" << id << " memory " << m << " " << f.name << " = ";
                if (f.kind == settings::MemoryFieldKind::List) {
                    std::cout << static_cast<int>(v) << ": no such item\n";
                } else {
                    std::cout << decimal(v) << ": outside " << decimal(lim.min) << " .. " << decimal(lim.max) << "\n";
                }
                ++problems;
            }
        }
    }
    return problems == 0 ? kExitOk : kExitFailed;
}

} // namespace

void addSettingsCommands(CLI::App& app, CliContext& ctx)
{
    auto* group = app.add_subcommand("settings", "Settings files without a controller");
    group->require_subcommand(1);
    auto args = std::make_shared<SettingsArgs>();

    auto* create = group->add_subcommand("new", "Write a settings file with every controller initialised");
    create->add_option("--out", args->out, "Settings file to write (.TSD)")->required();
    create->add_option("--head", args->heads, "ID:TYPE, head type 0..6 (HT-01..HT-07) of a controller");
    create->callback([&ctx, args] {
        ctx.action = [args] {
            settings::SettingsModel model;
            for (const auto& h : args->heads) {
                int id = 0, type = 0;
                if (!parseHead(h, id, type)) {
                    std::cerr << "tavimo-cli: --head takes ID:TYPE with ID 0..7 and TYPE 0..6, not " << h << "\n";
                    return kExitUsage;
                }
                settings::changeHeadType(model, id, type);
            }
            std::string detail;
            auto e = files::saveSettingsFile(args->out, model, &detail);
            return e == files::FileError::None ? kExitOk : fileFailure(e, args->out, detail);
        };
    });

    auto* exportCmd = group->add_subcommand("export", "Write the settings as readable text (.TXT)");
    exportCmd->add_option("file", args->file, "Settings file (.TSD)")->required();
    exportCmd->add_option("out", args->out, "Text file to write (.TXT)")->required();
    exportCmd->add_option("--language", args->language, "en or ja (default: the program's language)")
        ->check(CLI::IsMember({"en", "ja"}));
    exportCmd->callback([&ctx, args] {
        ctx.action = [args] {
            chooseLanguage(args->language);
            settings::SettingsModel model;
            std::string detail;
            auto e = files::loadSettingsFile(args->file, model, &detail);
            if (e != files::FileError::None) return fileFailure(e, args->file, detail);
            e = files::exportSettingsText(args->out, model, shell::Catalog::instance().language(), &detail);
            return e == files::FileError::None ? kExitOk : fileFailure(e, args->out, detail);
        };
    });

    auto* check = group->add_subcommand("check", "Report every value the windows could not show as it is");
    check->add_option("file", args->file, "Settings file (.TSD)")->required();
    check->callback([&ctx, args] {
        ctx.action = [args] {
            settings::SettingsModel model;
            std::string detail;
            auto e = files::loadSettingsFile(args->file, model, &detail);
            if (e != files::FileError::None) return fileFailure(e, args->file, detail);
            return checkModel(model);
        };
    });
}

} // namespace tavimo::cli
