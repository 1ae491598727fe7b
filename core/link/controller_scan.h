// Scanning IDs 0 to 7 for answering controllers of a supported version.
#pragma once

#include "link/active_list.h"
#include "link/commands.h"

#include <functional>
#include <vector>

namespace tavimo::link {

struct VersionRange {
    double low;
    double high;
};

// Accepted controller versions per `VERSION_INDEX`; an index outside the
// table takes row 0.
VersionRange versionRange(int versionIndex);
inline constexpr int kVersionRangeCount = 8;
inline constexpr int kControllerCodeLow = 100;
inline constexpr int kControllerCodeHigh = 119;

struct ScannedController {
    int id = 0;
    int headType = 0;
    int controllerCode = 0;
    double version = 0;
};

struct ScanResult {
    std::vector<ScannedController> found; // ascending ID
    bool ok() const { return !found.empty(); }
};

// Scans with the 100 ms scan timeout and puts back `configuredTimeoutIndex`
// afterwards. `progress` (optional) is called with 1..8 as each ID is tried.
// Reads use reportErrors = `report`.
ScanResult scanControllers(CommandSet& commands, int versionIndex, int configuredTimeoutIndex, bool report,
                           const std::function<void(int)>& progress = {});

// The list of active IDs of a scan.
void applyScan(ActiveControllers& active, const ScanResult& scan);

} // namespace tavimo::link
