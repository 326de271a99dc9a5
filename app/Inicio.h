// Start procedure of the program.
#pragma once

#include <functional>
#include <memory>

class MDI_PRINCIPAL;

namespace Inicio {

// Installs the number formatting of the drawings, then loads and shows the
// main frame. Returns nullptr when its load step ended the program (screen
// too small): nothing is left on screen then.
std::unique_ptr<MDI_PRINCIPAL> Main();

// Exit status of a program ended at start by a too-small screen.
inline constexpr int kSalida_Pantalla = 1;

// The run: Main() into principal, then the event loop `bucle` when the
// program started. The exit status is the loop's, or kSalida_Pantalla when
// the start ended the program.
int Ejecutar(std::unique_ptr<MDI_PRINCIPAL>& principal, const std::function<int()>& bucle);

}  // namespace Inicio
