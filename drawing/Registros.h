// Constructors of display-list records, shared by the diagram builders.
#pragma once

#include "drawing/General_dibujo.h"

namespace General_dibujo {

inline constexpr double Color_Negro = 0;
// The line of the required value in the result diagrams: RGB(128, 0, 64).
inline constexpr double Color_Granate = 128.0 + 64.0 * 65536.0;

// A box record (kinds 5, 6, 7), upper-left corner first.
inline Elemento Registro_Caja(int tipo, double x1, double y1, double x2, double y2,
                              double color) {
    Elemento e;
    e.Tipo = tipo;
    e.X1 = x1;
    e.Y1 = y1;
    e.X2 = x2;
    e.Y2 = y2;
    e.Color = color;
    return e;
}

inline Elemento Registro_Linea(double x1, double y1, double x2, double y2,
                               double color = Color_Negro, double estilo = 1,
                               double grosor = 1) {
    Elemento e = Registro_Caja(Elemento_Linea, x1, y1, x2, y2, color);
    e.Estilo = estilo;
    e.Grosor = grosor;
    return e;
}

// A text record (kinds 3, 4, 8) in black.
inline Elemento Registro_Texto(int tipo, double x, double y, double tamano, double negrita) {
    Elemento e;
    e.Tipo = tipo;
    e.X1 = x;
    e.Y1 = y;
    e.Color = Color_Negro;
    e.Grosor = tamano;
    e.Negrita = negrita;
    return e;
}

}  // namespace General_dibujo
