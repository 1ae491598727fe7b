// A main window on a temporary configuration, optionally with the simulator
// on its first port, and an operator that records messages and answers from
// a list instead of showing boxes.
#pragma once

#include "shell/catalog.h"
#include "sim/simulator.h"
#include "ui/gui_operator.h"
#include "ui/help_opener.h"
#include "ui/main_window.h"
#include "window/session.h"

#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <fstream>
#include <memory>

namespace tavimo::testkit {

class MainWindowFixture {
public:
    QTemporaryDir dir;
    std::unique_ptr<sim::Simulator> sim;
    std::unique_ptr<window::Session> session;
    ui::GuiOperator op;
    ui::HelpOpener help{"/nonexistent/TAVIMO_J.chm", [](const QString&) { return false; }};
    std::unique_ptr<ui::TForm1> window;
    QStringList messages;
    std::deque<bool> answers; // questions answered from here; empty: yes

    std::filesystem::path configPath() const { return std::filesystem::path(dir.path().toStdString()) / "Orvik" / "Tavimo" / "Tavimo.INI"; }

    void writeConfig(const std::string& text)
    {
        std::filesystem::create_directories(configPath().parent_path());
        std::ofstream(configPath(), std::ios::binary) << text;
    }

    // Starts the simulator with `ids` (none: no line) and opens the window.
    void open(std::vector<int> ids = {})
    {
        op.setMessageHook([this](ui::QuestionKind kind, const QString& text) -> std::optional<shell::Answer> {
            messages << text;
            if (kind == ui::QuestionKind::Message) return std::nullopt;
            bool yes = true;
            if (!answers.empty()) {
                yes = answers.front();
                answers.pop_front();
            }
            return yes ? shell::Answer::Yes : shell::Answer::No;
        });
        window::SessionOptions o;
        o.configPath = configPath();
        std::filesystem::create_directories(std::filesystem::path(dir.path().toStdString()) / "sys");
        o.sysTtyRoot = dir.path().toStdString() + "/sys"; // no real serial ports
        if (!ids.empty()) {
            sim::SimulatorOptions so;
            so.ids = std::move(ids);
            sim = std::make_unique<sim::Simulator>(so);
            if (sim->start()) o.firstPort = sim->portPath();
        }
        session = std::make_unique<window::Session>(o);
        window = std::make_unique<ui::TForm1>(*session, op, help, ui::TForm1::Options{!o.firstPort.empty()});
        window->show();
    }

    void close()
    {
        if (window) window->close();
        window.reset();
        session.reset();
        if (sim) sim->stop();
        sim.reset();
        shell::Catalog::instance().setLanguage(shell::Language::Japanese);
    }

    ~MainWindowFixture() { close(); }
};

} // namespace tavimo::testkit
