// The screen size the frame tests at start: the primary screen's size in
// pixels; tests inject another with ScopedScreenSize. The placing of a
// window over another.
#pragma once

#include <QRect>
#include <QSize>

#include <optional>

class QByteArray;
class QWidget;

namespace platform {

QSize screenSize();

// The outer frame of a top-level window, title bar included, as the window
// manager draws it now. QWidget::frameGeometry() keeps the frame the toolkit
// knew at the window's last move or resize: after a window manager takes
// its frame away and draws it again (full screen and back) without moving
// the client, it is stale.
QRect frameOf(const QWidget& window);

// Moves a top-level window so that its outer frame, title bar included, is
// centred on the outer frame of `over`, kept inside the free area of that
// window's screen. A window not shown yet has no frame of its own: the frame
// margins of `over` stand in for it (the same window manager draws both).
// Once the window manager has framed the window, its frame is measured and
// the window moved again by what it is off (at most a few times).
void centerOnWindow(QWidget& window, const QWidget& over);

// The program's main window: what a box is centred on when no window of the
// program is active (as right after another box closed); nullptr: none.
void setMainWindow(QWidget* window);
QWidget* mainWindow();

// The size in device pixels that an X server's ConfigureNotify event gives
// its window (a native event of type "xcb_generic_event_t"); nothing for
// any other event. A window manager that refuses a size answers with this
// event at the size it keeps, which the toolkit passes on only when it
// differs from the last size it reported.
std::optional<QSize> configuredSize(const QByteArray& eventType, const void* message);

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
