#include "buffering/buffering_line.h"

#include "buffering/buffering_rules.h"
#include "link/command_table.h"

namespace tavimo::buffering {

bool writeBufferModeSettled(const BufferingLine& line, int id, int enable, int type)
{
    const bool written = line.commands().writeBufferMode(id, enable, type, false);
    int averaging = 0;
    const bool averagingRead = line.commands().read(link::cmd::AV, id, averaging, false);
    line.ctx.pauseFor(settleDelayMs(averagingRead, averaging));
    return written;
}

} // namespace tavimo::buffering
