#include "tests/platform_fakes/FakeMessages.h"

namespace platform {

Answer FakeMessages::show(const Message& message) {
    shown.push_back(message);
    if (!answers.empty()) {
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    return message.buttons == Buttons::YesNo ? defaultYesNo : defaultAnswer;
}

void installFallbackMessages() {
    static FakeMessages fallback;
    setMessages(&fallback);
}

}  // namespace platform
