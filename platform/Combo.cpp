#include "platform/Combo.h"

#include "platform/Controls.h"

#include <QAction>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QWheelEvent>

namespace platform {

Combo::Combo(Style style, QWidget* parent) : QComboBox(parent), style_(style) {
    if (style_ == Style::Editable) {
        setEditable(true);
        setInsertPolicy(QComboBox::NoInsert);
        setCompleter(nullptr);
    }
    setCurrentIndex(-1);
    // The user's pick (list, arrow keys, wheel); the program's goes through
    // select(), which raises the event itself.
    connect(this, &QComboBox::activated, this, [this](int) { emit selected(); });
}

void Combo::addEntry(const QString& text) { setEntry(count(), text); }

void Combo::setEntry(int i, const QString& text) {
    if (i < 0 || i > count()) return;
    const QSignalBlocker blocker(this);
    const int index = currentIndex();
    const QString edit = isEditable() ? lineEdit()->text() : QString();
    if (i == count())
        addItem(text);
    else
        setItemText(i, text);
    if (currentIndex() != index) setCurrentIndex(index);
    if (isEditable() && lineEdit()->text() != edit) lineEdit()->setText(edit);
}

void Combo::select(int i) {
    if (i < -1 || i >= count()) return;
    {
        const QSignalBlocker blocker(this);
        setCurrentIndex(i);
        if (i >= 0 && isEditable()) {
            lineEdit()->setText(itemText(i));
            lineEdit()->setCursorPosition(0);
        }
    }
    if (i >= 0) emit selected();
}

QString Combo::text() const {
    if (isEditable()) return lineEdit()->text();
    return currentIndex() >= 0 ? itemText(currentIndex()) : QString();
}

void Combo::setText(const QString& text) {
    if (!isEditable()) return;
    const QSignalBlocker blocker(this);
    lineEdit()->setText(text);
    lineEdit()->setCursorPosition(0);  // a long text shows its beginning
}

bool Combo::forwards(const QKeyEvent* event) const {
    const int key = event->key();
    if (isModifierKey(key)) return false;
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers & (Qt::ControlModifier | Qt::MetaModifier)) return false;
    // Alt with a letter or digit is an access key (menus, buttons).
    if ((modifiers & Qt::AltModifier) && key > 0 && key < Qt::Key_Escape &&
        QChar::isLetterOrNumber(static_cast<char32_t>(key)))
        return false;
    // A key bound to an action of the window reaches the list only while
    // that action is off; it is still the window's.
    const QKeySequence sequence(event->keyCombination());
    for (const QAction* action : window()->findChildren<QAction*>())
        if (action->shortcuts().contains(sequence)) return false;
    return true;
}

void Combo::keyPressEvent(QKeyEvent* event) {
    if (forwards(event)) {
        if (!pressed_.contains(event->key())) pressed_.append(event->key());
        emit keyDown(event->key());
    }
    if (isEditable() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        event->ignore();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void Combo::keyReleaseEvent(QKeyEvent* event) {
    QComboBox::keyReleaseEvent(event);
    // The release of a key pressed elsewhere (a dialog's Return, the Tab
    // that brought the focus here) is none of the list's business.
    if (event->isAutoRepeat() || !pressed_.removeOne(event->key())) return;
    emit keyUp(event->key());
}

void Combo::focusOutEvent(QFocusEvent* event) {
    pressed_.clear();
    QComboBox::focusOutEvent(event);
}

void Combo::wheelEvent(QWheelEvent* event) {
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

}  // namespace platform
