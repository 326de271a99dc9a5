// "DIAGRAMA DE CONFINAMIENTO": strength increase of the confined column per
// number of layers, one bar per product variant, with the required ratio.
#include <algorithm>
#include <string>

#include "drawing/Formato.h"
#include "drawing/General_dibujo.h"
#include "drawing/Grafico.h"
#include "drawing/Registros.h"
#include "engine/General.h"

namespace Grafico {

using General_dibujo::Registro_Caja;
using General_dibujo::Registro_Linea;
using General_dibujo::Registro_Texto;

namespace {

constexpr double kNegro = General_dibujo::Color_Negro;
constexpr double kGranate = General_dibujo::Color_Granate;
constexpr int Barra = General_dibujo::Elemento_Barra;
constexpr int Centrado = General_dibujo::Elemento_Texto_Centrado;
constexpr int Izquierda = General_dibujo::Elemento_Texto_Izquierda;

}  // namespace

void Dibujar_Diagrama_Confina() {
    const auto& c = General::Caso;
    // Before the first confinement calculation there is nothing to draw.
    if (!c.Incremento_Resistencia.Existe()) return;
    const int nv = std::min<int>(c.Num_Tipos_Refuerzo, c.Incremento_Resistencia.Limite1());
    const int nc = std::min<int>(c.Num_Capas_Max, c.Incremento_Resistencia.Limite2());
    if (nv < 1 || nc < 1) return;

    auto& d = General_dibujo::Dibujo;
    auto& lista = d.Lista_Elementos;
    lista.Limpiar();
    d.Ver_Seccion = false;

    auto K = [&](int i, int n) { return c.Incremento_Resistencia.Leer(i, n).value_or(0.0); };
    auto color = [&](int i) { return c.Color_Refuerzo.Leer(i).value_or(General::Color{}).Valor(); };

    double m = 0;
    for (int i = 1; i <= nv; ++i)
        for (int n = 1; n <= nc; ++n)
            if (K(i, n) - 1 > m) m = K(i, n) - 1;
    if (m == 0) m = 0.1;
    const double H = 1.1 * m;
    const double s = 1.1 * m / 10;
    const double w = 1.0 / (nv + 1);
    const double L = static_cast<double>(nc) / nv;

    // Axes.
    lista.Anadir(Registro_Linea(0, 0, nc, 0));
    lista.Anadir(Registro_Linea(0, 0, 0, H));

    // Bars, rising from K = 1.
    for (int i = 1; i <= nv; ++i)
        for (int n = 1; n <= nc; ++n)
            lista.Anadir(Registro_Caja(Barra, n - 1 + i * w - w / 2, K(i, n) - 1,
                                        n - 1 + (i + 1) * w - w / 2, 0, color(i)));

    // Dotted grid.
    for (int k = 1; k <= nc; ++k) lista.Anadir(Registro_Linea(k, 0, k, H, kNegro, 3, 1));
    for (int k = 1; k <= 10; ++k) lista.Anadir(Registro_Linea(0, s * k, nc, s * k, kNegro, 3, 1));

    // Required ratio, when some case reaches it.
    const double kreq = c.Incremento_Necesario;
    if (kreq <= c.Incremento_Max)
        lista.Anadir(Registro_Linea(0, kreq - 1, nc, kreq - 1, kGranate, 3, 3));

    // Labels: layer counts, then the ratios of the first nine grid lines.
    for (int k = 1; k <= nc; ++k)
        lista.Anadir(Registro_Texto(Centrado, k - 0.5, -s, 8, 0), Formatear(k, 0));
    for (int k = 1; k <= 9; ++k)
        lista.Anadir(Registro_Texto(Izquierda, 0, s * k, 8, 0),
                      Alinear_Derecha(Formatear(s * k + 1, 2), 4));
    lista.Anadir(Registro_Texto(Centrado, nc + 0.5, 0, 8, 0), "Nº capas");
    lista.Anadir(Registro_Texto(Centrado, 0, 1.2 * m, 8, 0), "Incr. resistencia");
    lista.Anadir(Registro_Texto(Centrado, nc / 2.0, 1.3 * m, 12, 1), "DIAGRAMA DE CONFINAMIENTO");

    // Legend.
    for (int i = 1; i <= nv; ++i) {
        const double x = L * (i - 1);
        lista.Anadir(Registro_Caja(Barra, x, -1.1 * m / 6, x + 0.2, -1.1 * m / 4.5, color(i)));
        lista.Anadir(Registro_Texto(Centrado, x + 0.9, -1.1 * m / 5, 8, 0),
                      c.Nombre_Refuerzo.Leer(i).value_or(std::string{}));
    }

    Dibujar_Elementos(DesignKind::Confina, 0);
}

}  // namespace Grafico
