// The message service on Qt: a modal QMessageBox with the program's title,
// the icon and the buttons "Aceptar" or "Sí"/"No" (a question is answered
// only by a button or its key, never by Escape or the close button),
// centred on the frame of its window. The program installs it
// at start with setMessages(&service); tests install their stand-ins.
#pragma once

#include "platform/Messages.h"

class QWidget;

namespace platform {

class QtMessageService : public MessageService {
public:
    // parent: the window the boxes are centred on (nullptr: the modal
    // dialog on show, else the active window, else the main window).
    explicit QtMessageService(QWidget* parent = nullptr) : parent_(parent) {}
    Answer show(const Message& message) override;

private:
    QWidget* parent_;
};

}  // namespace platform
