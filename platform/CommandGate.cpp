#include "platform/CommandGate.h"

#include "platform/Busy.h"

#include <QCoreApplication>
#include <QPointer>

#include <algorithm>
#include <deque>

namespace platform {

namespace {

struct Waiting {
    QPointer<QObject> context;
    QString key;
    std::function<void()> command;
};

std::deque<Waiting>& waiting() {
    static std::deque<Waiting> all;
    return all;
}

bool posted = false;

void dropGone() {
    auto& all = waiting();
    all.erase(std::remove_if(all.begin(), all.end(), [](const Waiting& w) { return !w.context; }),
              all.end());
}

void dispatch();

// One dispatch at a time, from the event loop.
void post() {
    dropGone();
    if (posted || waiting().empty() || !QCoreApplication::instance()) return;
    posted = true;
    QMetaObject::invokeMethod(QCoreApplication::instance(), &dispatch, Qt::QueuedConnection);
}

// Runs the first waiting command when nothing is busy; inside a nested loop
// it does nothing, and the depth's return to zero posts it again.
void dispatch() {
    posted = false;
    if (busy()) return;
    dropGone();
    if (waiting().empty()) return;
    Waiting w = std::move(waiting().front());
    waiting().pop_front();
    if (w.context) w.command();
    // The next one after the event loop has had its turn.
    if (!busy()) post();
}

}  // namespace

bool runWhenIdle(QObject* context, const QString& key, std::function<void()> command) {
    dropGone();
    if (!busy() && waiting().empty()) {
        command();
        return true;
    }
    for (const Waiting& w : waiting())
        if (w.context == context && w.key == key) return false;
    waiting().push_back({QPointer<QObject>(context), key, std::move(command)});
    setIdleHook(&post);
    if (!busy()) post();
    return false;
}

int waitingCommands() {
    dropGone();
    return static_cast<int>(waiting().size());
}

}  // namespace platform
