#include "link/port_list.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace tavimo::link {

namespace {

bool isSerialName(const std::string& n)
{
    for (const char* prefix : {"ttyS", "ttyUSB", "ttyACM"}) {
        std::string p(prefix);
        if (n.size() > p.size() && n.compare(0, p.size(), p) == 0 &&
            std::all_of(n.begin() + static_cast<long>(p.size()), n.end(), [](unsigned char c) { return std::isdigit(c); }))
            return true;
    }
    return false;
}

// ttyS2 before ttyS10: compare the prefix, then the number.
bool naturalLess(const std::string& a, const std::string& b)
{
    auto split = [](const std::string& s) {
        auto pos = s.find_first_of("0123456789");
        return std::make_pair(s.substr(0, pos), pos == std::string::npos ? 0L : std::stol(s.substr(pos)));
    };
    return split(a) < split(b);
}

} // namespace

std::vector<std::string> listSerialPorts(const std::string& explicitPort, const std::string& sysRoot,
                                         const std::string& devRoot)
{
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(sysRoot, ec), end; !ec && it != end; it.increment(ec)) {
        std::string n = it->path().filename().string();
        if (!isSerialName(n)) continue;
        // A legacy ttyS without hardware has no device link under /sys.
        if (!fs::exists(it->path() / "device", ec)) continue;
        // A UART type of 0 means the port was probed and found absent.
        if (std::ifstream type(it->path() / "type"); type) {
            int t = -1;
            if (type >> t && t == 0) continue;
        }
        names.push_back(n);
    }
    std::sort(names.begin(), names.end(), naturalLess);
    std::vector<std::string> ports;
    if (!explicitPort.empty()) ports.push_back(explicitPort);
    for (const auto& n : names) {
        std::string path = devRoot + "/" + n;
        if (path != explicitPort) ports.push_back(path);
    }
    return ports;
}

} // namespace tavimo::link
