// Work in progress that a window must outlive: a message or a dialog on
// show (each runs a nested event loop, in which queued calls and posted
// events run), or a guarded handler on the stack. While any is in progress
// no command may destroy a window or read the case halfway: the commands of
// the frame wait (platform/CommandGate.h) until the depth is back to zero.
// Plain C++: the message service and the data files use it too.
#pragma once

namespace platform {

// One level of work in progress, for the scope's lifetime.
class BusyScope {
public:
    BusyScope();
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
};

// How many levels are in progress; busy() when any is.
int busyDepth();
inline bool busy() { return busyDepth() > 0; }

// Called each time the depth falls back to zero (the command gate queues its
// waiting commands from there); nullptr: none.
void setIdleHook(void (*hook)());

}  // namespace platform
