#include "link/commands.h"

#include <chrono>
#include <thread>

namespace tavimo::link {

namespace {

std::string_view scalingMnemonic(Scaling s)
{
    return s == Scaling::Display ? "SD" : "SV";
}

// Field of fixed width at a 1-based character position, or nothing when the
// answer is too short.
std::optional<double> realAt(const std::string& data, std::size_t pos1, std::size_t width)
{
    if (data.size() < pos1 - 1 + width) return std::nullopt;
    return parseRealField(std::string_view(data).substr(pos1 - 1, width));
}


} // namespace

bool validControllerId(int id)
{
    return id >= 0 && id <= 7;
}

bool validHeadCode(const std::string& code)
{
    if (code.size() != kHeadCodeLength) return false;
    for (char c : code)
        if (c < 0x20 || c > 0x7E || c == '%') return false;
    return true;
}

CommandResult CommandSet::send(Direction dir, std::string_view mnemonic, int id, std::string_view data, bool report)
{
    return link_.sendCommand(dir, mnemonic, id, data, report);
}

bool CommandSet::sendWrite(std::string_view mnemonic, int id, std::string_view data, bool report)
{
    return send(Direction::Write, mnemonic, id, data, report).ok();
}

bool CommandSet::access(const IntCommand& c, Direction dir, int id, long long& value, bool report, int selector)
{
    if (!validControllerId(id)) return false;
    if (dir == Direction::Read && c.canRead) {
        if (c.hasSelector && (selector < 0 || selector > c.selectorMax)) return false;
        value = 0;
        std::string data = std::to_string(c.hasSelector ? selector : 0).substr(0, 1);
        CommandResult r = send(Direction::Read, c.mnemonic, id, data, report);
        if (!r.ok()) return false;
        value = c.encoding == Encoding::H ? parseHex(r.data) : parseInteger(r.data);
        return true;
    }
    if (dir == Direction::Write && c.canWrite) {
        if (value < c.min || value > c.max) return false;
        return sendWrite(c.mnemonic, id, encode(c.encoding, static_cast<double>(value)), report);
    }
    return false;
}

bool CommandSet::access(const RealCommand& c, Direction dir, int id, double& value, bool report)
{
    if (!validControllerId(id)) return false;
    if (dir == Direction::Read && c.canRead) {
        value = 0;
        CommandResult r = send(Direction::Read, c.mnemonic, id, "0", report);
        if (!r.ok()) return false;
        value = parseReal(r.data);
        return true;
    }
    if (dir == Direction::Write && c.canWrite) {
        if (!inRange4(value, c.min, c.max)) return false;
        return sendWrite(c.mnemonic, id, encode(c.encoding, value), report);
    }
    return false;
}

bool CommandSet::read(const IntCommand& c, int id, int& value, bool report, int selector)
{
    long long v = 0;
    bool ok = access(c, Direction::Read, id, v, report, selector);
    value = static_cast<int>(v);
    return ok;
}

bool CommandSet::write(const IntCommand& c, int id, long long value, bool report)
{
    return access(c, Direction::Write, id, value, report);
}

bool CommandSet::read(const RealCommand& c, int id, double& value, bool report)
{
    return access(c, Direction::Read, id, value, report);
}

bool CommandSet::write(const RealCommand& c, int id, double value, bool report)
{
    return access(c, Direction::Write, id, value, report);
}

bool CommandSet::readCalculation(int id, int& mode, int& partner, bool report)
{
    if (!validControllerId(id)) return false;
    mode = 0;
    partner = 0;
    CommandResult r = send(Direction::Read, "UC", id, "0", report);
    std::this_thread::sleep_for(std::chrono::milliseconds(kCalcWaitMs));
    if (!r.ok()) return false;
    mode = parseHex(std::string_view(r.data).substr(0, 1));
    partner = r.data.size() >= 2 ? parseHex(std::string_view(r.data).substr(1, 1)) : 0;
    return true;
}

bool CommandSet::writeCalculation(int id, int mode, int partner, bool report)
{
    if (!validControllerId(id) || mode < 0 || mode > 2) return false;
    if (mode == 0) partner = 0; // "no calculation" names no partner
    else if (partner < 0 || partner > 7 || partner == id) return false;
    bool ok = sendWrite("UC", id, encodeHex(mode) + encodeHex(partner), report);
    std::this_thread::sleep_for(std::chrono::milliseconds(kCalcWaitMs));
    return ok;
}

bool CommandSet::readBufferMode(int id, int& enable, int& type, bool report)
{
    if (!validControllerId(id)) return false;
    enable = 0;
    type = 0;
    CommandResult r = send(Direction::Read, "BT", id, "0", report);
    if (!r.ok()) return false;
    enable = parseHex(std::string_view(r.data).substr(0, 1));
    type = r.data.size() >= 2 ? parseHex(std::string_view(r.data).substr(1, 1)) : 0;
    return true;
}

bool CommandSet::writeBufferMode(int id, int enable, int type, bool report)
{
    if (!validControllerId(id) || enable < 0 || enable > 1 || type < 0 || type > 1) return false;
    return sendWrite("BT", id, encodeHex(enable) + encodeHex(type), report);
}

bool CommandSet::readSlope(int id, int selector, int& slope, bool report)
{
    if (!validControllerId(id) || selector < 0 || selector > 1) return false;
    slope = 0;
    CommandResult r = send(Direction::Read, "LO", id, encodeHex(selector), report);
    if (!r.ok()) return false;
    slope = r.data.size() >= 2 ? parseHex(std::string_view(r.data).substr(1, 1)) : 0;
    return true;
}

bool CommandSet::writeSlope(int id, int selector, int slope, bool report)
{
    if (!validControllerId(id) || selector < 0 || selector > 1 || slope < 0 || slope > 1) return false;
    return sendWrite("LO", id, encodeHex(selector) + encodeHex(slope), report);
}

bool CommandSet::readHeadType(int id, int& headType, int& controllerCode, bool report)
{
    if (!validControllerId(id)) return false;
    headType = 0;
    controllerCode = 0;
    CommandResult r = send(Direction::Read, "PC", id, "0", report);
    if (!r.ok()) return false;
    headType = parseHex(std::string_view(r.data).substr(0, 1));
    controllerCode = r.data.size() >= 3 ? parseHex(std::string_view(r.data).substr(1, 2)) : 0;
    return true;
}

bool CommandSet::readLimits(int id, JudgementLimits& limits, bool report)
{
    if (!validControllerId(id)) return false;
    CommandResult r = send(Direction::Read, "WT", id, "0", report);
    if (!r.ok()) return false;
    auto up = realAt(r.data, 3, 9), lo = realAt(r.data, 13, 9), hy = realAt(r.data, 23, 9);
    if (!up || !lo || !hy) return false;
    limits = {*up, *lo, *hy};
    return true;
}

bool CommandSet::writeLimits(int id, const JudgementLimits& l, bool report)
{
    if (!validControllerId(id) || !inRange4(l.upper, -99.9999, 99.9999) || !inRange4(l.lower, -99.9999, 99.9999) ||
        !inRange4(l.hysteresis, 0, 99.9999))
        return false;
    return sendWrite("WT", id,
                     "0:" + encodeSigned9(l.upper) + " " + encodeSigned9(l.lower) + " " + encodeUnsigned9(l.hysteresis),
                     report);
}

bool CommandSet::teach(std::string_view mnemonic, int id, double& newLimit, bool report)
{
    if (!validControllerId(id)) return false;
    CommandResult r = send(Direction::Write, mnemonic, id, "0", report);
    if (!r.ok()) return false;
    auto v = parseRealField(r.data);
    if (!v) return false;
    newLimit = *v;
    return true;
}

bool CommandSet::teachUpper(int id, double& newLimit, bool report)
{
    return teach("HC", id, newLimit, report);
}

bool CommandSet::teachLower(int id, double& newLimit, bool report)
{
    return teach("LC", id, newLimit, report);
}

bool CommandSet::calibrationStep(int id, int step, bool report)
{
    if (!validControllerId(id) || !((step >= 0 && step <= 4) || step == 9)) return false;
    return sendWrite("CG", id, encodeHex(step), report);
}

bool CommandSet::clearAlarm(int id, bool report)
{
    if (!validControllerId(id)) return false;
    return sendWrite("CA", id, "0", report);
}

bool CommandSet::readScalingMode(Scaling s, int id, int& mode, bool report)
{
    if (!validControllerId(id)) return false;
    mode = 0;
    CommandResult r = send(Direction::Read, scalingMnemonic(s), id, "3", report);
    if (!r.ok()) return false;
    mode = parseHex(r.data);
    return true;
}

bool CommandSet::readOnePoint(Scaling s, int id, OnePointScaling& p, bool report)
{
    if (!validControllerId(id)) return false;
    CommandResult r = send(Direction::Read, scalingMnemonic(s), id, "1", report);
    if (!r.ok()) return false;
    auto sense = realAt(r.data, 3, 9), offset = realAt(r.data, 13, 9);
    if (!sense || !offset) return false;
    p = {*sense, *offset};
    return true;
}

bool CommandSet::writeOnePoint(Scaling s, int id, const OnePointScaling& p, bool report)
{
    if (!validControllerId(id) || !inRange4(p.sense, 0, 99.9999) || !inRange4(p.offset, -99.9999, 99.9999))
        return false;
    return sendWrite(scalingMnemonic(s), id, "2:" + encodeUnsigned9(p.sense) + " " + encodeSigned9(p.offset), report);
}

bool CommandSet::readTwoPoint(Scaling s, int id, TwoPointScaling& p, bool report)
{
    if (!validControllerId(id)) return false;
    CommandResult r = send(Direction::Read, scalingMnemonic(s), id, "2", report);
    if (!r.ok()) return false;
    auto a = realAt(r.data, 3, 9), b = realAt(r.data, 13, 9), c = realAt(r.data, 23, 9), d = realAt(r.data, 33, 9);
    if (!a || !b || !c || !d) return false;
    p = {*a, *b, *c, *d};
    return true;
}

bool CommandSet::writeTwoPoint(Scaling s, int id, const TwoPointScaling& p, bool report)
{
    if (!validControllerId(id) || !inRange4(p.senseA, 0, 99.9999) || !inRange4(p.senseB, 0, 99.9999) ||
        !inRange4(p.scaleA, -99.9999, 99.9999) || !inRange4(p.scaleB, -99.9999, 99.9999))
        return false;
    return sendWrite(scalingMnemonic(s), id,
                     "3:" + encodeUnsigned9(p.senseA) + " " + encodeSigned9(p.scaleA) + " " +
                         encodeUnsigned9(p.senseB) + " " + encodeSigned9(p.scaleB),
                     report);
}

bool CommandSet::readInversion(Scaling s, int id, int& flag, bool report)
{
    if (!validControllerId(id)) return false;
    flag = 0;
    CommandResult r = send(Direction::Read, scalingMnemonic(s), id, "4", report);
    if (!r.ok()) return false;
    flag = r.data.size() >= 2 ? parseHex(std::string_view(r.data).substr(1, 1)) : 0;
    return true;
}

bool CommandSet::writeInversion(Scaling s, int id, int flag, bool report)
{
    if (!validControllerId(id) || flag < 0 || flag > 1) return false;
    return sendWrite(scalingMnemonic(s), id, "7" + encodeHex(flag), report);
}

bool CommandSet::writeNoScaling(Scaling s, int id, bool report)
{
    if (!validControllerId(id)) return false;
    return sendWrite(scalingMnemonic(s), id, "9", report);
}

bool CommandSet::readHeadCode(int id, int index, std::string& answer, bool report)
{
    if (!validControllerId(id) || index < 0 || index > 2) return false;
    CommandResult r = send(Direction::Raw, "RGD", id, encodeHex(index), report);
    if (!r.ok()) return false;
    answer = r.data;
    return true;
}

bool CommandSet::writeHeadCode(int id, int index, const std::string& code, bool report)
{
    if (!validControllerId(id) || index < 0 || index > 2 || !validHeadCode(code)) return false;
    return send(Direction::Raw, "WGD", id, encodeHex(index) + code, report).ok();
}

bool CommandSet::readBlock(int id, long long first, long long second, std::string& answer, bool report)
{
    // The bounds travel as six digits each; a wider number would be cut and
    // ask for the wrong block.
    if (!validControllerId(id) || first < 0 || first > 999999 || second < 0 || second > 999999) return false;
    CommandResult r = send(Direction::Raw, "RBB", id, encodeDecimal(first, 6) + encodeDecimal(second, 6), report);
    if (!r.ok()) return false;
    answer = r.data;
    return true;
}

bool CommandSet::reboot(int id, bool report)
{
    if (!validControllerId(id)) return false;
    return send(Direction::Raw, "INT", id, "RESET", report).ok();
}

bool CommandSet::initialize(int id, bool report)
{
    if (!validControllerId(id)) return false;
    return send(Direction::Raw, "WIT", id, "SYSINIT", report).ok();
}

} // namespace tavimo::link
