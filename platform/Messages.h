// The program's message boxes. Every message carries the program's title, an
// icon and its buttons; the answer is the button pressed. Windows and
// modules ask this service, never a toolkit box, so tests can answer it.
#pragma once

#include "platform/Busy.h"

#include <deque>
#include <string>
#include <vector>

namespace platform {

inline constexpr const char* kTitle = "KESTRAM - VORLANT\u00AE";

enum class Icon { None, Critical, Exclamation, Information, Question };
enum class Buttons { Ok, YesNo };
enum class Answer { Ok, Yes, No };

struct Message {
    std::string text;  // UTF-8
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
};

class MessageService {
public:
    virtual ~MessageService() = default;
    virtual Answer show(const Message& message) = 0;
};

// The service in force; messages() never returns null (a recording fake
// stands in until the program installs the real one).
MessageService& messages();
void setMessages(MessageService* service);  // nullptr restores the fallback

// While the message is on show (a real box runs a nested event loop) the
// program counts as busy: no command of the frame runs meanwhile.
inline Answer showMessage(const std::string& text, Icon icon,
                          Buttons buttons = Buttons::Ok) {
    const BusyScope ocupado;
    return messages().show(Message{text, icon, buttons});
}

// Test double: records every message; answers from a queue, then a default.
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

// Installs a fake for the lifetime of a scope.
class ScopedFakeMessages {
public:
    ScopedFakeMessages() { setMessages(&fake); }
    ~ScopedFakeMessages() { setMessages(nullptr); }
    ScopedFakeMessages(const ScopedFakeMessages&) = delete;
    ScopedFakeMessages& operator=(const ScopedFakeMessages&) = delete;
    FakeMessages fake;
};

}  // namespace platform
