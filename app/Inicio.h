// Start procedure of the program.
#pragma once

#include <memory>

class MDI_PRINCIPAL;

namespace Inicio {

// Installs the number formatting of the drawings, then loads and shows the
// main frame. Returns nullptr when its load step ended the program (screen
// too small): nothing is left on screen then.
std::unique_ptr<MDI_PRINCIPAL> Main();

}  // namespace Inicio
