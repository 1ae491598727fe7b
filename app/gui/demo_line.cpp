#include "demo_line.h"

#include "sim/simulator.h"

namespace tavimo::gui {

DemoLine::DemoLine() = default;

DemoLine::~DemoLine()
{
    if (sim_) sim_->stop();
}

bool DemoLine::start()
{
    sim::SimulatorOptions o;
    o.ids = {0, 1, 2, 3};
    sim_ = std::make_unique<sim::Simulator>(o);
    if (sim_->start()) return true;
    sim_.reset();
    return false;
}

std::string DemoLine::portPath() const { return sim_ ? sim_->portPath() : std::string(); }

} // namespace tavimo::gui
