// Stand-in of the message service for tests: records every message and
// answers from a queue, then a default. Plain C++, for the tests without Qt.
#pragma once

#include "platform/Messages.h"

#include <deque>
#include <vector>

namespace platform {

class FakeMessages : public MessageService {
public:
    Answer show(const Message& message) override;

    std::vector<Message> shown;
    std::deque<Answer> answers;
    Answer defaultAnswer = Answer::Ok;  // for Ok boxes; YesNo boxes use defaultYesNo
    Answer defaultYesNo = Answer::No;

    void clear() {
        shown.clear();
        answers.clear();
    }
};

// Installs a fake for the lifetime of a scope, then puts back the service
// that was in force.
class ScopedFakeMessages {
public:
    ScopedFakeMessages() : previous_(installedMessages()) { setMessages(&fake); }
    ~ScopedFakeMessages() { setMessages(previous_); }
    ScopedFakeMessages(const ScopedFakeMessages&) = delete;
    ScopedFakeMessages& operator=(const ScopedFakeMessages&) = delete;
    FakeMessages fake;

private:
    MessageService* previous_;
};

// The messages of a whole test program: a fake that answers "No" to every
// question, so that no test depends on a service it did not install.
void installFallbackMessages();

}  // namespace platform
