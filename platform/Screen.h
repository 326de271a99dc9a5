// The screen size the frame tests at start: the primary screen's size in
// pixels; tests inject another with ScopedScreenSize. The placing of a
// window over another.
#pragma once

#include <QSize>

class QWidget;

namespace platform {

QSize screenSize();

// Moves a top-level window so that its outer frame, title bar included, is
// centred on the outer frame of `over`, kept inside the free area of that
// window's screen. A window not shown yet has no frame of its own: the frame
// margins of `over` stand in for it (the same window manager draws both).
void centerOnWindow(QWidget& window, const QWidget& over);

class ScopedScreenSize {
public:
    explicit ScopedScreenSize(QSize size);
    ~ScopedScreenSize();
    ScopedScreenSize(const ScopedScreenSize&) = delete;
    ScopedScreenSize& operator=(const ScopedScreenSize&) = delete;

private:
    QSize previous_;
    bool hadPrevious_;
};

}  // namespace platform
