// The bounds of the inputs, written once: the field rules of the windows and
// the checks of the data files both read them; and the values the input
// lists offer.
#pragma once

namespace Rangos {

// Concrete and steel strengths, N/mm².
inline constexpr double Fck_Minimo = 15;
inline constexpr double Fck_Maximo = 50;
inline constexpr double Fyk_Minimo = 300;
inline constexpr double Fyk_Maximo = 600;

// Least value a field takes for a dimension or reinforcement "greater than
// zero"; the data files refuse zero.
inline constexpr double Dimension_Minima = 0.01;

// The cover is at most this fraction of the depth.
inline constexpr double Recubrimiento_Canto = 0.5;

// Least required strength increase of a confined column.
inline constexpr double Incremento_Minimo = 1;

// Least safety coefficient of a material.
inline constexpr double Coeficiente_Minimo = 1;

// The values the lists of the design windows offer.
inline constexpr double Lista_Fck[] = {25, 30, 35, 40, 45, 50};
inline constexpr double Lista_Fyk[] = {400, 500};
inline constexpr double Lista_Ancho_Refuerzo[] = {0.125, 0.165, 0.25, 0.33, 0.5};

}  // namespace Rangos
