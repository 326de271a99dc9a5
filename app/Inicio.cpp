#include "app/Inicio.h"

#include "app/MDI_PRINCIPAL.h"

namespace Inicio {

std::unique_ptr<MDI_PRINCIPAL> Main() {
    auto principal = std::make_unique<MDI_PRINCIPAL>();
    if (!principal->MDIForm_Load()) return nullptr;
    principal->Mostrar();
    return principal;
}

}  // namespace Inicio
