// Builders still to be written: each does nothing until its own source
// replaces it here.
#include "drawing/Grafico.h"

namespace Grafico {

void Dibujar_Seccion_T() {}

void Dibujar_Mu_Armadura_Rect() {}

void Dibujar_Mu_Armadura_T() {}

void Dibujar_Deformaciones_Rect() {}

void Dibujar_Deformaciones_T() {}

void Dibujar_Diagrama_Tension(int) {}

}  // namespace Grafico
