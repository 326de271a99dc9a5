// Commands of the main window still to be written: each does nothing until
// its own source replaces it here.
#include "app/MDI_PRINCIPAL.h"

void MDI_PRINCIPAL::mnuPrincipalImprimir_Click() {}

void MDI_PRINCIPAL::mnuPrincipalConfigurar_Click() {}

