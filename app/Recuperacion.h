// The typed case survives the desktop: the recovery copy
// (app/fichero/recuperacion.h) written when the program must end with an
// unsaved case, and offered back at the next start; the save question at a
// session manager's logout.
#pragma once

#include <memory>

class MDI_PRINCIPAL;
class QSessionManager;

namespace Recuperacion {

// Writes the recovery copy of the frame's case when it is unsaved, from the
// fields as shown where they are valid. No message.
void Guardar_Copia(MDI_PRINCIPAL& principal);

// The copy an earlier run left, offered once the frame shows (the splash
// closed first): "Sí" opens it in its design window, not saved, with its
// file name; "No" removes it. An unreadable copy is reported and moved aside.
void Ofrecer(MDI_PRINCIPAL& principal);

// A session manager's save request: with an unsaved case and a question
// allowed, the save question; a save that does not happen cancels the
// logout. With no question allowed, the recovery copy.
void Pedir_Datos(MDI_PRINCIPAL& principal, QSessionManager& sesion);

// For the run: the end signals and a lost display write the copy and remove
// the temporaries before the program ends; the session manager's requests
// reach Pedir_Datos.
class Vigilancia {
public:
    explicit Vigilancia(MDI_PRINCIPAL& principal);
    ~Vigilancia();
    Vigilancia(const Vigilancia&) = delete;
    Vigilancia& operator=(const Vigilancia&) = delete;

private:
    struct Estado;
    std::unique_ptr<Estado> estado_;
};

}  // namespace Recuperacion
