// Start of a flexure drawing: the display list emptied and the flag of the
// drawing on show set, the other three cleared.
#pragma once

#include "drawing/General_dibujo.h"

namespace Grafico {

enum class Vista_Flexion { Seccion, Deformaciones, Armadura, Capas };

inline General_dibujo::Lista& Nueva_Vista(Vista_Flexion vista) {
    auto& d = General_dibujo::Dibujo;
    d.Lista_Elementos.Limpiar();
    d.Ver_Seccion = vista == Vista_Flexion::Seccion;
    d.Ver_Deformaciones = vista == Vista_Flexion::Deformaciones;
    d.Ver_Armadura = vista == Vista_Flexion::Armadura;
    d.Ver_Capas = vista == Vista_Flexion::Capas;
    return d.Lista_Elementos;
}

}  // namespace Grafico
