// receive and send: batch receive into a settings file, batch send from one.
#include "cli/cli_context.h"
#include "cli/online_session.h"
#include "cli/settings_files.h"
#include "cli/subcommands.h"
#include "cli/terminal_operator.h"

#include "settings/batch_receive.h"
#include "settings/batch_send.h"
#include "shell/failure_codes.h"

#include <iostream>
#include <map>

namespace tavimo::cli {

namespace {

struct ReceiveArgs {
    std::string out;
    std::string in;
    std::vector<int> ids;
    std::string onHead = "skip";
    std::string onMemory = "skip";
};

struct SendArgs {
    std::string file;
    std::vector<int> ids;
    int sendInterval = settings::kDefaultSendIntervalMs;
};

// What each controller's outcome was, one line per controller on stdout.
void printOutcomes(const settings::BatchResult& result, const char* done)
{
    for (int id = 0; id < link::kMaxControllers; ++id) {
        const int o = result.outcome(id);
        if (o == shell::kOutcomeNotAttempted) continue;
        std::cout << "ID" << id << " ";
        if (o == shell::kOutcomeOk)
            std::cout << done;
        else if (o == shell::kOutcomeSkipped)
            std::cout << "skipped";
        else
            std::cout << "failed " << o;
        std::cout << "\n";
    }
}

TerminalOperator::AnswerPolicy receivePolicy(const ReceiveArgs& a)
{
    using shell::Answer;
    const Answer head = a.onHead == "init" ? Answer::Yes : Answer::No;
    const std::map<std::string, Answer> memoryAnswers{
        {"tavimo", Answer::Yes}, {"controller", Answer::No}, {"skip", Answer::Cancel}};
    const Answer memory = memoryAnswers.at(a.onMemory);
    return [head, memory](const std::string& q) -> std::optional<Answer> {
        if (questionIs(q, shell::Msg::AskInitializeOnHeadMismatch)) return head;
        if (questionIs(q, shell::Msg::AskMemoryMismatch)) return memory;
        return std::nullopt;
    };
}

int runReceive(CliContext& ctx, const ReceiveArgs& a)
{
    useCliLanguage();
    TerminalOperator op;
    op.setPolicy(receivePolicy(a));
    settings::SettingsModel model;
    if (!a.in.empty() && !loadModel(a.in, model, op)) return kExitFailed;

    settings::BatchResult result;
    {
        OnlineSession session(ctx, op, {a.ids});
        if (!session.goOnline()) return kExitFailed;
        auto opCtx = session.context();
        result = settings::batchReceive(opCtx, model);
    }
    printOutcomes(result, "received");
    // 500, 501 and 300 end the program: what was received is not trusted.
    if (op.terminated()) return kExitFailed;
    if (!saveModel(a.out, model, op)) return kExitFailed;
    return batchExitStatus(result, op, [](int o) { return o != shell::kOutcomeOk && o != shell::kOutcomeSkipped; });
}

int runSend(CliContext& ctx, const SendArgs& a)
{
    useCliLanguage();
    TerminalOperator op;
    settings::SettingsModel model;
    if (!loadModel(a.file, model, op)) return kExitFailed;

    settings::BatchResult result;
    {
        OnlineSession session(ctx, op, {a.ids, a.sendInterval});
        if (!session.goOnline()) return kExitFailed;
        auto opCtx = session.context();
        result = settings::batchSend(opCtx, model);
    }
    printOutcomes(result, "sent");
    return batchExitStatus(result, op, [](int o) { return o != shell::kOutcomeOk; });
}

} // namespace

void addBatchCommands(CLI::App& app, CliContext& ctx)
{
    auto r = std::make_shared<ReceiveArgs>();
    auto* receive = app.add_subcommand("receive", "Batch receive the checked controllers into a settings file");
    receive->add_option("--out", r->out, "Settings file (.TSD) to write")->required();
    receive->add_option("--in", r->in, "Settings file to start from (default: initial settings)");
    addIdsOption(*receive, r->ids);
    receive->add_option("--on-head-mismatch", r->onHead, "Another head type in the controller: init or skip")
        ->check(CLI::IsMember({"init", "skip"}));
    receive
        ->add_option("--on-memory-mismatch", r->onMemory,
                     "Another memory in use: tavimo (switch the controller), controller (take its memory) or skip")
        ->check(CLI::IsMember({"tavimo", "controller", "skip"}));
    receive->callback([&ctx, r] { ctx.action = [&ctx, r] { return runReceive(ctx, *r); }; });

    auto s = std::make_shared<SendArgs>();
    auto* send = app.add_subcommand("send", "Batch send a settings file to the checked controllers");
    send->add_option("file", s->file, "Settings file (.TSD)")->required();
    addIdsOption(*send, s->ids);
    send->add_option("--send-interval", s->sendInterval, "Pause after each write in ms (SEND_INTERVAL, 0 to 10000)");
    send->callback([&ctx, s] { ctx.action = [&ctx, s] { return runSend(ctx, *s); }; });
}

} // namespace tavimo::cli
