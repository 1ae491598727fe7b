#include "sim/answer_frame.h"

#include "link/frame.h"

#include <algorithm>
#include <cctype>

namespace tavimo::sim {

namespace {

bool hasLetter(const std::string& code)
{
    for (char c : code)
        if (c >= 'A' && c <= 'F') return true;
    return false;
}

// A lower-case code only shows when the code holds a letter. The address
// field is not examined by the program, so its second character is changed
// until the XOR has one.
void letLowerCaseShow(std::string& body)
{
    for (char c = 'A'; c <= 'Z' && !hasLetter(link::xorCode(body)); ++c) body[2] = c;
}

std::string checkCode(int mode, const std::string& body, const FaultEffects& shape)
{
    if (mode == link::kCheckCodeOff) return shape.badCheckCode ? "##" : "**";
    if (mode != link::kCheckCodeXor) return {};
    // XOR over one more byte: certainly another code.
    std::string code = link::xorCode(shape.badCheckCode ? body + "X" : body);
    if (shape.lowerCaseCheck)
        for (char& c : code) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return code;
}

} // namespace

std::string buildAnswer(const Request& request, const Reply& reply, int checkCodeMode, const FaultEffects& shape)
{
    if (shape.shortAnswer) return std::string("%EE$") + link::kCR;

    std::string field = request.field;
    if (shape.wrongEcho) field[2] = field[2] == 'Z' ? 'Y' : static_cast<char>(field[2] + 1);
    int id = shape.wrongId ? (request.id + 1) % 10 : request.id;

    std::string body = "%EE";
    body += reply.ok ? link::kNormalMark : kErrorMark;
    body += field;
    body += static_cast<char>('0' + id);
    if (reply.ok) body += reply.data;
    if (shape.lowerCaseCheck && checkCodeMode == link::kCheckCodeXor) letLowerCaseShow(body);
    std::string frame = body + checkCode(checkCodeMode, body, shape);
    if (!shape.noCr) frame += link::kCR;

    std::string out;
    if (shape.noise) out += kNoiseBytes;
    // A partial answer that a new "%" interrupts: the reader starts over.
    if (shape.restartedFrame) out += body.substr(0, std::max<std::size_t>(5, body.size() / 2));
    out += frame;
    return out;
}

} // namespace tavimo::sim
