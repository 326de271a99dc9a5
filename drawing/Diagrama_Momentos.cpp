#include "drawing/Diagrama_Momentos.h"

#include <algorithm>
#include <string>

#include "drawing/Formato.h"
#include "drawing/Grafico.h"
#include "drawing/Registros.h"
#include "engine/General.h"

namespace Grafico {

using General_dibujo::Registro_Linea;
using General_dibujo::Registro_Texto;

namespace {

constexpr double kNegro = General_dibujo::Color_Negro;
constexpr double kGranate = General_dibujo::Color_Granate;
constexpr int Centrado = General_dibujo::Elemento_Texto_Centrado;

}  // namespace

std::optional<double> Mu_Valido(int i, int n) {
    auto v = General::Caso.Mu_Capas.Leer(i, n);
    if (!v || *v == General::Sin_Ganancia) return std::nullopt;
    return v;
}

std::optional<Rango_Momentos> Rango_Mu(int nv, int nc) {
    const double mu0 = General::Caso.Mu_Sin_Refuerzo;
    std::optional<Rango_Momentos> rango;
    for (int i = 1; i <= nv; ++i)
        for (int n = 1; n <= nc; ++n)
            if (const auto v = Mu_Valido(i, n)) {
                if (!rango) rango = Rango_Momentos{mu0, mu0};
                rango->menor = std::min(rango->menor, *v);
                rango->mayor = std::max(rango->mayor, *v);
            }
    return rango;
}

void Rejilla_Momento(General_dibujo::Lista& lista, double s, double alto) {
    for (int k = 1; k <= 10; ++k) lista.Anadir(Registro_Linea(s * k, 0, s * k, alto, kNegro, 3, 1));
}

void Linea_Momento_Solicitante(General_dibujo::Lista& lista, double mn, double alto) {
    const auto& c = General::Caso;
    const double mu0 = c.Mu_Sin_Refuerzo;
    const double md = c.Momento_Solicitante;
    if (mu0 <= md && md <= c.Mu_Max)
        lista.Anadir(Registro_Linea(md - mn, 0, md - mn, alto, kGranate, 3, 3));
}

// Nine labels stand one grid step apart: up to five characters ("999,9")
// fit at size 8; longer moments get a size that keeps the labels as wide as
// that, so they never run together into one number.
void Etiquetas_Momento(General_dibujo::Lista& lista, double s, double mn, double y) {
    std::string textos[9];
    std::size_t largo = 0;
    for (int k = 1; k <= 9; ++k) {
        textos[k - 1] = Formatear(s * k + mn, 1);
        largo = std::max(largo, textos[k - 1].size());
    }
    const double tamano = largo <= 5 ? 8.0 : std::max(4.0, 8.0 * 5 / static_cast<double>(largo));
    for (int k = 1; k <= 9; ++k)
        lista.Anadir(Registro_Texto(Centrado, s * k, y, tamano, 0), textos[k - 1]);
}

void Leyenda_Refuerzos(General_dibujo::Lista& lista, int nv, double L, double y) {
    const auto& c = General::Caso;
    for (int i = 1; i <= nv; ++i) {
        const double color = c.Color_Refuerzo.Leer(i).value_or(General::Color{}).Valor();
        const double x = L * (i - 1);
        lista.Anadir(Registro_Linea(x, y, x + 0.3 * L, y, color, 1, 3));
        lista.Anadir(Registro_Texto(Centrado, x + 0.65 * L, y, 8, 0),
                      c.Nombre_Refuerzo.Leer(i).value_or(std::string{}));
    }
}

}  // namespace Grafico
