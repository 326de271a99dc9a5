// Leaving a field. A window creates one FieldGuard over itself and watches
// each validated field (a QLineEdit or a platform::Combo) with its handler.
//
// The handler runs every time the field is left, changed or not:
//  - by a real focus change to another widget of the window (mouse, Tab,
//    shortcut); focus-outs that are not leaves are ignored: another window
//    taking the focus (a message box), a menu or popup (also a combo's own
//    list), the focus going outside the guarded window or nowhere;
//  - by platform::leaveField(field) in tests (the same path, no focus needed).
//
// The handler says what happened:
//  - accepted():    the focus goes where the user sent it;
//  - refused():     the whole text is selected and the focus given back to
//                   the field (queued: never inside the focus change). Until
//                   the field is accepted, every command of the window is
//                   held: mouse and key input to its other widgets (buttons,
//                   grid, combos, shortcuts) is swallowed, so no command
//                   runs on a refused text. Each new attempt to leave runs
//                   the handler again. (A refused field the program then
//                   disables or hides holds nothing.)
//  - warning(next): accepted; the focus moves to `next` with its whole text
//                   selected (queued).
// The click that caused a refused or warned leave never reaches its target.
// While a focus move of the guard is pending, the widget that held the focus
// meanwhile is not "left" (its handler does not run).
//
// Push buttons of the window get autoDefault off (those present when the
// guard is made, a field watched or the window shown), so Return in a
// dialog's field never presses a button without the field being left;
// Return on a push button that holds the focus presses that button. A
// button's access key (Alt+letter) presses it as a click does: the field is
// left first, a refused field holds the command, an exempt one is not held.
//
// Tests: on a shown, active window use real focus and QTest clicks; on any
// window use leaveField() and clickAsUser(). button->click() skips the leave.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <map>
#include <vector>

class QAbstractButton;
class QKeyEvent;
class QShortcutEvent;
class QWidget;

namespace platform {

class LeaveResult {
public:
    enum class Kind { Accepted, Refused, Warning };

    static LeaveResult accepted() { return LeaveResult(Kind::Accepted, nullptr); }
    static LeaveResult refused() { return LeaveResult(Kind::Refused, nullptr); }
    static LeaveResult warning(QWidget* next) { return LeaveResult(Kind::Warning, next); }

    Kind kind() const { return kind_; }
    QWidget* next() const { return next_; }

private:
    LeaveResult(Kind kind, QWidget* next) : kind_(kind), next_(next) {}
    Kind kind_;
    QWidget* next_;
};

using LeaveHandler = std::function<LeaveResult()>;

class FieldGuard : public QObject {
    Q_OBJECT
public:
    // window: the widget whose fields and commands this guard looks after;
    // the guard is its child.
    explicit FieldGuard(QWidget* window);
    ~FieldGuard() override;

    void watch(QWidget* field, LeaveHandler handler);

    // A command that abandons the window's fields (a dialog's "Cancelar"):
    // a refused field never holds it, and moving the focus to it is not a
    // leave of the field.
    void exempt(QWidget* widget);

    // The field refused last and not accepted since (nullptr when none).
    QWidget* refusedField() const { return refused_; }

    // Runs the leave of a watched field (what a real leave runs) and says
    // how it ended (Accepted when the field is not watched).
    LeaveResult::Kind leave(QWidget* field);

    // The watched field that holds the window's focus, or nullptr.
    QWidget* focusedField() const;

    // The field holding the focus has an edit its handler has not taken yet:
    // its text differs from what it showed when it took the focus (the focus
    // coming back from a message box, a popup or another window keeps that
    // text), or it holds a refused text. Nothing runs: a command that reads
    // the case asks this in place of leaving the field.
    bool pendingEdit() const;

    // The guard watching this field, or nullptr.
    static FieldGuard* of(QWidget* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend bool clickAsUser(QAbstractButton* button);
    friend bool hasPendingEdit(const QWidget* window);
    void onFocusChanged(QWidget* old, QWidget* now);
    void leaveOnFocusChange(QWidget* old, QWidget* now);
    void rememberShown(QWidget* now);
    QWidget* fieldAt(QWidget* widget) const;
    void moveFocusLater(QWidget* target);
    bool inWindow(const QObject* object) const;
    bool held(const QObject* target) const;
    bool isExempt(const QWidget* widget) const;
    bool pressOnReturn(QObject* watched, const QKeyEvent* key);
    bool pressOnAccessKey(QObject* watched, const QShortcutEvent* shortcut);
    // A user's press of a command (click or access key): the field holding
    // the focus is left first, unless the command is exempt, and the button
    // takes the focus. False when the command is held.
    bool pressCommand(QAbstractButton* button, Qt::FocusReason reason);
    void clearAutoDefault();

    QWidget* window_;
    std::map<QWidget*, LeaveHandler> handlers_;
    std::vector<QPointer<QWidget>> exempt_;
    QPointer<QWidget> refused_;
    QPointer<QWidget> shown_;      // watched field that last took the focus
    QString shownText_;            // its text then, or as its handler left it
    QWidget* lastOut_ = nullptr;   // watched field of the last focus-out
    int lastOutReason_ = 0;        // its Qt::FocusReason
    int pendingMoves_ = 0;         // queued focus moves not yet done
    int quiet_ = 0;                // focus moves of the guard itself, no leave
    bool running_ = false;         // a handler is running
    bool eatClick_ = false;        // the press that caused the last leave
    bool eatRelease_ = false;      // the release of an eaten press
};

// Test hook: the user leaves the field (its guard runs the leave), then the
// queued focus moves are carried out.
void leaveField(QWidget* field);

// Test hook: a user's click on a command of a guarded window, shown or not:
// the field holding the window's focus is left first; the button is clicked
// (and takes the focus) only when that leave was accepted and no field is
// refused; an exempt command is clicked without the leave. Returns whether
// the command ran. (button->click() alone would
// skip the leave.)
bool clickAsUser(QAbstractButton* button);

// Whether a guarded field of this window holds an edit not yet left
// (FieldGuard::pendingEdit of the window's guard; false without a guard).
bool hasPendingEdit(const QWidget* window);

// Carries out pending queued calls (focus moves) so a test can read the focus.
void settle();

}  // namespace platform
