// "DIAGRAMA DE MOMENTOS ULTIMOS": ultimate moment against number of layers,
// one staircase per product variant.
#include <algorithm>
#include <optional>
#include <string>

#include "drawing/Diagrama_Momentos.h"
#include "drawing/Formato.h"
#include "drawing/General_dibujo.h"
#include "drawing/Registros.h"
#include "drawing/Grafico.h"
#include "drawing/Vista_Flexion.h"
#include "engine/General.h"

namespace Grafico {

using General_dibujo::Registro_Linea;
using General_dibujo::Registro_Texto;
constexpr double kNegro = General_dibujo::Color_Negro;

namespace {

void Dibujar_Mu_Capas(DesignKind ventana) {
    const auto& c = General::Caso;
    // Before the first calculation there is nothing to draw.
    if (!c.Mu_Capas.Existe()) return;
    const int nv = std::min<int>(c.Num_Tipos_Refuerzo, c.Mu_Capas.Limite1());
    const int nc = std::min<int>(c.Num_Capas_Max, c.Mu_Capas.Limite2());
    if (nv < 1 || nc < 1) return;

    auto& lista = Nueva_Vista(Vista_Flexion::Capas);

    const auto mu = Mu_Valido;
    const double mu0 = c.Mu_Sin_Refuerzo;

    // The moment axis starts at the least of the moments that take part
    // (the valid values and, with them, Mu0), whatever their size.
    const auto rango = Rango_Mu(nv, nc);
    const double mx = rango ? std::max(rango->mayor, 0.0) : 0.0;
    const double mn = rango ? rango->menor : mx;
    const double D = mx - mn;
    const double W = 1.1 * D;
    const double s = W / 10;
    const double L = W / nv;
    const double T = nc + 1;

    // Axes.
    lista.Anadir(Registro_Linea(0, 0, W, 0));
    lista.Anadir(Registro_Linea(0, 0, 0, T));

    // Staircases; variant i raised by (i - 1) / 10.
    for (int i = 1; i <= nv; ++i) {
        const double color = c.Color_Refuerzo.Leer(i).value_or(General::Color{}).Valor();
        const double o = static_cast<double>(i - 1) / 10;
        // One-layer tread, also for a variant valid for one layer only.
        if (const auto v1 = mu(i, 1))
            lista.Anadir(Registro_Linea(mu0 - mn, o + 1, *v1 - mn, o + 1, color, 1, 2));
        for (int n = 1; n <= nc - 1; ++n) {
            const auto a = mu(i, n);
            const auto b = mu(i, n + 1);
            if (!a || !b) continue;
            lista.Anadir(Registro_Linea(*a - mn, o + n, *a - mn, o + n + 1, color, 1, 2));
            lista.Anadir(Registro_Linea(*a - mn, o + n + 1, *b - mn, o + n + 1, color, 1, 2));
        }
    }

    // Dotted grid.
    Rejilla_Momento(lista, s, T);
    for (int k = 1; k <= T; ++k) lista.Anadir(Registro_Linea(0, k, W, k, kNegro, 3, 1));

    // Design moment, when it lies within the strengthened range.
    Linea_Momento_Solicitante(lista, mn, T);

    // Labels.
    Etiquetas_Momento(lista, s, mn, -T / 10);
    for (int k = 1; k <= nc; ++k)
        lista.Anadir(Registro_Texto(General_dibujo::Elemento_Texto_Izquierda, 0, k, 8, 0),
                      Alinear_Derecha(std::to_string(k), 2));
    lista.Anadir(Registro_Texto(General_dibujo::Elemento_Texto_Centrado, 1.2 * D, 0, 8, 0), "Mu (mkN)");
    lista.Anadir(Registro_Texto(General_dibujo::Elemento_Texto_Centrado, 0, 1.25 * nc, 8, 0), "Nº capas");
    lista.Anadir(Registro_Texto(General_dibujo::Elemento_Texto_Centrado, D / 1.6, 1.35 * nc, 12, 1),
                  "DIAGRAMA DE MOMENTOS ULTIMOS");

    // Legend.
    Leyenda_Refuerzos(lista, nv, L, -2 * T / 10);

    Dibujar_Elementos(ventana, 0);
}

}  // namespace

void Dibujar_Mu_Capas_Rect() { Dibujar_Mu_Capas(DesignKind::Flexion); }
void Dibujar_Mu_Capas_T() { Dibujar_Mu_Capas(DesignKind::FlexionT); }

}  // namespace Grafico
