// The one gate of the frame's commands: menu entries and their shortcuts,
// toolbar buttons, the child frame's close box, the closing of the frame.
//
// A command asked while nothing is busy (platform/Busy.h) runs at once. One
// asked while a message or a dialog is on show, a nested event loop is on
// the stack or a guarded handler runs waits: it runs from the event loop once
// the depth is back to zero, that is after every handler on the stack has
// returned, one command at a time, in the order asked. It never runs
// halfway: a waiting command runs whole, or is dropped with nothing changed
// when its context object has gone. A command asked again under the same key
// and context while it waits is not queued twice.
#pragma once

#include <QString>

#include <functional>

class QObject;

namespace platform {

// True when the command ran now, false when it waits (or already waited).
bool runWhenIdle(QObject* context, const QString& key, std::function<void()> command);

// How many commands wait (for tests).
int waitingCommands();

}  // namespace platform
