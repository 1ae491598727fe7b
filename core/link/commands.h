// The command set: one operation per controller command. Writes check their
// range first and send nothing when a value is outside it; reads store the
// parsed answer only when the transaction succeeded. Every operation returns
// whether the transaction ended with success.
#pragma once

#include "link/command_table.h"
#include "link/transaction.h"

#include <string>

namespace tavimo::link {

enum class Scaling { Display, Voltage }; // SD, SV

struct JudgementLimits { // WT
    double upper = 0;
    double lower = 0;
    double hysteresis = 0;
};

struct OnePointScaling { // SD/SV selector 1 and 2
    double sense = 0;
    double offset = 0;
};

struct TwoPointScaling { // SD/SV selector 2 and 3
    double senseA = 0;
    double scaleA = 0;
    double senseB = 0;
    double scaleB = 0;
};

inline constexpr int kCalcWaitMs = 100; // after every UC transaction
inline constexpr int kHeadCodeLength = 10;

class CommandSet {
public:
    explicit CommandSet(Link& link) : link_(link) {}
    Link& link() { return link_; }

    // Single-value commands. `selector` is the read data digit where the
    // command has one (BN).
    bool access(const IntCommand& c, Direction dir, int id, long long& value, bool report, int selector = 0);
    bool access(const RealCommand& c, Direction dir, int id, double& value, bool report);
    bool read(const IntCommand& c, int id, int& value, bool report, int selector = 0);
    bool write(const IntCommand& c, int id, long long value, bool report);
    bool read(const RealCommand& c, int id, double& value, bool report);
    bool write(const RealCommand& c, int id, double value, bool report);

    // UC: mode 0 none, 1 A+B, 2 A-B; partner controller ID.
    bool readCalculation(int id, int& mode, int& partner, bool report);
    bool writeCalculation(int id, int mode, int partner, bool report);
    // BT: enable 0/1, trigger type 0 external / 1 internal.
    bool readBufferMode(int id, int& enable, int& type, bool report);
    bool writeBufferMode(int id, int enable, int type, bool report);
    // LO: selector 0 display / 1 voltage, slope 0 "+" / 1 "-".
    bool readSlope(int id, int selector, int& slope, bool report);
    bool writeSlope(int id, int selector, int slope, bool report);
    // PC: head type 0..6 and controller code.
    bool readHeadType(int id, int& headType, int& controllerCode, bool report);
    bool readLimits(int id, JudgementLimits& limits, bool report);
    bool writeLimits(int id, const JudgementLimits& limits, bool report);
    // HC / LC: teach from the present value; the answer is the new limit.
    bool teachUpper(int id, double& newLimit, bool report);
    bool teachLower(int id, double& newLimit, bool report);
    // CG: 0..4 or 9.
    bool calibrationStep(int id, int step, bool report);
    bool clearAlarm(int id, bool report);

    bool readScalingMode(Scaling s, int id, int& mode, bool report);
    bool readOnePoint(Scaling s, int id, OnePointScaling& p, bool report);
    bool writeOnePoint(Scaling s, int id, const OnePointScaling& p, bool report);
    bool readTwoPoint(Scaling s, int id, TwoPointScaling& p, bool report);
    bool writeTwoPoint(Scaling s, int id, const TwoPointScaling& p, bool report);
    bool readInversion(Scaling s, int id, int& flag, bool report);
    bool writeInversion(Scaling s, int id, int flag, bool report);
    bool writeNoScaling(Scaling s, int id, bool report);

    // GD: index 0 SUS, 1 Fe, 2 Al. The read returns the answer text (index
    // digit followed by the code); `code` gets the code part.
    bool readHeadCode(int id, int index, std::string& answer, bool report);
    bool writeHeadCode(int id, int index, const std::string& code, bool report);
    // RBB: the two block bounds, answer text unparsed.
    bool readBlock(int id, long long first, long long second, std::string& answer, bool report);
    bool reboot(int id, bool report);     // INT RESET
    bool initialize(int id, bool report); // WIT SYSINIT

private:
    CommandResult send(Direction dir, std::string_view mnemonic, int id, std::string_view data, bool report);
    bool sendWrite(std::string_view mnemonic, int id, std::string_view data, bool report);
    bool teach(std::string_view mnemonic, int id, double& newLimit, bool report);

    Link& link_;
};

// A head characteristic code: exactly 10 printable ASCII characters, never
// "%" (it would restart the answer) nor CR.
bool validHeadCode(const std::string& code);
bool validControllerId(int id);

} // namespace tavimo::link
