// Product catalogue and start-up defaults of the case data.
#pragma once

namespace Caracteristicas {

// Catalogue, counts and every input default; called once at start-up.
void Iniciar_Datos();

// Defaults written by a new flexure case: safety coefficients, Fck, Fyk and
// every flexure input, Predeformacion included.
void Poner_Defectos_Flexion();

// Defaults written by a new confinement case: safety coefficients, Fck, Fyk,
// Coef_Poisson and every confinement input (Predeformacion untouched).
void Poner_Defectos_Confina();

// Copies row j of Datos_Refuerzo into the current-variant copies.
void Cargar_Refuerzo(int j);

}  // namespace Caracteristicas
