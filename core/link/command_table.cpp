#include "link/command_table.h"

#include <array>

namespace tavimo::link {

namespace {
constexpr std::array kInt{cmd::OT, cmd::HM, cmd::ZS, cmd::TG, cmd::JM, cmd::MM, cmd::KB, cmd::AV, cmd::UT, cmd::MT,
                          cmd::OD, cmd::EG, cmd::AP, cmd::HH, cmd::PA, cmd::BR, cmd::BC, cmd::BN, cmd::BM, cmd::BP};
constexpr std::array kReal{cmd::MD, cmd::DT, cmd::HT, cmd::LT, cmd::FT, cmd::SK, cmd::TT, cmd::TH, cmd::VR};
} // namespace

std::span<const IntCommand> intCommands() { return kInt; }
std::span<const RealCommand> realCommands() { return kReal; }

const IntCommand* findIntCommand(std::string_view mnemonic)
{
    for (const auto& c : kInt)
        if (c.mnemonic == mnemonic) return &c;
    return nullptr;
}

const RealCommand* findRealCommand(std::string_view mnemonic)
{
    for (const auto& c : kReal)
        if (c.mnemonic == mnemonic) return &c;
    return nullptr;
}

} // namespace tavimo::link
