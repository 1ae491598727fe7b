#include "sim/faults.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

namespace tavimo::sim {

namespace {

constexpr std::array<std::pair<FaultKind, std::string_view>, 13> kNames{{
    {FaultKind::Silence, "silence"},
    {FaultKind::Alarm, "alarm"},
    {FaultKind::StuckAlarm, "stuck-alarm"},
    {FaultKind::WrongEcho, "wrong-echo"},
    {FaultKind::WrongId, "wrong-id"},
    {FaultKind::BadCheckCode, "bad-check"},
    {FaultKind::LowerCaseCheck, "lower-check"},
    {FaultKind::Noise, "noise"},
    {FaultKind::RestartedFrame, "restart"},
    {FaultKind::NoCr, "no-cr"},
    {FaultKind::Unplug, "unplug"},
    {FaultKind::ShortAnswer, "short"},
    {FaultKind::Delay, "delay"},
}};

bool parseInt(std::string_view s, int& out)
{
    if (s.empty()) return false;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && p == s.data() + s.size();
}

bool fail(std::string* error, std::string text)
{
    if (error) *error = std::move(text);
    return false;
}

bool applyPart(Fault& f, std::string_view part, std::string* error)
{
    auto eq = part.find('=');
    if (eq == std::string_view::npos) return fail(error, "expected key=value, got \"" + std::string(part) + "\"");
    std::string_view key = part.substr(0, eq), value = part.substr(eq + 1);
    if (key == "cmd") {
        if (value.size() < 2 || value.size() > 3) return fail(error, "cmd takes a 2- or 3-letter command");
        f.command = std::string(value);
        return true;
    }
    int n = 0;
    if (!parseInt(value, n)) return fail(error, "\"" + std::string(key) + "\" takes a whole number");
    if (key == "id") {
        if (n < -1 || n > 9) return fail(error, "id takes 0..9 (or -1 for any)");
        f.id = n;
    } else if (key == "count") {
        if (n < -1 || n == 0) return fail(error, "count takes a positive number (or -1 until cleared)");
        f.count = n;
    } else if (key == "ms") {
        if (n < 0) return fail(error, "ms takes 0 or more");
        f.ms = n;
    } else {
        return fail(error, "unknown key \"" + std::string(key) + "\"");
    }
    return true;
}

} // namespace

std::string_view faultKindName(FaultKind k)
{
    for (const auto& [kind, name] : kNames)
        if (kind == k) return name;
    return "?";
}

std::optional<FaultKind> faultKindFromName(std::string_view name)
{
    if (name == "error") return FaultKind::Alarm;
    for (const auto& [kind, n] : kNames)
        if (n == name) return kind;
    return std::nullopt;
}

std::string faultKindNames()
{
    std::string out;
    for (const auto& [kind, name] : kNames) {
        if (!out.empty()) out += ", ";
        out += name;
    }
    return out;
}

std::optional<Fault> parseFault(std::string_view text, std::string* error)
{
    Fault f;
    std::size_t colon = text.find(':');
    std::string_view kind = text.substr(0, colon);
    auto k = faultKindFromName(kind);
    if (!k) {
        fail(error, "unknown fault kind \"" + std::string(kind) + "\" (kinds: " + faultKindNames() + ")");
        return std::nullopt;
    }
    f.kind = *k;
    while (colon != std::string_view::npos) {
        std::size_t next = text.find(':', colon + 1);
        std::string_view part = text.substr(colon + 1, next == std::string_view::npos ? next : next - colon - 1);
        if (!applyPart(f, part, error)) return std::nullopt;
        colon = next;
    }
    return f;
}

bool faultMatches(const Fault& f, std::string_view field, std::string_view mnemonic, int id)
{
    if (f.id >= 0 && f.id != id) return false;
    return f.command.empty() || f.command == field || f.command == mnemonic;
}

FaultEffects combineFaults(const std::vector<Fault>& faults)
{
    FaultEffects e;
    for (const Fault& f : faults) {
        switch (f.kind) {
        case FaultKind::Silence: e.silence = true; break;
        case FaultKind::Alarm: e.alarm = true; break;
        case FaultKind::StuckAlarm: e.alarm = e.stuckAlarm = true; break;
        case FaultKind::WrongEcho: e.wrongEcho = true; break;
        case FaultKind::WrongId: e.wrongId = true; break;
        case FaultKind::BadCheckCode: e.badCheckCode = true; break;
        case FaultKind::LowerCaseCheck: e.lowerCaseCheck = true; break;
        case FaultKind::Noise: e.noise = true; break;
        case FaultKind::RestartedFrame: e.restartedFrame = true; break;
        case FaultKind::NoCr:
            e.noCr = true;
            e.noCrMs = std::max(e.noCrMs, f.ms);
            break;
        case FaultKind::Unplug: e.unplug = true; break;
        case FaultKind::ShortAnswer: e.shortAnswer = true; break;
        case FaultKind::Delay: e.delayMs += f.ms; break;
        }
    }
    return e;
}

void FaultList::add(const Fault& f)
{
    if (f.count != 0) faults_.push_back(f);
}

std::vector<Fault> FaultList::take(std::string_view field, std::string_view mnemonic, int id)
{
    std::vector<Fault> hit;
    for (auto it = faults_.begin(); it != faults_.end();) {
        if (!faultMatches(*it, field, mnemonic, id)) {
            ++it;
            continue;
        }
        hit.push_back(*it);
        if (it->count > 0 && --it->count == 0) it = faults_.erase(it);
        else ++it;
    }
    return hit;
}

} // namespace tavimo::sim
