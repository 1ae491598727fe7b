// A timeout row in force for one scope; the row given as `after` is put back
// however the scope ends.
#pragma once

#include "link/serial_port.h"

namespace tavimo::link {

class TimeoutScope {
public:
    TimeoutScope(SerialPort& port, int during, int after) : port_(port), after_(after) { port_.applyTimeout(during); }
    ~TimeoutScope() { port_.applyTimeout(after_); }
    TimeoutScope(const TimeoutScope&) = delete;
    TimeoutScope& operator=(const TimeoutScope&) = delete;

private:
    SerialPort& port_;
    int after_;
};

} // namespace tavimo::link
