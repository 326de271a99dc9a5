#include "platform/Busy.h"

namespace platform {

namespace {
int depth = 0;
void (*idleHook)() = nullptr;
}  // namespace

BusyScope::BusyScope() { ++depth; }

BusyScope::~BusyScope() {
    if (--depth == 0 && idleHook) idleHook();
}

int busyDepth() { return depth; }

void setIdleHook(void (*hook)()) { idleHook = hook; }

}  // namespace platform
