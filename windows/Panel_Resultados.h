// Lets the strain diagram read what a flexure window's result panel shows.
#pragma once

#include "drawing/Grafico.h"

namespace windows {

class Ventana_Flexion;

// Registers the window's result boxes and caption LB_TIPO as the panel of
// its picture area's window, numbers read back in the user's locale. The
// source answers nothing once the window has gone.
void Registrar_Panel_Resultados(Ventana_Flexion* ventana, General::DesignKind cual);

}  // namespace windows
