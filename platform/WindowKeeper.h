// Keeps a top-level window at a fixed outer size (the window manager's frame
// included) and at its place against the window manager: the frame's
// margins as the window manager draws them, or as it last drew them while it
// has taken them away; the maximised and full-screen states undone, also
// when only the window manager holds them (its _NET_WM_STATE, where X11
// offers it); moves the user did not choose undone; a bounded number of
// attempts, after which the size a tiling manager imposes is taken; a
// minimised window left alone.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QElapsedTimer>
#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QSize>

class QWidget;

namespace platform {

class WindowKeeper : public QObject, public QAbstractNativeEventFilter {
public:
    // A window manager that keeps refusing the size or the place (a tiling
    // one) would have the window ask for ever: it gets this many attempts
    // in a burst, then the window takes what it is held at.
    static constexpr int kMaxAttempts = 20;
    // A burst lasts this long from its first attempt: a later request from
    // outside (a full-screen key pressed again) is undone again.
    static constexpr int kBurstMs = 2000;

    // `outerTwips`: the outer size the window keeps; `minimumClient`: the
    // client size it never goes below, whatever the frame takes. Watches
    // `window`, which must outlive the keeper.
    WindowKeeper(QWidget& window, QSize outerTwips, QSize minimumClient);
    ~WindowKeeper() override;
    WindowKeeper(const WindowKeeper&) = delete;
    WindowKeeper& operator=(const WindowKeeper&) = delete;

    // The client size that gives the outer size with the window manager's
    // frame, never less than the minimum.
    QSize clientSize() const;
    // Out of the maximised and full-screen states and at the size it keeps
    // (the client size, or the size a tiling manager imposes).
    void keepSize();
    // Centred on its screen now and once more at its first activation: a
    // window manager tells its frame only once it has framed the window.
    void centre();

    // The size a window manager held the window at after its attempts, or
    // an invalid size.
    QSize imposedSize() const { return imposed_; }
    // Every attempt made to come back to size and place, since the start.
    int attempts() const { return attempts_; }

    bool eventFilter(QObject* watched, QEvent* e) override;
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

private:
    QMargins margins() const;
    bool frameless() const;
    QSize target() const;
    void centreNow();
    void goToPlace();
    void moved(bool spontaneous);
    void askReturn();
    void comeBack();
    bool managerHoldsState() const;
    void askManagerForNormalState() const;

    QWidget& window_;
    const QSize outerTwips_;
    const QSize minimum_;
    mutable QMargins margins_;  // the window manager's frame, when last known
    QPoint place_;              // the outer top-left corner it keeps
    QSize imposed_;             // the size a window manager keeps against its own
    bool centreAgain_ = false;  // centre once more at the first activation
    bool pending_ = false;      // a return to size and place is queued
    bool returning_ = false;    // coming back, not there yet: moves are not the user's
    int inBurst_ = 0;           // attempts in the burst under way
    int attempts_ = 0;
    QElapsedTimer burst_;  // since the burst's first attempt
};

}  // namespace platform
