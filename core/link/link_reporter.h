// What the link layer needs from the front end: showing its two fatal
// messages and asking the application to end. The core shows nothing itself.
#pragma once

namespace tavimo::link {

enum class LinkMessage {
    ProgramError,    // a fatal port status: the program must end
    AlarmNotCleared, // an error answer whose alarm could not be cleared
};

class LinkReporter {
public:
    virtual ~LinkReporter() = default;
    virtual void showLinkMessage(LinkMessage message) = 0;
    virtual void requestTermination() = 0;
};

} // namespace tavimo::link
