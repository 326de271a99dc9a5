#include "platform/Screen.h"

#include <QGuiApplication>
#include <QScreen>

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
