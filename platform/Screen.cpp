#include "platform/Screen.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <optional>

#if __has_include(<xcb/xcb.h>)
#include <xcb/xcb.h>
#define KESTRAM_XCB 1
#endif

namespace platform {

namespace {

std::optional<QSize>& injected() {
    static std::optional<QSize> size;
    return size;
}

QPointer<QWidget>& mainWindowRef() {
    static QPointer<QWidget> window;
    return window;
}

}  // namespace

QSize screenSize() {
    if (injected()) return *injected();
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize();
}

namespace {

// Where the frame of `window` goes: centred on the frame of `over`, inside
// the free area of that window's screen.
QRect centredFrame(const QWidget& window, const QWidget& sobre, const QMargins& marco) {
    QRect r(QPoint(0, 0), window.size().grownBy(marco));
    r.moveCenter(frameOf(sobre).center());
    if (const QScreen* s = sobre.screen()) {
        const QRect libre = s->availableGeometry();
        r.moveLeft(std::max(libre.left(), std::min(r.left(), libre.right() - r.width() + 1)));
        r.moveTop(std::max(libre.top(), std::min(r.top(), libre.bottom() - r.height() + 1)));
    }
    return r;
}

const char* const kCentrado = "platform_centrado";
// A window manager places a window once or twice; a dialog it keeps moving
// would be chased for ever: a few moves, early only (later ones are the user's).
constexpr int kMovidasCentrado = 3;
constexpr int kPlazoCentradoMs = 2000;

// Once the window manager has framed the window (its exposure, or a move
// the window manager made) its frame is measured against the place asked
// for and moved by what it is off: a window manager may take the place
// asked for as the client's, shift it by its border, or place the window
// itself a moment later. A window manager that draws no frame has placed
// the window all the same: it is measured without one. At most three
// moves, within two seconds of the first exposure (later moves are the
// user's); gone when the window hides.
class Centrado : public QObject {
public:
    Centrado(QWidget& window, const QWidget& sobre) : QObject(&window), window_(&window), sobre_(&sobre) {
        setObjectName(QString::fromLatin1(kCentrado));
        window.installEventFilter(this);
        vigilar();
    }

    bool eventFilter(QObject* o, QEvent* e) override {
        if (o == window_) {
            if (e->type() == QEvent::Show) vigilar();
            if (e->type() == QEvent::Hide) deleteLater();
        } else if (o == ventanaQt_ && (e->type() == QEvent::Expose || e->type() == QEvent::Move)) {
            revisar();
        }
        return false;
    }

private:
    // The platform window exists once the widget is shown.
    void vigilar() {
        QWindow* w = window_ ? window_->windowHandle() : nullptr;
        if (!w || w == ventanaQt_) return;
        ventanaQt_ = w;
        w->installEventFilter(this);
    }

    void revisar() {
        if (!window_ || !sobre_ || !ventanaQt_ || !ventanaQt_->isExposed()) return;
        const QMargins marco = ventanaQt_->frameMargins();  // none: no frame drawn
        if (!desde_.isValid()) desde_.start();
        const QPoint desvio =
            centredFrame(*window_, *sobre_, marco).topLeft() - frameOf(*window_).topLeft();
        if (desvio.manhattanLength() <= 1) return;
        if (movidas_ >= kMovidasCentrado || desde_.elapsed() > kPlazoCentradoMs) {
            deleteLater();
            return;
        }
        ++movidas_;
        // The platform window's client position, as its frame was measured.
        ventanaQt_->setPosition(ventanaQt_->position() + desvio);
    }

    QPointer<QWidget> window_;
    QPointer<const QWidget> sobre_;
    QPointer<QWindow> ventanaQt_;
    int movidas_ = 0;
    QElapsedTimer desde_;  // since the first exposure
};

}  // namespace

QRect frameOf(const QWidget& window) {
    if (const QWindow* w = window.windowHandle()) return w->frameGeometry();
    return window.frameGeometry();
}

void setMainWindow(QWidget* window) { mainWindowRef() = window; }

QWidget* mainWindow() { return mainWindowRef(); }

void centerOnWindow(QWidget& window, const QWidget& over) {
    const QWidget& sobre = *over.window();
    QMargins marco;
    if (window.isVisible() && window.windowHandle()) marco = window.windowHandle()->frameMargins();
    if (marco.isNull() && sobre.windowHandle()) marco = sobre.windowHandle()->frameMargins();
    const QRect r = centredFrame(window, sobre, marco);
    // A window's position is that of its frame; but a window already made
    // and not yet framed takes a move as its client's: its platform window
    // is told the frame's position instead.
    QWindow* w = window.windowHandle();
    if (window.testAttribute(Qt::WA_WState_Created) && w && w->frameMargins().isNull())
        w->setFramePosition(r.topLeft());
    else
        window.move(r.topLeft());
    // Measured again once the window manager has framed it.
    delete window.findChild<QObject*>(QString::fromLatin1(kCentrado), Qt::FindDirectChildrenOnly);
    new Centrado(window, sobre);
}

std::optional<QSize> configuredSize(const QByteArray& eventType, const void* message) {
#ifdef KESTRAM_XCB
    if (eventType != "xcb_generic_event_t" || !message) return std::nullopt;
    const auto* e = static_cast<const xcb_generic_event_t*>(message);
    // The high bit marks an event another client sent (the window manager).
    if ((e->response_type & 0x7f) != XCB_CONFIGURE_NOTIFY) return std::nullopt;
    const auto* c = static_cast<const xcb_configure_notify_event_t*>(message);
    return QSize(c->width, c->height);
#else
    static_cast<void>(eventType);
    static_cast<void>(message);
    return std::nullopt;
#endif
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
