#include "link/line_settings.h"

namespace tavimo::link {

int acceptedBaud(std::string_view text)
{
    static constexpr std::array<std::pair<std::string_view, int>, 7> table{{
        {"9600", 9600}, {"14400", 14400}, {"19200", 19200}, {"38400", 38400},
        {"56000", 56000}, {"57600", 57600}, {"115200", 115200},
    }};
    for (const auto& [t, v] : table)
        if (t == text) return v;
    return 9600;
}

char acceptedParity(std::string_view text)
{
    if (text == "E") return 'E';
    if (text == "O") return 'O';
    return 'N';
}

int acceptedDataBits(std::string_view text)
{
    return text == "7" ? 7 : 8;
}

int acceptedStopBits(std::string_view text)
{
    return text == "2" ? 2 : 1;
}

LineSettings resolveLineSettings(std::string_view speed, std::string_view parity, std::string_view data,
                                 std::string_view stop)
{
    return LineSettings{acceptedBaud(speed), acceptedParity(parity), acceptedDataBits(data), acceptedStopBits(stop)};
}

std::string definitionText(const LineSettings& s)
{
    return "baud=" + std::to_string(s.baud) + " parity=" + std::string(1, s.parity) +
           " data=" + std::to_string(s.dataBits) + " stop=" + std::to_string(s.stopBits);
}

int timeoutMsForIndex(int index)
{
    static constexpr std::array<int, 9> table{500, 1000, 2000, 3000, 4000, 5000, 10000, 20000, 100};
    if (index < 0 || index >= static_cast<int>(table.size())) return 30000;
    return table[static_cast<std::size_t>(index)];
}

int bitsPerCharacter(const LineSettings& s)
{
    return 1 + s.dataBits + (s.parity == 'N' ? 0 : 1) + s.stopBits;
}

} // namespace tavimo::link
