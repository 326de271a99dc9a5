// The end of the program by SIGTERM (a desktop's logout, systemd), SIGHUP
// (the terminal that started it closed) or SIGINT (Ctrl+C there). The
// handler only writes the signal's number to a pipe; a thread of its own
// reads it and hands it to the GUI thread, which runs the program's last
// step and then ends the program by that signal. When the GUI thread cannot
// get to it within the time allowed (held in a write), the thread removes
// the kept temporaries and ends the program itself.
#pragma once

#include <QObject>

#include <chrono>
#include <functional>
#include <thread>

namespace platform {

class EndSignals {
public:
    // lastStep runs on context's thread with the signal's number.
    EndSignals(QObject* context, std::function<void(int)> lastStep,
               std::chrono::milliseconds allowed = std::chrono::milliseconds(800));
    ~EndSignals();
    EndSignals(const EndSignals&) = delete;
    EndSignals& operator=(const EndSignals&) = delete;

private:
    void watch();

    QObject* context_;
    std::function<void(int)> lastStep_;
    std::chrono::milliseconds allowed_;
    std::thread watcher_;
};

// Ends the program now as the signal's default action does.
[[noreturn]] void endBySignal(int signal);

}  // namespace platform
