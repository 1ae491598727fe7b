#include "link/controller_scan.h"

#include "link/line_settings.h"

namespace tavimo::link {

VersionRange versionRange(int versionIndex)
{
    if (versionIndex <= 0 || versionIndex >= kVersionRangeCount) return {2, 99};
    return {0, 99};
}

ScanResult scanControllers(CommandSet& commands, int versionIndex, int configuredTimeoutIndex, bool report,
                           const std::function<void(int)>& progress)
{
    ScanResult result;
    SerialPort& port = commands.link().port();
    port.applyTimeout(kTimeoutIndexScan);
    const VersionRange range = versionRange(versionIndex);
    for (int id = 0; id < kMaxControllers; ++id) {
        if (report && commands.link().terminating()) break;
        if (progress) progress(id + 1);
        ScannedController c;
        c.id = id;
        if (!commands.readHeadType(id, c.headType, c.controllerCode, report)) continue;
        if (c.controllerCode < kControllerCodeLow || c.controllerCode > kControllerCodeHigh) continue;
        if (!commands.read(cmd::VR, id, c.version, report)) continue;
        if (c.version < range.low || c.version > range.high) continue;
        result.found.push_back(c);
    }
    port.applyTimeout(configuredTimeoutIndex);
    return result;
}

void applyScan(ActiveControllers& active, const ScanResult& scan)
{
    std::array<int, kMaxControllers> ids{};
    ids.fill(-1);
    int n = 0;
    for (const auto& c : scan.found)
        if (n < kMaxControllers) ids[static_cast<std::size_t>(n++)] = c.id;
    active.setScanned(ids, n);
}

} // namespace tavimo::link
