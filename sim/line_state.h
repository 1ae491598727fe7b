// What the line thread owns: the pty, the incoming byte assembler, the
// outgoing schedule. Private to the simulator's sources.
#pragma once

#include "sim/output_queue.h"
#include "sim/pacing.h"
#include "sim/pty.h"
#include "sim/request_parser.h"
#include "sim/simulator.h"

namespace tavimo::sim {

struct Simulator::Line {
    explicit Line(const SimulatorOptions& o) : pacer(o.pace, o.baud, o.bitsPerCharacter) {}
    Pty pty;
    RequestAssembler assembler;
    OutputQueue out;
    EndlessStream stream;
    LinePacer pacer;
};

} // namespace tavimo::sim
