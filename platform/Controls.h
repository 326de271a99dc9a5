// Small controls and units of the windows.
#pragma once

#include <QColor>
#include <QLabel>
#include <QLineEdit>

namespace platform {

// A twip is 1/1440 inch at the screen's logical DPI, the DPI the fonts are
// drawn at, so a layout in twips grows with its text: 15 twips a pixel at
// 96 DPI, 10 at 144. Without a screen, 96 DPI.
double logicalDpi();
// Twips to pixels, rounded to the nearest pixel.
int twips(int t);
// A length of the layout given in pixels at 96 DPI (15 twips each).
int pixels(int p);

inline const QColor kReadOnlyBackground{224, 224, 224};

// Read-only box: a locked line edit with the grey background and black
// text (whatever the theme's text colour); its text can be selected and
// copied, and a long text shows its beginning.
class ReadOnlyBox : public QLineEdit {
    Q_OBJECT
public:
    explicit ReadOnlyBox(QWidget* parent = nullptr);
    QColor background() const;
};

// Turns an existing line edit into a read-only box: grey background, black text.
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
