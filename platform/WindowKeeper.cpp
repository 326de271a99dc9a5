#include "platform/WindowKeeper.h"

#include "platform/Controls.h"
#include "platform/Screen.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>

#ifdef KESTRAM_XCB_LINKED
#include <xcb/xcb.h>
#endif

namespace platform {

namespace {

constexpr Qt::WindowStates kOtherStates = Qt::WindowMaximized | Qt::WindowFullScreen;

#ifdef KESTRAM_XCB_LINKED
// The X connection of the toolkit, when it runs on X11.
xcb_connection_t* connection() {
    auto* x = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x ? x->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    auto* r = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(r);
    return a;
}

// The states of _NET_WM_STATE that take the window off its size and place.
struct Atoms {
    xcb_atom_t state, fullScreen, maxVert, maxHorz;
};

const Atoms& atoms(xcb_connection_t* c) {
    static const Atoms a{atom(c, "_NET_WM_STATE"), atom(c, "_NET_WM_STATE_FULLSCREEN"),
                         atom(c, "_NET_WM_STATE_MAXIMIZED_VERT"),
                         atom(c, "_NET_WM_STATE_MAXIMIZED_HORZ")};
    return a;
}
#endif

}  // namespace

WindowKeeper::WindowKeeper(QWidget& window, QSize outerTwips, QSize minimumClient)
    : window_(window), outerTwips_(outerTwips), minimum_(minimumClient) {
    window_.installEventFilter(this);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

WindowKeeper::~WindowKeeper() {
    window_.removeEventFilter(this);
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeNativeEventFilter(this);
}

QMargins WindowKeeper::margins() const {
    if (const QWindow* w = window_.windowHandle(); w && !w->frameMargins().isNull())
        margins_ = w->frameMargins();
    return margins_;
}

// The window manager has taken its frame away (full screen and the moment
// after): the one it last drew stands in.
bool WindowKeeper::frameless() const {
    const QWindow* w = window_.windowHandle();
    return w && w->frameMargins().isNull() && !margins_.isNull();
}

QSize WindowKeeper::clientSize() const {
    const QMargins m = margins();
    const QSize outer(twips(outerTwips_.width()), twips(outerTwips_.height()));
    return (outer - QSize(m.left() + m.right(), m.top() + m.bottom())).expandedTo(minimum_);
}

QSize WindowKeeper::target() const { return imposed_.isValid() ? imposed_ : clientSize(); }

void WindowKeeper::keepSize() {
    if (window_.windowState() & Qt::WindowMinimized) return;
    if (window_.windowState() & kOtherStates) window_.setWindowState(Qt::WindowNoState);
    const QSize client = target();
    window_.setFixedSize(client);
    // The base size is the size itself: a window manager that rounds to
    // the size increment (the toolkit sets one at fractional scales) keeps
    // it exactly.
    window_.setBaseSize(client);
    if (window_.size() != client)
        window_.resize(client);
    else if (QWindow* w = window_.windowHandle(); w && w->size() != client)
        w->resize(client);  // the window has another size than the widget knows
}

void WindowKeeper::centre() {
    centreNow();
    centreAgain_ = true;
}

void WindowKeeper::centreNow() {
    keepSize();
    if (const QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect r = s->geometry();
        const QSize outer = clientSize().grownBy(margins());
        place_ = QPoint(r.x() + (r.width() - outer.width()) / 2,
                        r.y() + (r.height() - outer.height()) / 2);
        goToPlace();
    }
}

// Puts the outer top-left corner at its place, by the client's position:
// where the window manager's frame, or while it has taken it away the one
// it last drew, puts the client; the frame then comes back around it at
// the place. While on show, through its platform window: the widget's own
// geometry may lag behind the window's after a window manager moved it,
// and a move to where the widget thinks it is would do nothing.
void WindowKeeper::goToPlace() {
    const QMargins m = margins();
    const QPoint client = place_ + QPoint(m.left(), m.top());
    if (QWindow* w = window_.windowHandle(); w && window_.isVisible())
        w->setPosition(client);
    else
        window_.move(client - (window_.geometry().topLeft() - window_.pos()));
}

// A move at its size, in the normal state (for the toolkit and for the
// window manager), with the window manager's frame drawn and no return
// under way, is the user's (or the window manager's placing): the place
// from now on. Any other move is the window manager framing the window,
// taking its frame away, taking it to full screen or bringing it back.
void WindowKeeper::moved(bool spontaneous) {
    if (!window_.isVisible() || pending_ || (window_.windowState() & Qt::WindowMinimized)) return;
    if (!returning_ && !(window_.windowState() & kOtherStates) &&
        window_.size() == clientSize() && !imposed_.isValid() && !frameless() &&
        !managerHoldsState()) {
        place_ = frameOf(window_).topLeft();
        return;
    }
    if (spontaneous) askReturn();
}

// Queued: not inside the event that found the window off its size or place.
void WindowKeeper::askReturn() {
    if (pending_) return;
    pending_ = true;
    QTimer::singleShot(0, this, &WindowKeeper::comeBack);
}

// After a size or a state it did not choose (a window manager's full
// screen, a program's resize request) the window comes back to its size
// and its place. After its attempts it takes the size it is held at (a
// tiling manager), so that the whole window is painted, until the window
// manager gives it another; or, at its size and in the normal state, the
// place it is held at. A place the window manager holds it at in full
// screen or maximised is never taken for its own.
void WindowKeeper::comeBack() {
    pending_ = false;
    if (!window_.isVisible() || (window_.windowState() & Qt::WindowMinimized)) return;
    // The window's size as the window system last told it (the widget's
    // may lag behind it).
    const QSize real = window_.windowHandle() ? window_.windowHandle()->size() : window_.size();
    if (imposed_.isValid() && real != imposed_) imposed_ = QSize();
    const bool held = managerHoldsState();
    const bool wrongState = held || (window_.windowState() & kOtherStates);
    const bool wrongSize = real != target();
    if (!wrongSize && !wrongState && (imposed_.isValid() || frameOf(window_).topLeft() == place_)) {
        inBurst_ = 0;
        returning_ = false;
        burst_.invalidate();
        return;
    }
    if (!burst_.isValid() || burst_.elapsed() > kBurstMs) {
        burst_.start();
        inBurst_ = 0;
    }
    if (inBurst_ >= kMaxAttempts) {
        returning_ = false;
        if (wrongSize) {
            imposed_ = real;
            keepSize();
        } else if (!wrongState) {
            place_ = frameOf(window_).topLeft();
        }
        return;
    }
    ++inBurst_;
    ++attempts_;
    returning_ = true;
    // The toolkit's own state may say normal while the window manager
    // still holds the window in full screen: asked in so many words.
    if (held) askManagerForNormalState();
    if (wrongSize || wrongState) keepSize();
    goToPlace();
}

bool WindowKeeper::eventFilter(QObject* watched, QEvent* e) {
    if (watched != &window_) return false;
    switch (e->type()) {
    case QEvent::Resize:
        // Only a size from outside; the keeper's own sizing needs no answer.
        if (e->spontaneous() && window_.isVisible()) askReturn();
        break;
    case QEvent::Move:
        // The window manager has framed the window: its margins are known
        // now, and a manager that gives no activation (or gives it before
        // the frame) must not leave the window centred without its frame.
        if (centreAgain_ && window_.windowHandle() &&
            !window_.windowHandle()->frameMargins().isNull()) {
            centreAgain_ = false;
            centreNow();
            break;
        }
        moved(e->spontaneous());
        break;
    case QEvent::WindowStateChange: askReturn(); break;
    case QEvent::Show:
        keepSize();
        // A window manager adds its frame after the window is mapped.
        QTimer::singleShot(0, this, &WindowKeeper::keepSize);
        break;
    case QEvent::WindowActivate:
        // The margins are known once the window is framed: the outer size
        // and the centring are redone.
        keepSize();
        if (centreAgain_) {
            centreAgain_ = false;
            centreNow();
        }
        break;
    default: break;
    }
    return false;
}

// The size the X server gives the window. A window manager that refuses a
// size answers with the one it keeps, which the toolkit passes on to the
// widget only when it differs from the last size it reported: without this
// look the window would paint only the size it asked for.
bool WindowKeeper::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
    const std::optional<QSize> s = configuredSize(type, message);
    if (!s || !window_.isVisible() || !window_.internalWinId()) return false;
#ifdef KESTRAM_XCB_LINKED
    const auto* c = static_cast<const xcb_configure_notify_event_t*>(message);
    if (c->window != static_cast<xcb_window_t>(window_.internalWinId())) return false;
#endif
    const qreal f = window_.devicePixelRatioF();
    if (std::abs(s->width() - std::lround(window_.width() * f)) > 1 ||
        std::abs(s->height() - std::lround(window_.height() * f)) > 1)
        askReturn();
    return false;
}

// The window manager's own word (_NET_WM_STATE): full screen or maximised.
bool WindowKeeper::managerHoldsState() const {
#ifdef KESTRAM_XCB_LINKED
    xcb_connection_t* c = connection();
    if (!c || !window_.internalWinId()) return false;
    const Atoms& a = atoms(c);
    auto* p = xcb_get_property_reply(
        c,
        xcb_get_property(c, 0, static_cast<xcb_window_t>(window_.internalWinId()), a.state,
                         XCB_ATOM_ATOM, 0, 32),
        nullptr);
    bool held = false;
    if (p) {
        const auto* v = static_cast<const xcb_atom_t*>(xcb_get_property_value(p));
        const int n = xcb_get_property_value_length(p) / static_cast<int>(sizeof(xcb_atom_t));
        for (int i = 0; i < n; ++i)
            held |= v[i] == a.fullScreen || v[i] == a.maxVert || v[i] == a.maxHorz;
    }
    std::free(p);
    return held;
#else
    return false;
#endif
}

// Requests to remove the states, not to toggle them: asked twice, the
// window manager does the same.
void WindowKeeper::askManagerForNormalState() const {
#ifdef KESTRAM_XCB_LINKED
    xcb_connection_t* c = connection();
    if (!c || !window_.internalWinId()) return;
    const Atoms& a = atoms(c);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    constexpr uint32_t kRemove = 0, kFromApplication = 1;
    const xcb_atom_t states[][2] = {{a.fullScreen, XCB_ATOM_NONE}, {a.maxVert, a.maxHorz}};
    for (const auto& pair : states) {
        xcb_client_message_event_t ev{};
        ev.response_type = XCB_CLIENT_MESSAGE;
        ev.format = 32;
        ev.window = static_cast<xcb_window_t>(window_.internalWinId());
        ev.type = a.state;
        ev.data.data32[0] = kRemove;
        ev.data.data32[1] = pair[0];
        ev.data.data32[2] = pair[1];
        ev.data.data32[3] = kFromApplication;
        xcb_send_event(c, 0, root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&ev));
    }
    xcb_flush(c);
#endif
}

}  // namespace platform
