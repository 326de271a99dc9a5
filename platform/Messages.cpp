#include "Messages.h"

#include "platform/Services.h"

namespace platform {

namespace {
MessageService* current = nullptr;
}  // namespace

MessageService& messages() { return serviceInForce(current, "message"); }
void setMessages(MessageService* service) { current = service; }
MessageService* installedMessages() { return current; }

}  // namespace platform
