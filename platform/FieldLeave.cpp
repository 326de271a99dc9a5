#include "platform/FieldLeave.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
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

void selectAllIn(QWidget* w) {
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->selectAll();
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (combo->lineEdit()) combo->lineEdit()->selectAll();
    }
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
    if (!handlers_.count(field))
        connect(field, &QObject::destroyed, this, [this, field] {
            handlers_.erase(field);
            if (lastOut_ == field) lastOut_ = nullptr;
        });
    handlers_[field] = std::move(handler);
    clearAutoDefault();
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

void FieldGuard::onFocusChanged(QWidget* old, QWidget* now) {
    leaveOnFocusChange(old, now);
    rememberShown(now);
}

void FieldGuard::leaveOnFocusChange(QWidget* old, QWidget* now) {
    QWidget* out = lastOut_;
    const int reason = lastOutReason_;
    lastOut_ = nullptr;
    if (quiet_ > 0) return;
    if (!old || old != out || !handlers_.count(old)) return;
    // A popup (menu, a combo's list) or another window taking the focus is
    // not the user leaving the field; nor is the focus leaving the window.
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) return;
    if (!now || !inWindow(now) || inside(now, old) || isExempt(now)) return;
    // The window going away (closed, hidden) moves the focus on Qt's own
    // account: the user abandons the field rather than leaving it.
    if (!window_->isVisible()) return;
    // The widget that held the focus while the guard moves it on.
    if (pendingMoves_ > 0 && old != refused_) return;
    const bool byMouse = reason == Qt::MouseFocusReason;
    leave(old);
    if (byMouse && (refused_ == old || pendingMoves_ > 0)) eatClick_ = true;
}

// A field taking the focus from another widget of the window: a pending
// edit is measured from what it shows now (after the leave of the field it
// came from, which may rewrite it). The focus going to or coming back from
// another window, a popup or nowhere changes nothing.
void FieldGuard::rememberShown(QWidget* now) {
    if (!inWindow(now)) return;
    QWidget* field = fieldAt(now);
    if (field == shown_) return;
    shown_ = field;
    shownText_ = field ? textOf(field) : QString();
}

QWidget* FieldGuard::fieldAt(QWidget* widget) const {
    for (QWidget* w = widget; w && inside(w, window_); w = w->parentWidget())
        if (handlers_.count(w)) return w;
    return nullptr;
}

QWidget* FieldGuard::focusedField() const { return fieldAt(window_->focusWidget()); }

bool FieldGuard::pendingEdit() const {
    QWidget* field = focusedField();
    if (!field) return false;
    if (field == refused_) return true;
    return field == shown_ && textOf(field) != shownText_;
}

LeaveResult::Kind FieldGuard::leave(QWidget* field) {
    auto it = handlers_.find(field);
    if (it == handlers_.end() || running_) return LeaveResult::Kind::Accepted;
    const LeaveHandler handler = it->second;
    QPointer<FieldGuard> self(this);
    QPointer<QWidget> target(field);
    running_ = true;
    const LeaveResult result = handler();
    if (!self) return result.kind();
    running_ = false;
    if (!target) return result.kind();

    switch (result.kind()) {
    case LeaveResult::Kind::Accepted:
        if (refused_ == field) refused_ = nullptr;
        if (shown_ == field) shownText_ = textOf(field);  // taken: nothing pending
        break;
    case LeaveResult::Kind::Refused:
        refused_ = field;
        selectAllIn(field);
        moveFocusLater(field);
        break;
    case LeaveResult::Kind::Warning:
        if (refused_ == field) refused_ = nullptr;
        if (shown_ == field) shownText_ = textOf(field);
        if (QWidget* next = result.next()) {
            selectAllIn(next);
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
                selectAllIn(live);
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

void settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

}  // namespace platform
