// Outcome of one transaction on the line.
#pragma once

namespace tavimo::link {

enum class LinkStatus : int {
    NotSent = -1, // nothing was sent (the command was refused before the line)
    Ok = 0,
    WriteIncomplete = 3, // fewer bytes written than the request before the write timeout
    NoAnswer = 4,        // no byte within the read timeout, or the answer overran its bound
    NoValidAnswer = 7,   // two attempts without a valid answer
    WriteError = 8,      // the port reported an error while writing
    ReadError = 9,       // the port reported an error while reading
    LockTimeout = 12,    // the port lock was not obtained within 50 ms
    OtherFailure = 13,
    AlarmNotCleared = 14, // error answer and the alarm could not be cleared
    PortClosed = 15,
};

// Statuses that end the application when met on the user-interface side.
constexpr bool isFatal(LinkStatus s)
{
    return s == LinkStatus::WriteError || s == LinkStatus::ReadError || s == LinkStatus::OtherFailure ||
           s == LinkStatus::PortClosed;
}

} // namespace tavimo::link
