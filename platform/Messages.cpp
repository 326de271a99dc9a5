#include "Messages.h"

namespace platform {

namespace {
FakeMessages& fallback() {
    static FakeMessages f;
    return f;
}
MessageService* current = nullptr;
}  // namespace

MessageService& messages() { return current ? *current : fallback(); }

void setMessages(MessageService* service) { current = service; }

Answer FakeMessages::show(const Message& message) {
    shown.push_back(message);
    if (!answers.empty()) {
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    return message.buttons == Buttons::YesNo ? defaultYesNo : defaultAnswer;
}

}  // namespace platform
