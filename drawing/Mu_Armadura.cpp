// "DIAGRAMA DE MOMENTOS ULTIMOS": ultimate moment against the area of the
// bonded sheets, one polyline per product variant.
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

namespace {

constexpr double kNegro = General_dibujo::Color_Negro;
constexpr int Centrado = General_dibujo::Elemento_Texto_Centrado;

void Dibujar_Mu_Armadura(DesignKind ventana) {
    const auto& c = General::Caso;
    // Before the first calculation there is nothing to draw.
    if (!c.Mu_Capas.Existe()) return;
    const int nv = std::min<int>(c.Num_Tipos_Refuerzo, c.Mu_Capas.Limite1());
    const int nc = std::min<int>(c.Num_Capas_Max, c.Mu_Capas.Limite2());
    if (nv < 1 || nc < 1) return;

    auto& lista = Nueva_Vista(Vista_Flexion::Armadura);

    const auto mu = Mu_Valido;
    const double bf = c.Ancho_Refuerzo;
    // Sheet area in mm²: width in mm times thickness times layers.
    auto area = [&](int i, int n) {
        const double t = c.Datos_Refuerzo.Leer(i, 1).value_or(0.0);
        return bf * t * 1000 * n;
    };
    const double mu0 = c.Mu_Sin_Refuerzo;

    // Ranges over the valid values (and Mu0 with them). The smallest moment
    // starts from the values themselves, so any size of moment fits.
    const auto rango = Rango_Mu(nv, nc);
    const double mx = rango ? std::max(rango->mayor, 0.0) : 0.0;
    const double mn = rango ? rango->menor : mu0;
    double A = 0;
    for (int i = 1; i <= nv; ++i)
        for (int n = 1; n <= nc; ++n)
            if (mu(i, n)) A = std::max(A, area(i, n));
    const double D = mx - mn;
    const double W = 1.1 * D;
    const double s = W / 10;
    const double H = 1.1 * A;
    const double h = H / 10;
    const double L = W / nv;

    // Axes.
    lista.Anadir(Registro_Linea(0, 0, W, 0));
    lista.Anadir(Registro_Linea(0, 0, 0, H));

    // Polylines, from the unstrengthened section without sheet.
    for (int i = 1; i <= nv; ++i) {
        const double color = c.Color_Refuerzo.Leer(i).value_or(General::Color{}).Valor();
        if (const auto v1 = mu(i, 1))
            lista.Anadir(Registro_Linea(mu0 - mn, 0, *v1 - mn, area(i, 1), color, 1, 2));
        for (int n = 1; n <= nc - 1; ++n) {
            const auto a = mu(i, n);
            const auto b = mu(i, n + 1);
            if (!a || !b) continue;
            lista.Anadir(Registro_Linea(*a - mn, area(i, n), *b - mn, area(i, n + 1), color, 1, 2));
        }
    }

    // Dotted grid.
    Rejilla_Momento(lista, s, H);
    for (int k = 1; k <= 10; ++k) lista.Anadir(Registro_Linea(0, h * k, W, h * k, kNegro, 3, 1));

    // Design moment, when it lies within the strengthened range.
    Linea_Momento_Solicitante(lista, mn, H);

    // Labels.
    Etiquetas_Momento(lista, s, mn, -A / 10);
    for (int k = 1; k <= 9; ++k)
        lista.Anadir(Registro_Texto(General_dibujo::Elemento_Texto_Izquierda, 0, h * k, 8, 0),
                      Alinear_Derecha(Formatear(h * k, 0), 4));
    lista.Anadir(Registro_Texto(Centrado, 1.2 * D, 0, 8, 0), "Mu (mkN)");
    lista.Anadir(Registro_Texto(Centrado, 0, 1.2 * A, 8, 0), "Ar (mm²)");
    lista.Anadir(Registro_Texto(Centrado, D / 1.6, 1.35 * A, 12, 1), "DIAGRAMA DE MOMENTOS ULTIMOS");

    // Legend.
    Leyenda_Refuerzos(lista, nv, L, -A / 5);

    Dibujar_Elementos(ventana, 0);
}

}  // namespace

void Dibujar_Mu_Armadura_Rect() { Dibujar_Mu_Armadura(DesignKind::Flexion); }
void Dibujar_Mu_Armadura_T() { Dibujar_Mu_Armadura(DesignKind::FlexionT); }

}  // namespace Grafico
