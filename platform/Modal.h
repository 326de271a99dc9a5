// Windows shown modally: the caller waits until the dialog closes.
// runModal() centres the dialog on its parent's window and execs it. Under
// a ScopedModalScript (tests) it still execs it for real, but once the
// dialog is shown it calls the next scripted step with the live dialog
// (fill fields, leave them, press buttons); if the dialog is still open
// when the step returns it is rejected, and a dialog with no step left is
// rejected at once, so a test never hangs.
#pragma once

#include <QString>

#include <deque>
#include <functional>
#include <vector>

class QDialog;

namespace platform {

// Shows the dialog modally and returns its result (QDialog::Accepted or
// Rejected). The program counts as busy meanwhile (platform/Busy.h).
int runModal(QDialog& dialog);

using ModalStep = std::function<void(QDialog&)>;

class ScopedModalScript {
public:
    ScopedModalScript();
    ~ScopedModalScript();
    ScopedModalScript(const ScopedModalScript&) = delete;
    ScopedModalScript& operator=(const ScopedModalScript&) = delete;

    void push(ModalStep step) { steps.push_back(std::move(step)); }

    std::deque<ModalStep> steps;
    std::vector<QString> shown;  // objectName of every dialog run, in order

private:
    ScopedModalScript* previous_;
};

}  // namespace platform
