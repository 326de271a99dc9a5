// Typing into a field of a window the way the user does.
#pragma once

#include "platform/Combo.h"
#include "platform/FieldLeave.h"

#include <QLineEdit>
#include <QString>
#include <QWidget>

// Sets the text of a line or of a combo's edit line, then leaves the field.
inline void Teclear_Campo(QWidget* campo, const QString& texto) {
    if (auto* l = qobject_cast<QLineEdit*>(campo)) l->setText(texto);
    if (auto* cb = qobject_cast<platform::Combo*>(campo)) cb->setText(texto);
    platform::leaveField(campo);
}
