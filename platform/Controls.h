// Small controls and units of the windows.
#pragma once

#include <QColor>
#include <QLabel>
#include <QLineEdit>

namespace platform {

inline constexpr int kTwipsPerPixel = 15;
// Twips to pixels, rounded to the nearest pixel.
constexpr int twips(int t) { return (t >= 0 ? t + kTwipsPerPixel / 2 : t - kTwipsPerPixel / 2) / kTwipsPerPixel; }

inline const QColor kReadOnlyBackground{224, 224, 224};

// Read-only box: a locked line edit with the grey background; its text can
// be selected and copied, and a long text shows its beginning.
class ReadOnlyBox : public QLineEdit {
    Q_OBJECT
public:
    explicit ReadOnlyBox(QWidget* parent = nullptr);
    QColor background() const;
};

// Turns an existing line edit into a read-only box.
void makeReadOnly(QLineEdit* edit);

// A modifier key on its own (Shift, Ctrl, Alt, AltGr, Meta, Super, Hyper):
// not yet a key press of the user's.
bool isModifierKey(int key);

// Notice label: white bold centred text on a coloured background; hidden
// until showNotice().
class NoticeLabel : public QLabel {
    Q_OBJECT
public:
    explicit NoticeLabel(QWidget* parent = nullptr);
    void showNotice(const QString& text, const QColor& background);
    QColor background() const;
    QColor foreground() const;
    // Shown by the program (true even while its window is not on screen).
    bool shown() const { return !isHidden(); }
};

}  // namespace platform
