// Column section drawing "SECCION" of the confinement case: concrete, the
// sheet around it, dimension lines and, on square and rectangle, the note of
// the minimum corner radius.
#include "drawing/General_dibujo.h"
#include "drawing/Grafico.h"
#include "drawing/Registros.h"
#include "engine/General.h"

namespace Grafico {

using General_dibujo::Registro_Caja;
using General_dibujo::Registro_Linea;
using General_dibujo::Registro_Texto;

namespace {

constexpr double kGris = 192.0 + 192.0 * 256.0 + 192.0 * 65536.0;  // RGB(192, 192, 192)
constexpr double kRojo = 255.0;                                    // RGB(255, 0, 0)
constexpr int Centrado = General_dibujo::Elemento_Texto_Centrado;
constexpr int Izquierda = General_dibujo::Elemento_Texto_Izquierda;

}  // namespace

void Dibujar_Seccion_Confina() {
    const auto& c = General::Caso;
    auto& d = General_dibujo::Dibujo;
    auto& lista = d.Lista_Elementos;
    lista.Limpiar();
    d.Ver_Seccion = true;

    const int tipo = c.Tipo_Seccion;
    const double D = c.Diametro_Lado;
    // Height of the section: the shorter side on a rectangle, D otherwise.
    const double B = tipo == 3 ? c.Lado_Menor : D;
    const double tick = D / 6.66666;  // outer end of a tick (the literal, not 20/3)
    const double arriba = tipo == 3 ? B + B / 3 : D + D / 3;

    // Concrete, and the sheet 0.02 D outside it on every side.
    const int forma = tipo == 1 ? General_dibujo::Elemento_Sec_Cir : General_dibujo::Elemento_Sec_Rect;
    lista.Anadir(Registro_Caja(forma, D * 0.02, B + D * 0.02, D + D * 0.02, D * 0.02, kGris));
    lista.Anadir(Registro_Caja(forma, 0, B + D * 0.04, D + D * 0.04, 0, kRojo));

    if (tipo != 1) {
        // Height dimension line with its ticks.
        lista.Anadir(Registro_Linea(-D / 10, D * 0.02, -D / 10, B + D * 0.02));
        lista.Anadir(Registro_Linea(-tick, D * 0.02, -D / 20, D * 0.02));
        lista.Anadir(Registro_Linea(-tick, B + D * 0.02, -D / 20, B + D * 0.02));
    }
    // Width (or diameter) dimension line with its ticks.
    lista.Anadir(Registro_Linea(D * 0.02, -D / 10, D + D * 0.02, -D / 10));
    lista.Anadir(Registro_Linea(D * 0.02, -D / 20, D * 0.02, -tick));
    lista.Anadir(Registro_Linea(D + D * 0.02, -D / 20, D + D * 0.02, -tick));

    const auto ancho = [&] {
        lista.Anadir(Registro_Texto(Centrado, D / 2, -D / 5, 8, 0), Formatear(D, 2));
    };
    const auto alto = [&] {
        lista.Anadir(Registro_Texto(Izquierda, -D / 5, B / 2, 8, 0), Formatear(B, 2));
    };
    if (tipo == 3) {
        alto();
        ancho();
    } else {
        ancho();
        if (tipo == 2) alto();
    }
    if (tipo != 1) lista.Anadir(Registro_Texto(Izquierda, -D / 10, B, 8, 0), "Rmín 3 cm");
    lista.Anadir(Registro_Texto(Centrado, D / 2, arriba, 12, 1), "SECCION");

    Dibujar_Elementos(DesignKind::Confina, 1);
}

}  // namespace Grafico
