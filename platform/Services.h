// The program's services (messages, file dialogs, launcher, printers) are
// installed once, by the program at start-up or by a test. A service asked
// for before that is a programming error: it stops the program loudly
// instead of answering in silence.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace platform {

[[noreturn]] inline void serviceMissing(const char* name) {
    std::fprintf(stderr, "KESTRAM: the %s service was used before it was installed\n", name);
    std::abort();
}

template <class Service>
Service& serviceInForce(Service* service, const char* name) {
    if (!service) serviceMissing(name);
    return *service;
}

}  // namespace platform
