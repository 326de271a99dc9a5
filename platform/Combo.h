// Combo box in two styles: Editable (text with a drop-down list) and List
// (pure drop-down list, text cannot be typed).
//  - Filling (addEntry, setEntry) raises no event and changes neither the
//    selection nor the text (an empty combo keeps no selection).
//  - select(i) by the program raises selected() synchronously, exactly once,
//    also when i is already selected; the user's pick from the list, arrow
//    keys and the wheel raise it too. select(-1) clears, with no event.
//  - keyDown(key) and keyUp(key) while the combo has the focus; a key that
//    changes the selection gives keyDown, selected, keyUp in this order.
//    keyUp only for a key whose keyDown the combo gave (not for the release
//    of a key pressed elsewhere, nor after the focus left in between, nor
//    for auto-repeat). Neither for a modifier key alone nor for a shortcut:
//    a key with Ctrl or Meta, Alt with a letter or digit, a key bound to an
//    action of the window (Alt with an arrow still opens or moves the list).
//  - The focus belongs to the combo (not its inner line edit): watch the
//    combo itself with a FieldGuard. Return does not pick an entry, nor
//    inserts the text; there is no auto-completion.
#pragma once

#include <QComboBox>

namespace platform {

class Combo : public QComboBox {
    Q_OBJECT
public:
    enum class Style { Editable, List };
    explicit Combo(Style style, QWidget* parent = nullptr);

    Style style() const { return style_; }

    // Appends an entry.
    void addEntry(const QString& text);
    // Sets the text of entry i; i == count() appends. Keeps the edit text.
    void setEntry(int i, const QString& text);
    QString entry(int i) const { return itemText(i); }

    // Selected position, -1 for none (QComboBox::currentIndex()).
    int selectedIndex() const { return currentIndex(); }
    void select(int i);

    // The edit text (Editable) or the selected entry's text (List).
    QString text() const;
    // Editable only: sets the edit text, no event, the selection stays.
    void setText(const QString& text);

signals:
    void selected();
    void keyDown(int key);
    void keyUp(int key);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // The wheel turns only the list that has the focus: turning another one
    // would change it while a field still holds text it has not checked.
    void wheelEvent(QWheelEvent* event) override;

private:
    // The key is the list's own, not a modifier alone or a shortcut.
    bool forwards(const QKeyEvent* event) const;

    Style style_;
    QList<int> pressed_;  // keys whose keyDown was given, not yet released
};

}  // namespace platform
