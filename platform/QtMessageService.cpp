#include "platform/QtMessageService.h"

#include "platform/Screen.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

namespace platform {

namespace {
QMessageBox::Icon qtIcon(Icon icon) {
    switch (icon) {
    case Icon::Critical: return QMessageBox::Critical;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Information: return QMessageBox::Information;
    case Icon::Question: return QMessageBox::Question;
    case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

// The program's box. A question has no way out but its buttons: Escape
// and the window manager's close button do nothing while no button was
// pressed (the toolkit would take either for "No"). Once its size is known
// the box is centred on the frame of the window it belongs to.
class Caja : public QMessageBox {
public:
    Caja(platform::Icon icon, const QString& text, QWidget* parent, bool pregunta)
        : QMessageBox(qtIcon(icon), QString::fromUtf8(kTitle), text, QMessageBox::NoButton, parent),
          pregunta_(pregunta) {}

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (pregunta_ && e->matches(QKeySequence::Cancel)) {
            e->accept();
            return;
        }
        QMessageBox::keyPressEvent(e);
    }
    void closeEvent(QCloseEvent* e) override {
        if (pregunta_ && !clickedButton()) {
            e->ignore();
            return;
        }
        QMessageBox::closeEvent(e);
    }
    void showEvent(QShowEvent* e) override {
        QMessageBox::showEvent(e);  // sets the box's final size
        if (parentWidget()) centerOnWindow(*this, *parentWidget());
    }

private:
    bool pregunta_;
};
}  // namespace

Answer QtMessageService::show(const Message& message) {
    // The window that asked: a modal dialog on show, else the active window,
    // else (no window active for a moment) the main window.
    QWidget* parent = parent_ ? parent_ : QApplication::activeModalWidget();
    if (!parent) parent = QApplication::activeWindow();
    if (!parent) parent = mainWindow();
    const bool pregunta = message.buttons == Buttons::YesNo;
    Caja box(message.icon, QString::fromUtf8(message.text), parent, pregunta);
    if (pregunta) {
        QPushButton* yes = box.addButton(QString::fromUtf8("&S\u00ed"), QMessageBox::YesRole);
        box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.exec();
        return box.clickedButton() == yes ? Answer::Yes : Answer::No;
    }
    QPushButton* ok = box.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return Answer::Ok;
}

}  // namespace platform
