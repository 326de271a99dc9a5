#include "platform/Modal.h"

#include "platform/Busy.h"
#include "platform/Screen.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>

namespace platform {

namespace {
ScopedModalScript* script = nullptr;
}  // namespace

ScopedModalScript::ScopedModalScript() : previous_(script) { script = this; }

ScopedModalScript::~ScopedModalScript() { script = previous_; }

int runModal(QDialog& dialog) {
    // Its event loop runs queued calls: the program is busy meanwhile.
    const BusyScope ocupado;
    // Centred on the frame of its window, title bar included.
    if (const QWidget* over = dialog.parentWidget()) centerOnWindow(dialog, *over);
    if (!script) return dialog.exec();

    script->shown.push_back(dialog.objectName());
    ModalStep step;
    if (!script->steps.empty()) {
        step = std::move(script->steps.front());
        script->steps.pop_front();
    }
    QPointer<QDialog> live(&dialog);
    QTimer::singleShot(0, &dialog, [live, step] {
        if (!live) return;
        if (step) {
            live->activateWindow();
            QCoreApplication::processEvents();
            step(*live);
        }
        if (live && live->isVisible()) live->reject();
    });
    return dialog.exec();
}

}  // namespace platform
