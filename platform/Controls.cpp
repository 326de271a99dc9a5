#include "platform/Controls.h"

#include <QFont>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

#include <cmath>

namespace platform {

double logicalDpi() {
    const QScreen* s = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                           ? QGuiApplication::primaryScreen()
                           : nullptr;
    const double dpi = s ? s->logicalDotsPerInchY() : 0;
    return dpi > 0 ? dpi : 96.0;
}

int twips(int t) { return static_cast<int>(std::lround(t * logicalDpi() / 1440.0)); }

int pixels(int p) { return twips(15 * p); }

void makeReadOnly(QLineEdit* edit) {
    edit->setReadOnly(true);
    QPalette p = edit->palette();
    p.setColor(QPalette::Base, kReadOnlyBackground);
    // The background is forced, so is the text: a dark theme's light text
    // would not read on the grey.
    p.setColor(QPalette::Text, Qt::black);
    edit->setPalette(p);
}

ReadOnlyBox::ReadOnlyBox(QWidget* parent) : QLineEdit(parent) {
    makeReadOnly(this);
    // Out of the tab chain, but a click gives it the focus, so its text can
    // be selected and copied.
    setFocusPolicy(Qt::ClickFocus);
    // Every text comes from the program: show its beginning. Writing the
    // same text again moves the cursor to its end without a text change, so
    // the cursor itself is watched, but left alone while the user is in the
    // box selecting text.
    connect(this, &QLineEdit::cursorPositionChanged, this, [this] {
        if (!hasFocus() && cursorPosition() != 0) setCursorPosition(0);
    });
}

QColor ReadOnlyBox::background() const { return palette().color(QPalette::Base); }

NoticeLabel::NoticeLabel(QWidget* parent) : QLabel(parent) {
    setAutoFillBackground(true);
    setAlignment(Qt::AlignCenter);
    QFont f = font();
    f.setBold(true);
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);
    hide();
}

void NoticeLabel::showNotice(const QString& text, const QColor& background) {
    QPalette p = palette();
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);
    setText(text);
    show();
}

QColor NoticeLabel::background() const { return palette().color(QPalette::Window); }
QColor NoticeLabel::foreground() const { return palette().color(QPalette::WindowText); }

bool isModifierKey(int key) {
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
        return true;
    default:
        return false;
    }
}

}  // namespace platform
