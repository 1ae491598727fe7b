#include "link/command_registry.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>

namespace tavimo::link {

namespace {

using Args = std::vector<std::string>;

std::optional<double> number(const std::string& s)
{
    double v = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || p != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<long long> integer(const std::string& s)
{
    long long v = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || p != s.data() + s.size()) return std::nullopt;
    return v;
}

RegistryResult bad(std::string why)
{
    return {RegistryOutcome::BadArguments, {}, std::move(why)};
}

// A failed operation was either refused before sending or failed on the line.
RegistryResult outcome(bool ok, std::vector<CommandValue> values = {})
{
    if (ok) return {RegistryOutcome::Ok, std::move(values), {}};
    return {Link::lastStatus() == LinkStatus::NotSent ? RegistryOutcome::Refused : RegistryOutcome::Failed, {}, {}};
}

// Parses exactly `n` decimal arguments.
std::optional<std::vector<double>> numbers(const Args& args, std::size_t n)
{
    if (args.size() != n) return std::nullopt;
    std::vector<double> out;
    for (const auto& a : args) {
        auto v = number(a);
        if (!v) return std::nullopt;
        out.push_back(*v);
    }
    return out;
}

std::optional<std::vector<int>> ints(const Args& args, std::size_t n)
{
    if (args.size() != n) return std::nullopt;
    std::vector<int> out;
    for (const auto& a : args) {
        auto v = integer(a);
        if (!v || *v < -1000000000LL || *v > 1000000000LL) return std::nullopt;
        out.push_back(static_cast<int>(*v));
    }
    return out;
}

Scaling scalingOf(const std::string& m)
{
    return m == "SD" ? Scaling::Display : Scaling::Voltage;
}

RegistryResult getComposite(CommandSet& c, const std::string& m, int id, int selector, const Args& args, bool report)
{
    if (m == "UC" || m == "BT" || m == "PC") {
        int a = 0, b = 0;
        bool ok = m == "UC" ? c.readCalculation(id, a, b, report)
                : m == "BT" ? c.readBufferMode(id, a, b, report)
                            : c.readHeadType(id, a, b, report);
        return outcome(ok, {static_cast<long long>(a), static_cast<long long>(b)});
    }
    if (m == "LO") {
        int slope = 0;
        return outcome(c.readSlope(id, selector, slope, report), {static_cast<long long>(slope)});
    }
    if (m == "WT") {
        JudgementLimits l;
        return outcome(c.readLimits(id, l, report), {l.upper, l.lower, l.hysteresis});
    }
    if (m == "SD" || m == "SV") {
        Scaling s = scalingOf(m);
        switch (selector) {
        case 3: {
            int mode = 0;
            return outcome(c.readScalingMode(s, id, mode, report), {static_cast<long long>(mode)});
        }
        case 1: {
            OnePointScaling p;
            return outcome(c.readOnePoint(s, id, p, report), {p.sense, p.offset});
        }
        case 2: {
            TwoPointScaling p;
            return outcome(c.readTwoPoint(s, id, p, report), {p.senseA, p.scaleA, p.senseB, p.scaleB});
        }
        case 4: {
            int flag = 0;
            return outcome(c.readInversion(s, id, flag, report), {static_cast<long long>(flag)});
        }
        default: return bad("selector of " + m + " is 3 (mode), 1 (one point), 2 (two points) or 4 (inversion)");
        }
    }
    if (m == "GD") {
        std::string text;
        return outcome(c.readHeadCode(id, selector, text, report), {text});
    }
    if (m == "RBB") {
        auto b = ints(args, 2);
        if (!b) return bad("RBB takes two block bounds");
        std::string text;
        return outcome(c.readBlock(id, (*b)[0], (*b)[1], text, report), {text});
    }
    return {RegistryOutcome::UnknownCommand, {}, {}};
}

RegistryResult setComposite(CommandSet& c, const std::string& m, int id, const Args& args, bool report)
{
    if (m == "UC" || m == "BT" || m == "LO") {
        auto v = ints(args, 2);
        if (!v) return bad(m + " takes two integers");
        auto [a, b] = std::pair((*v)[0], (*v)[1]);
        bool ok = m == "UC" ? c.writeCalculation(id, a, b, report)
                : m == "BT" ? c.writeBufferMode(id, a, b, report)
                            : c.writeSlope(id, a, b, report);
        return outcome(ok);
    }
    if (m == "WT") {
        auto v = numbers(args, 3);
        if (!v) return bad("WT takes upper, lower and hysteresis");
        return outcome(c.writeLimits(id, {(*v)[0], (*v)[1], (*v)[2]}, report));
    }
    if (m == "HC" || m == "LC") {
        if (!args.empty()) return bad(m + " takes no value");
        double limit = 0;
        bool ok = m == "HC" ? c.teachUpper(id, limit, report) : c.teachLower(id, limit, report);
        return outcome(ok, {limit});
    }
    if (m == "CG") {
        auto v = ints(args, 1);
        if (!v) return bad("CG takes the step 0 to 4 or 9");
        return outcome(c.calibrationStep(id, (*v)[0], report));
    }
    if (m == "CA" || m == "INT" || m == "WIT") {
        if (!args.empty()) return bad(m + " takes no value");
        bool ok = m == "CA" ? c.clearAlarm(id, report) : m == "INT" ? c.reboot(id, report) : c.initialize(id, report);
        return outcome(ok);
    }
    if (m == "GD") {
        if (args.size() != 2) return bad("GD takes the index and the 10-character code");
        auto index = integer(args[0]);
        if (!index || *index < 0 || *index > 2) return outcome(false);
        return outcome(c.writeHeadCode(id, static_cast<int>(*index), args[1], report));
    }
    if (m == "SD" || m == "SV") {
        Scaling s = scalingOf(m);
        if (args.empty()) return bad(m + " takes one, two, inv or none");
        const std::string& sub = args[0];
        Args rest(args.begin() + 1, args.end());
        if (sub == "one") {
            auto v = numbers(rest, 2);
            if (!v) return bad("one takes sense and offset");
            return outcome(c.writeOnePoint(s, id, {(*v)[0], (*v)[1]}, report));
        }
        if (sub == "two") {
            auto v = numbers(rest, 4);
            if (!v) return bad("two takes sense A, scale A, sense B, scale B");
            return outcome(c.writeTwoPoint(s, id, {(*v)[0], (*v)[1], (*v)[2], (*v)[3]}, report));
        }
        if (sub == "inv") {
            auto v = ints(rest, 1);
            if (!v) return bad("inv takes the flag 0 or 1");
            return outcome(c.writeInversion(s, id, (*v)[0], report));
        }
        if (sub == "none" && rest.empty()) return outcome(c.writeNoScaling(s, id, report));
        return bad(m + " takes one, two, inv or none");
    }
    return {RegistryOutcome::UnknownCommand, {}, {}};
}

} // namespace

RegistryResult getCommand(CommandSet& commands, const std::string& m, int id, int selector, const Args& args,
                          bool report)
{
    Link::resetLastStatus();
    if (const IntCommand* c = findIntCommand(m)) {
        if (!c->canRead) return {RegistryOutcome::UnknownCommand, {}, {}};
        int v = 0;
        return outcome(commands.read(*c, id, v, report, selector), {static_cast<long long>(v)});
    }
    if (const RealCommand* c = findRealCommand(m)) {
        if (!c->canRead) return {RegistryOutcome::UnknownCommand, {}, {}};
        double v = 0;
        return outcome(commands.read(*c, id, v, report), {v});
    }
    return getComposite(commands, m, id, selector, args, report);
}

RegistryResult setCommand(CommandSet& commands, const std::string& m, int id, const Args& args, bool report)
{
    Link::resetLastStatus();
    if (const IntCommand* c = findIntCommand(m)) {
        if (!c->canWrite) return {RegistryOutcome::UnknownCommand, {}, {}};
        if (args.size() != 1) return bad(m + " takes one integer");
        auto v = integer(args[0]);
        if (!v) return bad(m + " takes one integer");
        return outcome(commands.write(*c, id, *v, report));
    }
    if (const RealCommand* c = findRealCommand(m)) {
        if (!c->canWrite) return {RegistryOutcome::UnknownCommand, {}, {}};
        auto v = numbers(args, 1);
        if (!v) return bad(m + " takes one decimal number");
        return outcome(commands.write(*c, id, (*v)[0], report));
    }
    return setComposite(commands, m, id, args, report);
}

std::string formatValue(const CommandValue& v)
{
    if (const auto* i = std::get_if<long long>(&v)) return std::to_string(*i);
    if (const auto* d = std::get_if<double>(&v)) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.4f", *d);
        return buf;
    }
    return std::get<std::string>(v);
}

std::string formatValues(const std::vector<CommandValue>& values)
{
    std::string out;
    for (const auto& v : values) {
        if (!out.empty()) out += ' ';
        out += formatValue(v);
    }
    return out;
}

std::vector<std::string> registryHelp()
{
    std::vector<std::string> lines;
    std::string ints, reals;
    for (const auto& c : intCommands()) ints += std::string(c.mnemonic) + " ";
    for (const auto& c : realCommands()) reals += std::string(c.mnemonic) + " ";
    lines.push_back("one integer: " + ints);
    lines.push_back("one decimal: " + reals);
    lines.push_back("UC mode partner | BT enable type | LO selector slope (get: --selector) | PC (get)");
    lines.push_back("WT upper lower hysteresis | HC, LC (set: teach) | CG step | CA, INT, WIT (set)");
    lines.push_back("SD/SV get --selector 3|1|2|4; set one S O | two SA CA SB CB | inv F | none");
    lines.push_back("GD get --selector index; set index CODE | RBB get FIRST SECOND | BN get --selector 0..2");
    return lines;
}

} // namespace tavimo::link
