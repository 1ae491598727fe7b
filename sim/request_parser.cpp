#include "sim/request_parser.h"

#include "link/frame.h"

namespace tavimo::sim {

std::vector<ReceivedFrame> RequestAssembler::feed(std::string_view bytes, Clock::time_point at)
{
    std::vector<ReceivedFrame> out;
    for (char c : bytes) {
        if (c == link::kStart) {
            current_.assign(1, c);
            startedAt_ = at;
            collecting_ = true;
        } else if (collecting_) {
            current_ += c;
            if (c == link::kCR) {
                out.push_back({std::move(current_), startedAt_});
                current_.clear();
                collecting_ = false;
            } else if (current_.size() > kMaxRequestBytes) {
                current_.clear();
                collecting_ = false;
            }
        }
    }
    return out;
}

namespace {

bool upperLetter(char c)
{
    return c >= 'A' && c <= 'Z';
}

// Commands whose three-letter field carries no direction letter.
bool rawMnemonic(std::string_view field)
{
    return field == "INT" || field == "WIT" || field == "RBB";
}

} // namespace

std::optional<Request> parseRequest(std::string_view frame, int checkCodeMode)
{
    const std::size_t check = link::checkCodeLength(checkCodeMode);
    const std::size_t header = link::kRequestPrefix.size() + 3 + 1;
    if (frame.size() < header + check + 1 || frame.back() != link::kCR) return std::nullopt;
    if (frame.substr(0, link::kRequestPrefix.size()) != link::kRequestPrefix) return std::nullopt;
    std::string_view field = frame.substr(4, 3);
    for (char c : field)
        if (!upperLetter(c)) return std::nullopt;
    char idDigit = frame[7];
    if (idDigit < '0' || idDigit > '9') return std::nullopt;
    std::string_view body = frame.substr(0, frame.size() - 1 - check);
    if (checkCodeMode == link::kCheckCodeXor && frame.substr(body.size(), 2) != link::xorCode(body))
        return std::nullopt;

    Request r;
    r.field = std::string(field);
    r.id = idDigit - '0';
    r.data = std::string(body.substr(header));
    if (rawMnemonic(field)) {
        r.direction = RequestDirection::Raw;
        r.mnemonic = r.field;
    } else if (field[0] == 'R' || field[0] == 'W') {
        r.direction = field[0] == 'R' ? RequestDirection::Read : RequestDirection::Write;
        r.mnemonic = std::string(field.substr(1));
    } else {
        // Unknown three-letter command: well framed, answered with an error.
        r.direction = RequestDirection::Raw;
        r.mnemonic = r.field;
    }
    return r;
}

} // namespace tavimo::sim
