// Small controls and units of the windows.
#pragma once

#include <QColor>
#include <QLabel>
#include <QLineEdit>

#include <span>

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

// A label's text as a screen reader should say it: markup and the access
// key's "&" removed, blanks simplified ("f<sub>ck</sub>" reads "fck").
QString readableText(const QLabel& label);

// Links a caption label to the control it names: the label becomes the
// control's buddy (a screen reader finds the label through it; over AT-SPI
// a combo box is named by its value and known by this label) and the
// control's accessible name is the label's readable text. The label's
// looks stay as they are.
void nameByLabel(QLabel* label, QWidget* control);
// A label over the controls of one row, their names parted by " - "
// ("Ancho - Ancho alma"): each control takes its part as its name. One
// control is named as above; with a count that does not match the parts,
// each takes the whole text.
void nameByLabel(QLabel* label, std::span<QWidget* const> controls);

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
