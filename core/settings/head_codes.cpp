#include "settings/head_codes.h"

#include "settings/batch_loop.h"
#include "shell/catalog.h"

namespace tavimo::settings {

namespace {

using shell::Msg;

constexpr int kSetHead = 0;
constexpr int kCompatible = 1;

constexpr std::array<Msg, kHeadMaterials> kSendFailed{Msg::SusCodeSendFailed, Msg::FeCodeSendFailed,
                                                      Msg::AlCodeSendFailed};
constexpr std::array<Msg, kHeadMaterials> kSkipped{Msg::SkipSusInvalidCode, Msg::SkipFeInvalidCode,
                                                   Msg::SkipAlInvalidCode};

void show(OperationContext& ctx, Msg text)
{
    ctx.op.showMessage(shell::Catalog::instance().text(text));
}

// The transfer with the worker paused: 0 or 100. 100 is reported by the
// caller once the worker runs again.
int sendPaused(OperationContext& ctx, int id, HeadCodeFields& fields)
{
    if (!ctx.commands.write(link::cmd::HH, id, fields.mode, true)) return shell::kCodeCommunicationError;
    if (fields.mode == kCompatible) {
        for (int k = 0; k < kHeadMaterials; ++k) {
            const std::string& code = fields.codes[static_cast<std::size_t>(k)];
            if (!link::validHeadCode(code))
                show(ctx, kSkipped[static_cast<std::size_t>(k)]);
            else if (!ctx.commands.writeHeadCode(id, k, code, true))
                show(ctx, kSendFailed[static_cast<std::size_t>(k)]);
        }
    } else if (fields.mode == kSetHead) {
        for (auto& code : fields.codes) code.clear();
    }
    return shell::kCodeOk;
}

int receivePaused(OperationContext& ctx, int id, HeadCodeFields& fields)
{
    int mode = 0;
    if (!ctx.commands.read(link::cmd::HH, id, mode, true) || (mode != kSetHead && mode != kCompatible))
        return shell::kCodeCommunicationError;
    fields.mode = mode;
    for (int k = 0; k < kHeadMaterials; ++k) {
        std::string& field = fields.codes[static_cast<std::size_t>(k)];
        field.clear();
        std::string answer;
        // The answer is the material digit followed by the code.
        if (mode == kCompatible && ctx.commands.readHeadCode(id, k, answer, true) && !answer.empty())
            field = answer.substr(1);
    }
    return shell::kCodeOk;
}

using PausedTransfer = int (*)(OperationContext&, int, HeadCodeFields&);

int transfer(OperationContext& ctx, int id, HeadCodeFields& fields, PausedTransfer body, Msg finished)
{
    if (!ctx.active.online()) {
        show(ctx, Msg::DoItOnline);
        return shell::kCodeOk;
    }
    int code = shell::kCodeOk;
    {
        shell::BusyScope busy(ctx.op);
        link::WorkerPause pause(ctx.worker);
        if (!pause.paused()) return reportOperationFailure(ctx, shell::kCodeWorkerNotPaused);
        try {
            code = body(ctx, id, fields);
        } catch (const std::exception&) {
            code = shell::kCodeInternal;
        }
        const bool resumed = pause.resume();
        // After a communication error the worker's resume result is not looked at.
        if (code == shell::kCodeOk && !resumed) code = shell::kCodeWorkerNotResumed;
    }
    if (code != shell::kCodeOk) return reportOperationFailure(ctx, code);
    show(ctx, finished);
    return code;
}

} // namespace

int sendHeadCodes(OperationContext& ctx, int id, HeadCodeFields& fields)
{
    return transfer(ctx, id, fields, sendPaused, Msg::HeadCodeSendFinished);
}

int receiveHeadCodes(OperationContext& ctx, int id, HeadCodeFields& fields)
{
    return transfer(ctx, id, fields, receivePaused, Msg::HeadCodeReceiveFinished);
}

} // namespace tavimo::settings
