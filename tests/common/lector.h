// What a screen reader announces a control by, read through the toolkit's
// accessibility interface as AT-SPI passes it on: the control's accessible
// name; for a combo box, whose name there is its value, the label linked
// to it.
#pragma once

#include <QAccessible>
#include <QLabel>
#include <QObject>
#include <QString>

inline QString Nombre_Leido(QObject* control) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(control);
    if (!i) return {};
    if (i->role() != QAccessible::ComboBox) return i->text(QAccessible::Name);
    for (const auto& relacion : i->relations(QAccessible::Label))
        if (qobject_cast<QLabel*>(relacion.first->object()))
            return relacion.first->text(QAccessible::Name);
    return {};
}
