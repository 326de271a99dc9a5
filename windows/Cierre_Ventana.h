// What a design window does as it closes, shared by the flexure and the
// confinement windows.
#pragma once

namespace windows {

class DesignWindow;

// The window holds a case that is not on disk as shown: never saved,
// modified, or a field holding an edit not yet left. Never FM_CARAC's.
bool Caso_Sin_Grabar(const DesignWindow& ventana);

// An unsaved case (modified, or a field holding an edit not yet left): asks
// whether to save it and, on yes, collects the fields as shown and saves
// (the dialog proposes the case's own file when it has one).
// False when the window must stay open: the fields are wrong or the save
// did not complete, so closing would lose the case. A recovery copy goes
// once its case is saved or discarded.
bool Grabar_Al_Cerrar(DesignWindow& ventana);

// The next Grabar_Al_Cerrar closes without its question unless the case is
// modified again meanwhile: the user has already answered it, or the case
// is in the recovery copy (at a session manager's logout).
void Sin_Pregunta_Una_Vez();

// The drawing counters back to zero: nothing of the window's drawing is
// left to repaint.
void Olvidar_Dibujo();

}  // namespace windows
