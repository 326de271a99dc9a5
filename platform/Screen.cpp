#include "platform/Screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <optional>

namespace platform {

namespace {
std::optional<QSize>& injected() {
    static std::optional<QSize> size;
    return size;
}
}  // namespace

QSize screenSize() {
    if (injected()) return *injected();
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize();
}

void centerOnWindow(QWidget& window, const QWidget& over) {
    const QWidget& sobre = *over.window();
    QMargins marco;
    if (window.isVisible() && window.windowHandle()) marco = window.windowHandle()->frameMargins();
    if (marco.isNull() && sobre.windowHandle()) marco = sobre.windowHandle()->frameMargins();
    QRect r(QPoint(0, 0), window.size().grownBy(marco));
    r.moveCenter(sobre.frameGeometry().center());
    if (const QScreen* s = sobre.screen()) {
        const QRect libre = s->availableGeometry();
        r.moveLeft(std::max(libre.left(), std::min(r.left(), libre.right() - r.width() + 1)));
        r.moveTop(std::max(libre.top(), std::min(r.top(), libre.bottom() - r.height() + 1)));
    }
    // A window's position is that of its frame; but a window already made
    // and not yet framed takes a move as its client's: its platform window
    // is told the frame's position instead.
    QWindow* w = window.windowHandle();
    if (window.testAttribute(Qt::WA_WState_Created) && w && w->frameMargins().isNull())
        w->setFramePosition(r.topLeft());
    else
        window.move(r.topLeft());
}

ScopedScreenSize::ScopedScreenSize(QSize size)
    : previous_(injected().value_or(QSize())), hadPrevious_(injected().has_value()) {
    injected() = size;
}

ScopedScreenSize::~ScopedScreenSize() {
    if (hadPrevious_)
        injected() = previous_;
    else
        injected().reset();
}

}  // namespace platform
