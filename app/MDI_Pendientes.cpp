// Commands of the main window still to be written: each does nothing until
// its own source replaces it here.
#include "app/MDI_PRINCIPAL.h"

void MDI_PRINCIPAL::mnuAyudaPrograma_Click() {}

void MDI_PRINCIPAL::mnuAyudaManual_Click() {}

void MDI_PRINCIPAL::mnuAyudaWeb_Click() {}

void MDI_PRINCIPAL::mnuAyudaContactar_Click() {}

void MDI_PRINCIPAL::mnuAyudaAcerca_Click() {}
