// Faults the simulator can inject into its answers, and their text form
// ("KIND[:id=N][:cmd=XX][:count=N][:ms=N]") used by tavimo-sim --fault.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavimo::sim {

enum class FaultKind {
    Silence,        // no answer; the request is lost
    Alarm,          // error answer; the controller stays in alarm until a CA
    StuckAlarm,     // error answer; CA fails too (ends with INT or clearFaults)
    WrongEcho,      // another command field in the echo
    WrongId,        // another controller ID digit in the echo
    BadCheckCode,   // a check code that does not match
    LowerCaseCheck, // the right XOR in lower-case hexadecimal (the unexamined
                    // address field is changed if needed so the code has a letter)
    Noise,          // garbage bytes before the answer
    RestartedFrame, // a partial answer, then a new "%" and the full answer
    NoCr,           // the answer without CR, then bytes without CR keep coming
    Unplug,         // the line is cut: the master side of the pty is closed
    ShortAnswer,    // "%EE$" + CR
    Delay,          // the answer comes `ms` late
};

struct Fault {
    FaultKind kind = FaultKind::Silence;
    int id = -1;          // controller ID it applies to; -1 any
    std::string command;  // mnemonic ("MD") or full command field ("WHM"); empty any
    int count = -1;       // answers it applies to; -1 until cleared
    int ms = 0;           // Delay: the delay; NoCr: how long the stream lasts (0: default)
};

std::string_view faultKindName(FaultKind k);
std::optional<FaultKind> faultKindFromName(std::string_view name);
// Every kind name, for usage texts.
std::string faultKindNames();

// "delay:id=2:cmd=MD:count=3:ms=500"; nothing on a syntax error (`error` says why).
std::optional<Fault> parseFault(std::string_view text, std::string* error = nullptr);

// True when the fault applies to a request with this command field and ID.
bool faultMatches(const Fault& f, std::string_view field, std::string_view mnemonic, int id);

// What the faults that hit one answer do to it, taken together.
struct FaultEffects {
    bool silence = false;
    bool unplug = false;
    bool alarm = false;
    bool stuckAlarm = false;
    bool wrongEcho = false;
    bool wrongId = false;
    bool badCheckCode = false;
    bool lowerCaseCheck = false;
    bool noise = false;
    bool restartedFrame = false;
    bool noCr = false;
    int noCrMs = 0; // how long the stream lasts; 0 the default
    bool shortAnswer = false;
    int delayMs = 0;
};

FaultEffects combineFaults(const std::vector<Fault>& faults);

// The faults in force. take() returns the faults that apply to one answer and
// uses up one count of each; exhausted faults are dropped.
class FaultList {
public:
    void add(const Fault& f);
    void clear() { faults_.clear(); }
    bool empty() const { return faults_.empty(); }
    std::vector<Fault> take(std::string_view field, std::string_view mnemonic, int id);
    const std::vector<Fault>& all() const { return faults_; }

private:
    std::vector<Fault> faults_;
};

} // namespace tavimo::sim
