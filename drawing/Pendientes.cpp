// Builders still to be written: each does nothing until its own source
// replaces it here.
#include "drawing/Grafico.h"

namespace Grafico {

void Dibujar_Diagrama_Confina() {}

void Dibujar_Seccion_Confina() {}

}  // namespace Grafico
