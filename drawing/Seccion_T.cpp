// T section drawing "SECCION".
#include "drawing/General_dibujo.h"
#include "drawing/Registros.h"
#include "drawing/Grafico.h"
#include "drawing/Vista_Flexion.h"
#include "drawing/Seccion_Flexion.h"
#include "engine/General.h"

namespace Grafico {

using General_dibujo::Registro_Linea;
using General_dibujo::Registro_Texto;

namespace {

constexpr int Centrado = General_dibujo::Elemento_Texto_Centrado;

}  // namespace

void Dibujar_Seccion_T() {
    const auto& c = General::Caso;
    auto& lista = Nueva_Vista(Vista_Flexion::Seccion);

    const double b = c.Ancho;
    const double h = c.Canto;
    const double bw = c.Ancho_Alma;
    const double hf = c.Canto_Ala;
    // Reference length of every offset; the second test is not strict.
    const double L = h < b ? h : (b <= bw ? bw : b);
    const double ew = (b - bw) / 2;  // web face from the flange edge (< 0: wider web)
    const double dL = b < bw ? (bw - b) / 2 : 0;  // depth dimension clears a wider web
    const double tick = Tick_Seccion(L);
    const double alma_d = b - ew;          // right web face
    const double alma_i = alma_d - bw;     // left web face, as the outline takes it
    const double ala = h - hf;             // underside of the flange

    // Outline, clockwise from the left side of the flange.
    lista.Anadir(Registro_Linea(0, ala, 0, h));
    lista.Anadir(Registro_Linea(0, h, b, h));
    lista.Anadir(Registro_Linea(b, h, b, ala));
    lista.Anadir(Registro_Linea(b, ala, alma_d, ala));
    lista.Anadir(Registro_Linea(alma_d, ala, alma_d, 0));
    lista.Anadir(Registro_Linea(alma_d, 0, alma_i, 0));
    lista.Anadir(Registro_Linea(alma_i, 0, alma_i, ala));
    lista.Anadir(Registro_Linea(alma_i, ala, 0, ala));
    // Lower band in the web, upper band across the flange; sheet under the web.
    Bandas_Seccion(lista, L, ew, alma_d);
    // Depth, flange width, flange depth, web width and sheet dimensions.
    Cotas_Canto_Ancho(lista, L, dL);
    lista.Anadir(Registro_Linea(b + L / 10, ala, b + L / 10, h));
    lista.Anadir(Registro_Linea(b + tick, ala, b + L / 20, ala));
    lista.Anadir(Registro_Linea(b + tick, h, b + L / 20, h));
    lista.Anadir(Registro_Linea(ew, -L / 2, alma_d, -L / 2));
    lista.Anadir(Registro_Linea(ew, -L / 2 + L * 0.05, ew, -L / 2 - L * 0.05));
    lista.Anadir(Registro_Linea(alma_d, -L / 2 + L * 0.05, alma_d, -L / 2 - L * 0.05));
    Cota_Refuerzo(lista, L);
    // Values.
    Textos_Canto_Ancho(lista, L, dL);
    lista.Anadir(Registro_Texto(General_dibujo::Elemento_Texto_Derecha, b + L / 5, h - hf / 2, 8, 0),
                  Formatear(hf, 2));
    lista.Anadir(Registro_Texto(Centrado, b / 2, -L / 2 - L * 0.1, 8, 0), Formatear(bw, 2));
    Textos_Refuerzo_Titulo(lista, L);

    Dibujar_Elementos(DesignKind::FlexionT, 1);
}

}  // namespace Grafico
