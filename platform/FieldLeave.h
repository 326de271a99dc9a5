// Leaving a field. A window creates one FieldGuard over itself and watches
// each validated field (a QLineEdit or a platform::Combo) with its handler.
//
// The handler runs every time the field is left, changed or not:
//  - by a real focus change to another place of the window or of the child
//    frame that holds it (a QMdiSubWindow; Shift+Tab from the first widget
//    passes through it): mouse, Tab and Shift+Tab (also where they wrap round
//    either end of the chain), an access key, the program moving the focus.
//    A click on the child frame's title bar is none: the frame gives the
//    focus straight back to the field.
//    Focus-outs that are not leaves are ignored: another window taking the
//    focus (a message box), a menu or popup (also a combo's own list), the
//    focus going outside the window and its child frame, or nowhere;
//  - by platform::leaveField(field) in tests (the same path, no focus needed).
// While a handler runs the program counts as busy (platform/Busy.h): no
// command of the frame can destroy the window under it.
//
// The handler says what happened:
//  - accepted():    the focus goes where the user sent it;
//  - refused():     the whole text is selected, the cursor at its start so
//                   the start stays in view, and the focus given back to
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
// A pending edit (the second line of defence, for a field the focus left
// without a leave): a watched field whose text differs from what it showed
// after its last check, or that holds a refused text, whether or not it
// still has the focus. Its last check is its last leave that was accepted or
// warned; a text the program writes while the field does not hold the focus
// (the load step, a reset) is the new start too. A disabled or hidden field
// holds no pending edit.
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

    // A watched field holds an edit its handler has not taken yet (a pending
    // edit, above), the focused one or any other. Nothing runs: the close
    // asks its save question, the print refuses.
    bool pendingEdit() const;
    // This field holds one.
    bool pendingEdit(const QWidget* field) const;

    // Runs the leave of every field that holds a pending edit, in the order
    // they were watched, as leaving each would; stops at the first that is
    // not accepted. True when every one was accepted (or none was pending):
    // a command that reads the case (calculate, save) goes on only then.
    bool leavePending();

    // The guard watching this field, or nullptr.
    static FieldGuard* of(QWidget* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend bool clickAsUser(QAbstractButton* button);
    friend bool hasPendingEdit(const QWidget* window);
    friend bool leavePendingFields(const QWidget* window);
    void onFocusChanged(QWidget* old, QWidget* now);
    void leaveOnFocusChange(QWidget* old, QWidget* now);
    void textChangedIn(QWidget* field);
    bool holdsFocus(const QWidget* field) const;
    QWidget* fieldAt(QWidget* widget) const;
    void moveFocusLater(QWidget* target);
    bool inWindow(const QObject* object) const;
    // In the window or in the child frame that holds it.
    bool inFrame(const QWidget* widget) const;
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
    std::vector<QWidget*> order_;          // the watched fields, in watch order
    std::map<QWidget*, QString> checked_;  // text after its last check
    std::vector<QPointer<QWidget>> exempt_;
    QPointer<QWidget> refused_;
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

// FieldGuard::leavePending of the window's guard (true without a guard).
bool leavePendingFields(const QWidget* window);

// Selects the whole text of a line edit or an editable combo with the cursor
// at its start, so that a text longer than the box shows its beginning.
void selectWholeText(QWidget* field);

// Carries out pending queued calls (focus moves) so a test can read the focus.
void settle();

}  // namespace platform
