// Rectangular section drawing "SECCION".
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
constexpr double kAzul = 255.0 * 65536.0;  // RGB(0, 0, 255)
constexpr double kRojo = 255.0;            // RGB(255, 0, 0)

}  // namespace

void Dibujar_Seccion_Rect() {
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
    const double r = c.Recubrimiento;
    const double as = c.Armadura_Inf;
    const double as2 = c.Armadura_Sup;
    const double bf = c.Ancho_Refuerzo;

    const double L = h < b ? h : b;
    const double e = (b - bf) / 2;
    const double ti = as * 0.025 / 40;
    const double ts = as2 * 0.025 / 40;
    const double tick = L / 6.66666;  // outer end of a tick (the literal, not 20/3)

    // Outline.
    lista.Agregar(Registro_Linea(0, 0, 0, h));
    lista.Agregar(Registro_Linea(0, h, b, h));
    lista.Agregar(Registro_Linea(b, h, b, 0));
    lista.Agregar(Registro_Linea(b, 0, 0, 0));
    // Steel bands grow from the level of the steel into the section.
    if (as > 0) lista.Agregar(Registro_Caja(Barra, L / 10, r + ti, b - L / 10, r, kAzul));
    if (as2 > 0) lista.Agregar(Registro_Caja(Barra, L / 10, h - r, b - L / 10, (h - r) - ts, kAzul));
    // Sheet under the bottom face.
    lista.Agregar(Registro_Caja(Barra, e, 0, b - e, -L / 60, kRojo));
    // Depth, width and sheet dimension lines with their ticks.
    lista.Agregar(Registro_Linea(-L / 10, 0, -L / 10, h));
    lista.Agregar(Registro_Linea(-tick, 0, -L / 20, 0));
    lista.Agregar(Registro_Linea(-tick, h, -L / 20, h));
    lista.Agregar(Registro_Linea(0, h + L / 10, b, h + L / 10));
    lista.Agregar(Registro_Linea(0, h + L / 20, 0, h + tick));
    lista.Agregar(Registro_Linea(b, h + L / 20, b, h + tick));
    lista.Agregar(Registro_Linea(e, -L / 10, b - e, -L / 10));
    lista.Agregar(Registro_Linea(e, -L / 20, e, -tick));
    lista.Agregar(Registro_Linea(b - e, -L / 20, b - e, -tick));
    // Values.
    lista.Agregar(Registro_Texto(General_dibujo::Elemento_Texto_Izquierda, -L / 5, h / 2, 8, 0), Formatear(h, 2));
    lista.Agregar(Registro_Texto(General_dibujo::Elemento_Texto_Centrado, b / 2, h + L / 5, 8, 0), Formatear(b, 2));
    lista.Agregar(Registro_Texto(General_dibujo::Elemento_Texto_Centrado, b / 2, -L / 5, 8, 0), Formatear(bf, 3));
    if (as > 0)
        lista.Agregar(Registro_Texto(General_dibujo::Elemento_Texto_Centrado, b / 2, r + L / 10, 8, 0),
                      Formatear(as, 2) + " cm²");
    if (as2 > 0)
        lista.Agregar(Registro_Texto(General_dibujo::Elemento_Texto_Centrado, b / 2, (h - r) - L / 10, 8, 0),
                      Formatear(as2, 2) + " cm²");
    lista.Agregar(Registro_Texto(General_dibujo::Elemento_Texto_Centrado, b / 2, h + L / 2, 12, 1), "SECCION");

    Dibujar_Elementos(Ventana::FM_FLEXION, 1);
}

}  // namespace Grafico
