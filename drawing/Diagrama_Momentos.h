// Pieces the two ultimate-moment diagrams share (moment across, sheet area
// or layers up): the valid values, the moment grid and labels, the design
// moment line and the legend of the product variants.
#pragma once

#include <optional>

#include "drawing/General_dibujo.h"

namespace Grafico {

// Ultimate moment of variant i with n layers; none when it is missing or
// the no-gain marker.
std::optional<double> Mu_Valido(int i, int n);

// The least and the greatest of the valid moments of nv variants and nc
// layers, Mu0 taking part with them; none when no moment is valid.
struct Rango_Momentos {
    double menor;
    double mayor;
};
std::optional<Rango_Momentos> Rango_Mu(int nv, int nc);

// Vertical dotted lines of the moment grid, ten steps of s, alto high.
void Rejilla_Momento(General_dibujo::Lista& lista, double s, double alto);

// The design moment, alto high, when it lies within the strengthened range;
// mn is the moment at the origin.
void Linea_Momento_Solicitante(General_dibujo::Lista& lista, double mn, double alto);

// Moments of the first nine grid lines, at height y.
void Etiquetas_Momento(General_dibujo::Lista& lista, double s, double mn, double y);

// A coloured stroke and the name of each of nv variants, L apart, at height y.
void Leyenda_Refuerzos(General_dibujo::Lista& lista, int nv, double L, double y);

}  // namespace Grafico
