// T section drawing "SECCION".
#include "drawing/General_dibujo.h"
#include "drawing/Registros.h"
#include "drawing/Grafico.h"
#include "engine/General.h"

namespace Grafico {

using General_dibujo::Registro_Caja;
using General_dibujo::Registro_Linea;
using General_dibujo::Registro_Texto;

namespace {

constexpr int Barra = General_dibujo::Elemento_Barra;
constexpr int Centrado = General_dibujo::Elemento_Texto_Centrado;
constexpr double kAzul = 255.0 * 65536.0;  // RGB(0, 0, 255)
constexpr double kRojo = 255.0;            // RGB(255, 0, 0)

}  // namespace

void Dibujar_Seccion_T() {
    const auto& c = General::Caso;
    auto& d = General_dibujo::Dibujo;
    auto& lista = d.Lista_Elementos;

    lista.Limpiar();
    d.Ver_Armadura = false;
    d.Ver_Deformaciones = false;
    d.Ver_Seccion = true;
    d.Ver_Capas = false;

    const double b = c.Ancho;
    const double h = c.Canto;
    const double bw = c.Ancho_Alma;
    const double hf = c.Canto_Ala;
    const double r = c.Recubrimiento;
    const double as = c.Armadura_Inf;
    const double as2 = c.Armadura_Sup;
    const double bf = c.Ancho_Refuerzo;

    // Reference length of every offset; the second test is not strict.
    const double L = h < b ? h : (b <= bw ? bw : b);
    const double ew = (b - bw) / 2;  // web face from the flange edge (< 0: wider web)
    const double e = (b - bf) / 2;
    const double dL = b < bw ? (bw - b) / 2 : 0;  // depth dimension clears a wider web
    const double ti = as * 0.025 / 40;
    const double ts = as2 * 0.025 / 40;
    const double tick = L / 6.66666;  // outer end of a tick (the literal, not 20/3)
    const double alma_d = b - ew;          // right web face
    const double alma_i = alma_d - bw;     // left web face, as the outline takes it
    const double ala = h - hf;             // underside of the flange

    // Outline, clockwise from the left side of the flange.
    lista.Agregar(Registro_Linea(0, ala, 0, h));
    lista.Agregar(Registro_Linea(0, h, b, h));
    lista.Agregar(Registro_Linea(b, h, b, ala));
    lista.Agregar(Registro_Linea(b, ala, alma_d, ala));
    lista.Agregar(Registro_Linea(alma_d, ala, alma_d, 0));
    lista.Agregar(Registro_Linea(alma_d, 0, alma_i, 0));
    lista.Agregar(Registro_Linea(alma_i, 0, alma_i, ala));
    lista.Agregar(Registro_Linea(alma_i, ala, 0, ala));
    // Lower band in the web, upper band across the flange; sheet under the web.
    if (as > 0) lista.Agregar(Registro_Caja(Barra, ew + L / 10, r + ti, alma_d - L / 10, r, kAzul));
    if (as2 > 0) lista.Agregar(Registro_Caja(Barra, L / 10, h - r, b - L / 10, (h - r) - ts, kAzul));
    lista.Agregar(Registro_Caja(Barra, e, 0, b - e, -L / 60, kRojo));
    // Depth, flange width, flange depth, web width and sheet dimensions.
    lista.Agregar(Registro_Linea(-L / 10 - dL, 0, -L / 10 - dL, h));
    lista.Agregar(Registro_Linea(-tick - dL, 0, -L / 20 - dL, 0));
    lista.Agregar(Registro_Linea(-tick - dL, h, -L / 20 - dL, h));
    lista.Agregar(Registro_Linea(0, h + L / 10, b, h + L / 10));
    lista.Agregar(Registro_Linea(0, h + L / 20, 0, h + tick));
    lista.Agregar(Registro_Linea(b, h + L / 20, b, h + tick));
    lista.Agregar(Registro_Linea(b + L / 10, ala, b + L / 10, h));
    lista.Agregar(Registro_Linea(b + tick, ala, b + L / 20, ala));
    lista.Agregar(Registro_Linea(b + tick, h, b + L / 20, h));
    lista.Agregar(Registro_Linea(ew, -L / 2, alma_d, -L / 2));
    lista.Agregar(Registro_Linea(ew, -L / 2 + L * 0.05, ew, -L / 2 - L * 0.05));
    lista.Agregar(Registro_Linea(alma_d, -L / 2 + L * 0.05, alma_d, -L / 2 - L * 0.05));
    lista.Agregar(Registro_Linea(e, -L / 10, b - e, -L / 10));
    lista.Agregar(Registro_Linea(e, -L / 20, e, -tick));
    lista.Agregar(Registro_Linea(b - e, -L / 20, b - e, -tick));
    // Values.
    lista.Agregar(Registro_Texto(General_dibujo::Elemento_Texto_Izquierda, -L / 5 - dL, h / 2, 8, 0),
                  Formatear(h, 2));
    lista.Agregar(Registro_Texto(Centrado, b / 2, h + L / 5, 8, 0), Formatear(b, 2));
    lista.Agregar(Registro_Texto(General_dibujo::Elemento_Texto_Derecha, b + L / 5, h - hf / 2, 8, 0),
                  Formatear(hf, 2));
    lista.Agregar(Registro_Texto(Centrado, b / 2, -L / 2 - L * 0.1, 8, 0), Formatear(bw, 2));
    lista.Agregar(Registro_Texto(Centrado, b / 2, -L / 5, 8, 0), Formatear(bf, 3));
    if (as > 0) lista.Agregar(Registro_Texto(Centrado, b / 2, r + L / 10, 8, 0), Formatear(as, 2) + " cm²");
    if (as2 > 0)
        lista.Agregar(Registro_Texto(Centrado, b / 2, (h - r) - L / 10, 8, 0), Formatear(as2, 2) + " cm²");
    lista.Agregar(Registro_Texto(Centrado, b / 2, h + L / 2, 12, 1), "SECCION");

    Dibujar_Elementos(Ventana::FM_FLEXIONT, 1);
}

}  // namespace Grafico
