// The serial ports offered to the user.
#pragma once

#include <string>
#include <vector>

namespace tavimo::link {

// The system's serial ports (/dev/ttyS*, ttyUSB*, ttyACM* backed by a device),
// in a stable natural order. A non-empty `explicitPort` is placed first and
// not repeated. `sysRoot` and `devRoot` exist for tests.
std::vector<std::string> listSerialPorts(const std::string& explicitPort = {},
                                         const std::string& sysRoot = "/sys/class/tty",
                                         const std::string& devRoot = "/dev");

} // namespace tavimo::link
