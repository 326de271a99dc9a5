#include "drawing/Seccion_Flexion.h"

#include "drawing/Grafico.h"
#include "drawing/Registros.h"
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

// Left end of the sheet, from the left face.
double Borde_Refuerzo() {
    const auto& c = General::Caso;
    return (c.Ancho - c.Ancho_Refuerzo) / 2;
}

}  // namespace

double Tick_Seccion(double L) { return L / 6.66666; }  // the literal, not 20/3

void Bandas_Seccion(General_dibujo::Lista& lista, double L, double izq, double der) {
    const auto& c = General::Caso;
    const double b = c.Ancho;
    const double h = c.Canto;
    const double r = c.Recubrimiento;
    const double as = c.Armadura_Inf;
    const double as2 = c.Armadura_Sup;
    const double e = Borde_Refuerzo();
    // Steel bands grow from the level of the steel into the section.
    const double ti = as * 0.025 / 40;
    const double ts = as2 * 0.025 / 40;
    if (as > 0) lista.Anadir(Registro_Caja(Barra, izq + L / 10, r + ti, der - L / 10, r, kAzul));
    if (as2 > 0) lista.Anadir(Registro_Caja(Barra, L / 10, h - r, b - L / 10, (h - r) - ts, kAzul));
    lista.Anadir(Registro_Caja(Barra, e, 0, b - e, -L / 60, kRojo));
}

void Cotas_Canto_Ancho(General_dibujo::Lista& lista, double L, double dL) {
    const auto& c = General::Caso;
    const double b = c.Ancho;
    const double h = c.Canto;
    const double tick = Tick_Seccion(L);
    lista.Anadir(Registro_Linea(-L / 10 - dL, 0, -L / 10 - dL, h));
    lista.Anadir(Registro_Linea(-tick - dL, 0, -L / 20 - dL, 0));
    lista.Anadir(Registro_Linea(-tick - dL, h, -L / 20 - dL, h));
    lista.Anadir(Registro_Linea(0, h + L / 10, b, h + L / 10));
    lista.Anadir(Registro_Linea(0, h + L / 20, 0, h + tick));
    lista.Anadir(Registro_Linea(b, h + L / 20, b, h + tick));
}

void Cota_Refuerzo(General_dibujo::Lista& lista, double L) {
    const double b = General::Caso.Ancho;
    const double e = Borde_Refuerzo();
    const double tick = Tick_Seccion(L);
    lista.Anadir(Registro_Linea(e, -L / 10, b - e, -L / 10));
    lista.Anadir(Registro_Linea(e, -L / 20, e, -tick));
    lista.Anadir(Registro_Linea(b - e, -L / 20, b - e, -tick));
}

void Textos_Canto_Ancho(General_dibujo::Lista& lista, double L, double dL) {
    const auto& c = General::Caso;
    const double b = c.Ancho;
    const double h = c.Canto;
    lista.Anadir(Registro_Texto(General_dibujo::Elemento_Texto_Izquierda, -L / 5 - dL, h / 2, 8, 0),
                  Formatear(h, 2));
    lista.Anadir(Registro_Texto(Centrado, b / 2, h + L / 5, 8, 0), Formatear(b, 2));
}

void Textos_Refuerzo_Titulo(General_dibujo::Lista& lista, double L) {
    const auto& c = General::Caso;
    const double b = c.Ancho;
    const double h = c.Canto;
    const double r = c.Recubrimiento;
    const double as = c.Armadura_Inf;
    const double as2 = c.Armadura_Sup;
    lista.Anadir(Registro_Texto(Centrado, b / 2, -L / 5, 8, 0), Formatear(c.Ancho_Refuerzo, 3));
    if (as > 0) lista.Anadir(Registro_Texto(Centrado, b / 2, r + L / 10, 8, 0), Formatear(as, 2) + " cm²");
    if (as2 > 0)
        lista.Anadir(Registro_Texto(Centrado, b / 2, (h - r) - L / 10, 8, 0), Formatear(as2, 2) + " cm²");
    lista.Anadir(Registro_Texto(Centrado, b / 2, h + L / 2, 12, 1), "SECCION");
}

}  // namespace Grafico
