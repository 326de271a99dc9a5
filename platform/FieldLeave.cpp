#include "platform/FieldLeave.h"

#include "platform/Busy.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace platform {

namespace {

std::vector<FieldGuard*>& guards() {
    static std::vector<FieldGuard*> all;
    return all;
}

bool inside(const QWidget* w, const QWidget* container) {
    return w && container && (w == container || container->isAncestorOf(w));
}

QString textOf(const QWidget* w) {
    if (auto* edit = qobject_cast<const QLineEdit*>(w)) return edit->text();
    if (auto* combo = qobject_cast<const QComboBox*>(w)) return combo->currentText();
    return {};
}

}  // namespace

FieldGuard::FieldGuard(QWidget* window) : QObject(window), window_(window) {
    guards().push_back(this);
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, &FieldGuard::onFocusChanged);
    clearAutoDefault();
}

FieldGuard::~FieldGuard() {
    auto& all = guards();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

FieldGuard* FieldGuard::of(QWidget* field) {
    for (FieldGuard* g : guards())
        if (g->handlers_.count(field)) return g;
    return nullptr;
}

void FieldGuard::watch(QWidget* field, LeaveHandler handler) {
    if (!field) return;
    if (!handlers_.count(field)) {
        connect(field, &QObject::destroyed, this, [this, field] {
            handlers_.erase(field);
            checked_.erase(field);
            order_.erase(std::remove(order_.begin(), order_.end(), field), order_.end());
            if (lastOut_ == field) lastOut_ = nullptr;
        });
        auto changed = [this, field] { textChangedIn(field); };
        if (auto* edit = qobject_cast<QLineEdit*>(field)) {
            connect(edit, &QLineEdit::textChanged, this, changed);
        } else if (auto* combo = qobject_cast<QComboBox*>(field)) {
            // The combo's own signals may be blocked while the program
            // fills it; its edit line's are not.
            if (QLineEdit* line = combo->lineEdit())
                connect(line, &QLineEdit::textChanged, this, changed);
            connect(combo, &QComboBox::currentIndexChanged, this, changed);
        }
        order_.push_back(field);
        checked_[field] = textOf(field);
    }
    handlers_[field] = std::move(handler);
    clearAutoDefault();
}

// Only the field that holds the focus can be typed into: a text written
// while it does not is the program's, and the start of any pending edit.
void FieldGuard::textChangedIn(QWidget* field) {
    if (!holdsFocus(field)) checked_[field] = textOf(field);
}

// The field has the focus, or gets it back when the window is active again
// (a message box, a popup or another window holds the focus meanwhile).
bool FieldGuard::holdsFocus(const QWidget* field) const {
    if (const QWidget* now = QApplication::focusWidget()) {
        if (inside(now, field)) return true;
        if (now->window() == window_->window()) return false;
    }
    return fieldAt(window_->focusWidget()) == field;
}

void FieldGuard::exempt(QWidget* widget) {
    if (widget) exempt_.emplace_back(widget);
}

bool FieldGuard::isExempt(const QWidget* widget) const {
    for (const QPointer<QWidget>& e : exempt_)
        if (e && inside(widget, e)) return true;
    return false;
}

void FieldGuard::clearAutoDefault() {
    for (QPushButton* b : window_->findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
}

bool FieldGuard::inWindow(const QObject* object) const {
    return object && object->isWidgetType() && inside(static_cast<const QWidget*>(object), window_);
}

bool FieldGuard::inFrame(const QWidget* widget) const {
    QWidget* frame = window_->parentWidget();
    return inside(widget, qobject_cast<QMdiSubWindow*>(frame) ? frame : window_);
}

bool FieldGuard::held(const QObject* target) const {
    // A refused field the program has since disabled or hidden cannot take
    // the focus back; it holds nothing.
    if (!refused_ || !refused_->isEnabled() || !refused_->isVisibleTo(window_)) return false;
    if (target->isWidgetType() && isExempt(static_cast<const QWidget*>(target))) return false;
    return inWindow(target) && !inside(static_cast<const QWidget*>(target), refused_);
}

bool FieldGuard::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::FocusOut:
        if (watched->isWidgetType() && handlers_.count(static_cast<QWidget*>(watched))) {
            lastOut_ = static_cast<QWidget*>(watched);
            lastOutReason_ = static_cast<QFocusEvent*>(event)->reason();
        }
        break;
    case QEvent::Show:
        if (watched == window_) clearAutoDefault();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (!inWindow(watched)) break;
        if (eatClick_ || held(watched)) {
            eatClick_ = false;
            eatRelease_ = true;
            return true;
        }
        eatRelease_ = false;
        break;
    case QEvent::MouseButtonRelease:
        if (!inWindow(watched)) break;
        if (eatRelease_ || held(watched)) {
            eatRelease_ = false;
            return true;
        }
        break;
    case QEvent::KeyPress:
        if (held(watched)) return true;
        if (pressOnReturn(watched, static_cast<QKeyEvent*>(event))) return true;
        break;
    case QEvent::Shortcut:
        if (pressOnAccessKey(watched, static_cast<QShortcutEvent*>(event))) return true;
        if (held(watched)) return true;
        break;
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
        if (held(watched)) return true;
        break;
    default:
        break;
    }
    return false;
}

// With autoDefault off, Return on a push button that holds the focus would
// do nothing; it presses the button, as the user expects.
bool FieldGuard::pressOnReturn(QObject* watched, const QKeyEvent* key) {
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    if (key->modifiers() & ~Qt::KeypadModifier) return false;
    auto* button = qobject_cast<QPushButton*>(watched);
    if (!button || !inWindow(button) || !button->hasFocus() || !button->isEnabled()) return false;
    button->click();
    return true;
}

// Qt would press the button later (animated) without the focus moving, so
// the field would never be left: the guard presses it now, as a click.
bool FieldGuard::pressOnAccessKey(QObject* watched, const QShortcutEvent* shortcut) {
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (!button || !inWindow(button) || shortcut->isAmbiguous()) return false;
    if (button->isEnabled() && pressCommand(button, Qt::ShortcutFocusReason)) button->click();
    return true;
}

bool FieldGuard::pressCommand(QAbstractButton* button, Qt::FocusReason reason) {
    QWidget* field = isExempt(button) ? nullptr : focusedField();
    if (field && field != button && leave(field) != LeaveResult::Kind::Accepted) return false;
    if (held(button)) return false;
    if (button->focusPolicy() & Qt::ClickFocus) {
        ++quiet_;
        button->setFocus(reason);
        --quiet_;
    }
    return true;
}

void FieldGuard::onFocusChanged(QWidget* old, QWidget* now) { leaveOnFocusChange(old, now); }

void FieldGuard::leaveOnFocusChange(QWidget* old, QWidget* now) {
    QWidget* out = lastOut_;
    const int reason = lastOutReason_;
    lastOut_ = nullptr;
    if (quiet_ > 0) return;
    if (!old || old != out || !handlers_.count(old)) return;
    // A popup (menu, a combo's list) or another window taking the focus is
    // not the user leaving the field; nor is the focus leaving the window
    // and its child frame. The child frame itself is a place of the window:
    // going backwards round the chain, the focus passes through it.
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) return;
    if (!now || !inFrame(now) || inside(now, old) || isExempt(now)) return;
    // The child frame takes the focus itself only on its way round the chain
    // (Tab, Shift+Tab). A click on its title bar or close box gives the focus
    // straight back to the field: the user has not left it (and a refused
    // text must not keep the close box from closing).
    if (!inWindow(now) && reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason)
        return;
    // The window going away (closed, hidden) moves the focus on Qt's own
    // account: the user abandons the field rather than leaving it.
    if (!window_->isVisible()) return;
    // The widget that held the focus while the guard moves it on.
    if (pendingMoves_ > 0 && old != refused_) return;
    const bool byMouse = reason == Qt::MouseFocusReason;
    leave(old);
    if (byMouse && (refused_ == old || pendingMoves_ > 0)) eatClick_ = true;
}

QWidget* FieldGuard::fieldAt(QWidget* widget) const {
    for (QWidget* w = widget; w && inside(w, window_); w = w->parentWidget())
        if (handlers_.count(w)) return w;
    return nullptr;
}

QWidget* FieldGuard::focusedField() const { return fieldAt(window_->focusWidget()); }

bool FieldGuard::pendingEdit(const QWidget* field) const {
    auto it = checked_.find(const_cast<QWidget*>(field));
    if (it == checked_.end()) return false;
    if (!field->isEnabled() || !field->isVisibleTo(window_)) return false;
    return field == refused_ || textOf(field) != it->second;
}

bool FieldGuard::pendingEdit() const {
    return std::any_of(order_.begin(), order_.end(),
                       [this](const QWidget* f) { return pendingEdit(f); });
}

bool FieldGuard::leavePending() {
    QPointer<FieldGuard> self(this);
    const std::vector<QPointer<QWidget>> fields(order_.begin(), order_.end());
    for (const QPointer<QWidget>& field : fields) {
        if (!self) return false;
        if (!field || !pendingEdit(field)) continue;
        if (leave(field) != LeaveResult::Kind::Accepted) return false;
    }
    return bool(self);
}

LeaveResult::Kind FieldGuard::leave(QWidget* field) {
    auto it = handlers_.find(field);
    if (it == handlers_.end() || running_) return LeaveResult::Kind::Accepted;
    const LeaveHandler handler = it->second;
    QPointer<FieldGuard> self(this);
    QPointer<QWidget> target(field);
    running_ = true;
    const BusyScope ocupado;  // no command of the frame destroys the window meanwhile
    const LeaveResult result = handler();
    if (!self) return result.kind();
    running_ = false;
    if (!target) return result.kind();

    switch (result.kind()) {
    case LeaveResult::Kind::Accepted:
        if (refused_ == field) refused_ = nullptr;
        checked_[field] = textOf(field);  // taken: nothing pending
        break;
    case LeaveResult::Kind::Refused:
        refused_ = field;
        selectWholeText(field);
        moveFocusLater(field);
        break;
    case LeaveResult::Kind::Warning:
        if (refused_ == field) refused_ = nullptr;
        checked_[field] = textOf(field);
        if (QWidget* next = result.next()) {
            selectWholeText(next);
            moveFocusLater(next);
        }
        break;
    }
    return result.kind();
}

void FieldGuard::moveFocusLater(QWidget* target) {
    ++pendingMoves_;
    QPointer<QWidget> live(target);
    QMetaObject::invokeMethod(
        this,
        [this, live] {
            if (live && live->isEnabled()) {
                live->setFocus(Qt::OtherFocusReason);
                selectWholeText(live);
            }
            --pendingMoves_;
            eatClick_ = false;
        },
        Qt::QueuedConnection);
}

void leaveField(QWidget* field) {
    if (FieldGuard* g = FieldGuard::of(field)) g->leave(field);
    settle();
}

bool clickAsUser(QAbstractButton* button) {
    if (!button) return false;
    FieldGuard* guard = nullptr;
    for (FieldGuard* g : guards())
        if (g->inWindow(button)) guard = g;
    if (guard && !guard->pressCommand(button, Qt::MouseFocusReason)) {
        settle();
        return false;
    }
    if (!button->isEnabled() || !button->isVisibleTo(button->window())) return false;
    button->click();
    settle();
    return true;
}

bool hasPendingEdit(const QWidget* window) {
    for (FieldGuard* g : guards())
        if (g->window_ == window) return g->pendingEdit();
    return false;
}

bool leavePendingFields(const QWidget* window) {
    for (FieldGuard* g : guards())
        if (g->window_ == window) return g->leavePending();
    return true;
}

void selectWholeText(QWidget* field) {
    QLineEdit* edit = qobject_cast<QLineEdit*>(field);
    if (auto* combo = qobject_cast<QComboBox*>(field)) edit = combo->lineEdit();
    if (!edit) return;
    const int n = static_cast<int>(edit->text().size());
    edit->setSelection(n, -n);  // selected from its end back to 0: the cursor at the start
}

void settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

}  // namespace platform
