// The program's message boxes. Every message carries the program's title, an
// icon and its buttons; the answer is the button pressed. Windows and
// modules ask this service, never a toolkit box, so tests can answer it.
#pragma once

#include "platform/Busy.h"

#include <string>

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

// The service in force. The program installs its service once, at start-up;
// asking before that (or after it was removed) is a programming error that
// stops the program with a message on the standard error.
MessageService& messages();
void setMessages(MessageService* service);  // nullptr: none
MessageService* installedMessages();        // the one in force, or nullptr

// While the message is on show (a real box runs a nested event loop) the
// program counts as busy: no command of the frame runs meanwhile.
inline Answer showMessage(const std::string& text, Icon icon,
                          Buttons buttons = Buttons::Ok) {
    const BusyScope ocupado;
    return messages().show(Message{text, icon, buttons});
}

}  // namespace platform
