#include "platform/QtMessageService.h"

#include <QApplication>
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
}  // namespace

Answer QtMessageService::show(const Message& message) {
    QWidget* parent = parent_ ? parent_ : QApplication::activeWindow();
    QMessageBox box(qtIcon(message.icon), QString::fromUtf8(kTitle),
                    QString::fromUtf8(message.text), QMessageBox::NoButton, parent);
    if (message.buttons == Buttons::YesNo) {
        QPushButton* yes = box.addButton(QString::fromUtf8("S\u00ed"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
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
