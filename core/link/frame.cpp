#include "link/frame.h"

namespace tavimo::link {

std::size_t checkCodeLength(int mode)
{
    return (mode == kCheckCodeOff || mode == kCheckCodeXor) ? 2 : 0;
}

std::string xorCode(std::string_view bytes)
{
    unsigned char x = 0;
    for (char c : bytes) x ^= static_cast<unsigned char>(c);
    static constexpr char digits[] = "0123456789ABCDEF";
    return {digits[x >> 4], digits[x & 0x0F]};
}

std::string appendCheckCode(int mode, std::string_view text)
{
    std::string out(text);
    if (mode == kCheckCodeOff) out += "**";
    else if (mode == kCheckCodeXor) out += xorCode(text);
    return out;
}

bool checkCodeMatches(int mode, std::string_view answer)
{
    if (mode != kCheckCodeXor) return true;
    if (answer.size() < 4) return false;
    std::string_view covered = answer.substr(0, answer.size() - 3);
    return answer.substr(answer.size() - 3, 2) == xorCode(covered);
}

std::string commandField(Direction dir, std::string_view mnemonic)
{
    std::string f;
    if (dir == Direction::Read) f = "R";
    else if (dir == Direction::Write) f = "W";
    f += mnemonic;
    return f;
}

std::string buildRequest(int mode, Direction dir, std::string_view mnemonic, int id, std::string_view data)
{
    std::string body(kRequestPrefix);
    body += commandField(dir, mnemonic);
    body += std::to_string(id);
    body += data;
    std::string out = appendCheckCode(mode, body);
    out += kCR;
    return out;
}

} // namespace tavimo::link
