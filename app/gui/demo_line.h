// The demo line of `Tavimo --demo`: the controller simulator inside the
// process, with controllers 0 to 3 on a pseudo-terminal that the port list
// offers first.
#pragma once

#include <memory>
#include <string>

namespace tavimo::sim {
class Simulator;
}

namespace tavimo::gui {

class DemoLine {
public:
    DemoLine();
    ~DemoLine();
    // False when no pseudo-terminal could be opened.
    bool start();
    std::string portPath() const;

private:
    std::unique_ptr<sim::Simulator> sim_;
};

} // namespace tavimo::gui
