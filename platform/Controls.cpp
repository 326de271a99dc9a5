#include "platform/Controls.h"

#include <QFont>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QTextDocumentFragment>

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

QString readableText(const QLabel& label) {
    const QString text = label.text();
    const Qt::TextFormat format = label.textFormat();
    if (format == Qt::RichText || (format == Qt::AutoText && Qt::mightBeRichText(text)))
        return QTextDocumentFragment::fromHtml(text).toPlainText().simplified();
    // "&&" shows one "&"; a single "&" marks the access key.
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && ++i == text.size()) break;
        plain += text[i];
    }
    return plain.simplified();
}

void nameByLabel(QLabel* label, QWidget* control) {
    label->setBuddy(control);
    control->setAccessibleName(readableText(*label));
}

void nameByLabel(QLabel* label, std::span<QWidget* const> controls) {
    if (controls.size() == 1) {
        nameByLabel(label, controls.front());
        return;
    }
    const QString text = readableText(*label);
    const QStringList parts = text.split(QStringLiteral(" - "));
    for (std::size_t i = 0; i < controls.size(); ++i)
        controls[i]->setAccessibleName(
            qsizetype(controls.size()) == parts.size() ? parts[qsizetype(i)] : text);
}

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
