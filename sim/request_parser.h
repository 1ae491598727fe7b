// Cutting the bytes that arrive from the program into request frames and
// taking a frame apart: "%EE#" + command field + ID digit + data + check code + CR.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavimo::sim {

using Clock = std::chrono::steady_clock;

// A complete frame ("%" through CR) and when its "%" arrived.
struct ReceivedFrame {
    std::string bytes;
    Clock::time_point startedAt;
};

// Hunts for "%", collects up to CR; a "%" restarts the frame. A frame longer
// than kMaxRequestBytes is thrown away.
class RequestAssembler {
public:
    static constexpr std::size_t kMaxRequestBytes = 512;
    std::vector<ReceivedFrame> feed(std::string_view bytes, Clock::time_point at);
    bool collecting() const { return collecting_; }

private:
    std::string current_;
    Clock::time_point startedAt_{};
    bool collecting_ = false;
};

enum class RequestDirection { Read, Write, Raw };

struct Request {
    std::string field;    // the three-character command field, echoed back
    std::string mnemonic; // "HM", "GD", "RBB", "INT", ...
    RequestDirection direction = RequestDirection::Read;
    int id = 0;
    std::string data;
};

// Nothing when the framing is wrong or, in check-code mode 1, the check code
// does not match: such requests get no answer.
std::optional<Request> parseRequest(std::string_view frame, int checkCodeMode);

} // namespace tavimo::sim
