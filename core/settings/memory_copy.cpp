#include "settings/memory_copy.h"

#include "settings/head_initialization.h"
#include "shell/catalog.h"

namespace tavimo::settings {

namespace {

bool valid(MemoryRef r)
{
    return isValidControllerId(r.id) && isValidMemory(r.memory);
}

std::string copyQuestion(MemoryRef s, MemoryRef t)
{
    using shell::Msg;
    const auto& c = shell::Catalog::instance();
    return c.text(Msg::CopyIdPrefix) + std::to_string(s.id) + c.text(Msg::CopyFromMemory) + std::to_string(s.memory) +
           c.text(Msg::CopyTo) + c.text(Msg::CopyIdPrefix) + std::to_string(t.id) + c.text(Msg::CopyToMemory) +
           std::to_string(t.memory) + c.text(Msg::CopyConfirmTail);
}

} // namespace

CopyOutcome copyMemory(SettingsModel& model, shell::Operator& op, MemoryRef source, MemoryRef target)
{
    if (!valid(source) || !valid(target)) return CopyOutcome::InvalidRef;
    const auto& catalog = shell::Catalog::instance();
    if (source.id == target.id && source.memory == target.memory) {
        op.showMessage(catalog.text(shell::Msg::CopySameMemory));
        return CopyOutcome::SameMemory;
    }
    const ControllerSettings& from = model.controllers[static_cast<std::size_t>(source.id)];
    ControllerSettings& to = model.controllers[static_cast<std::size_t>(target.id)];
    if (from.SENSOR_TYPE != to.SENSOR_TYPE) {
        op.showMessage(catalog.text(shell::Msg::CopyHeadMismatch));
        return CopyOutcome::HeadMismatch;
    }
    if (!op.askYesNo(copyQuestion(source, target))) return CopyOutcome::Cancelled;

    shell::BusyScope busy(op);
    if (target.id != source.id) {
        to.SENSOR_TYPE = from.SENSOR_TYPE;
        to.KANSYOUBOUSHI = from.KANSYOUBOUSHI;
        to.OUT_TYPE = from.OUT_TYPE;
        to.OFF_DELAY = from.OFF_DELAY;
        to.HEAD_SR = from.HEAD_SR;
        to.KANSYOU_SR = from.KANSYOU_SR;
        to.OUT_SR = from.OUT_SR;
    }
    memorySettings(model, target.id, target.memory) = memorySettings(model, source.id, source.memory);
    return CopyOutcome::Copied;
}

bool editInitialize(SettingsModel& model, shell::Operator& op)
{
    if (!op.askYesNo(shell::Catalog::instance().text(shell::Msg::ConfirmEditInitialize))) return false;
    for (int id = 0; id < kControllerCount; ++id) initializeForHead(model, id);
    return true;
}

} // namespace tavimo::settings
