// The Arial font at a point size, bold or regular, as the frame's boxes
// set their labels.
#pragma once

#include <QFont>

inline QFont Fuente_Arial(double puntos, bool negrita) {
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(puntos);
    f.setBold(negrita);
    return f;
}
