#include "platform/Signals.h"

#include "platform/Temporaries.h"

#include <QMetaObject>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <pthread.h>
#include <sys/select.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};
int pipeEnds[2] = {-1, -1};

void onSignal(int signal) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t n = ::write(pipeEnds[1], &byte, 1);
    errno = saved;
}

void setHandler(int signal, void (*handler)(int)) {
    struct sigaction sa {};
    sa.sa_handler = handler;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    ::sigaction(signal, &sa, nullptr);
}

}  // namespace

void endBySignal(int signal) {
    setHandler(signal, SIG_DFL);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, signal);
    ::pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
    ::kill(::getpid(), signal);
    ::_exit(128 + signal);
}

EndSignals::EndSignals(QObject* context, std::function<void(int)> lastStep,
                       std::chrono::milliseconds allowed)
    : context_(context), lastStep_(std::move(lastStep)), allowed_(allowed) {
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) return;
    ::fcntl(pipeEnds[1], F_SETFL, O_NONBLOCK);
    // The watcher takes none of these signals: they go to the other threads.
    sigset_t set, old;
    sigemptyset(&set);
    for (int s : kSignals) sigaddset(&set, s);
    ::pthread_sigmask(SIG_BLOCK, &set, &old);
    watcher_ = std::thread([this] { watch(); });
    ::pthread_sigmask(SIG_SETMASK, &old, nullptr);
    for (int s : kSignals) setHandler(s, onSignal);
}

EndSignals::~EndSignals() {
    for (int s : kSignals) setHandler(s, SIG_DFL);
    if (watcher_.joinable()) {
        const unsigned char stop = 0;
        [[maybe_unused]] const ssize_t n = ::write(pipeEnds[1], &stop, 1);
        watcher_.join();
    }
    for (int& fd : pipeEnds) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
}

void EndSignals::watch() {
    unsigned char byte = 0;
    for (;;) {
        const ssize_t n = ::read(pipeEnds[0], &byte, 1);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0 || byte == 0) return;
        break;
    }
    const int signal = byte;
    QMetaObject::invokeMethod(
        context_,
        [step = lastStep_, signal] {
            step(signal);
            endBySignal(signal);
        },
        Qt::QueuedConnection);
    // The GUI thread ends the program; if it does not in time, this thread
    // does (a stop byte meanwhile: the program is ending on its own).
    struct timeval limit {};
    limit.tv_sec = static_cast<time_t>(allowed_.count() / 1000);
    limit.tv_usec = static_cast<suseconds_t>((allowed_.count() % 1000) * 1000);
    for (;;) {
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(pipeEnds[0], &ready);
        const int r = ::select(pipeEnds[0] + 1, &ready, nullptr, nullptr, &limit);
        if (r < 0 && errno == EINTR) continue;
        if (r == 0) break;
        if (r > 0 && ::read(pipeEnds[0], &byte, 1) == 1 && byte != 0) continue;  // another signal
        return;
    }
    removeTemporaries();
    endBySignal(signal);
}

}  // namespace platform
