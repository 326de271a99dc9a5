// "DIAGRAMA TENSION-DEFORMACION": the linear stress-strain law of every
// product variant, the chosen one solid with its design points per number
// of layers.
#include <cmath>
#include <string>

#include "drawing/Formato.h"
#include "drawing/General_dibujo.h"
#include "drawing/Grafico.h"
#include "drawing/Registros.h"
#include "engine/General.h"

namespace Grafico {

using General_dibujo::Elemento_Punto;
using General_dibujo::Elemento_Texto_Centrado;
using General_dibujo::Elemento_Texto_Izquierda;
using General_dibujo::Registro_Linea;
using General_dibujo::Registro_Texto;

namespace {

constexpr double kNegro = General_dibujo::Color_Negro;

// Nearest integer, a half going to the even one.
double Redondeo_Par(double x) { return std::nearbyint(x); }

}  // namespace

void Dibujar_Diagrama_Tension(int j) {
    const auto& c = General::Caso;
    const int nv = c.Num_Tipos_Refuerzo;
    const int N = c.Num_Capas_Max;
    // Nothing to draw without a catalogue or with a variant outside it.
    if (nv < 1 || N < 1 || j < 1 || j > nv || !c.Datos_Refuerzo.Dentro(nv, 3)) return;

    auto E = [&](int i) { return c.Datos_Refuerzo.Leer(i, 2).value_or(0.0); };
    auto eu = [&](int i) { return c.Datos_Refuerzo.Leer(i, 3).value_or(0.0); };
    auto color = [&](int i) { return c.Color_Refuerzo.Leer(i).value_or(General::Color{}).Valor(); };
    auto q = [&](int n) { return c.Def_Calculo_Refuerzo.Leer(n).value_or(0.0); };

    // Axis lengths: the largest ultimate strain up to an even number of per
    // mil, the largest ultimate stress up to a multiple of 500.
    double emax = eu(1);
    double smax = eu(1) * E(1);
    for (int i = 1; i <= nv; ++i) {
        if (eu(i) > emax) emax = eu(i);
        if (eu(i) * E(i) > smax) smax = eu(i) * E(i);
    }
    const double k = Redondeo_Par(emax * 1000);
    if (std::fmod(k, 2.0) != 0) emax = (2 * std::floor(emax * 1000 / 2) + 2) / 1000;
    const double m = Redondeo_Par(smax);
    if (std::fmod(m, 500.0) != 0) smax = 500 * std::floor(smax / 500) + 500;

    auto& lista = General_dibujo::Dibujo.Lista_Elementos;
    lista.Limpiar();

    lista.Anadir(Registro_Linea(0, 0, emax, 0));
    lista.Anadir(Registro_Linea(0, 0, 0, smax));

    const double Ej = E(j);
    auto s = [&](int n) { return q(n) * Ej; };
    for (int i = 1; i <= nv; ++i) {
        if (i != j) {
            lista.Anadir(Registro_Linea(0, 0, eu(i), eu(i) * E(i), color(i), 3, 1));
            continue;
        }
        lista.Anadir(Registro_Linea(0, 0, eu(j), eu(j) * Ej, color(j), 1, 2));
        lista.Anadir(Registro_Texto(Elemento_Texto_Centrado, eu(j) + emax / 20,
                                     eu(j) * Ej + smax / 20, 8, 0),
                      c.Nombre_Refuerzo.Leer(j).value_or(std::string{}));
        lista.Anadir(Registro_Linea(0, s(1), q(1), s(1), kNegro, 3, 1));
        lista.Anadir(Registro_Linea(q(1), 0, q(1), s(1), kNegro, 3, 1));
        lista.Anadir(Registro_Linea(0, s(N), q(N), s(N), kNegro, 3, 1));
        lista.Anadir(Registro_Linea(q(N), 0, q(N), s(N), kNegro, 3, 1));
        for (int n = 1; n <= N; ++n) {
            General_dibujo::Elemento punto;
            punto.Tipo = Elemento_Punto;
            punto.X1 = q(n);
            punto.Y1 = s(n);
            punto.Color = color(j);
            lista.Anadir(punto);
            auto cifra = Registro_Texto(Elemento_Texto_Centrado, q(n), s(n) + 125, 8, 0);
            cifra.Color = color(j);
            lista.Anadir(cifra, Formatear(n, 0));
        }
    }

    for (int n = 1; n <= 9; ++n)
        lista.Anadir(Registro_Texto(Elemento_Texto_Centrado, emax / 10 * n, -100, 8, 0),
                      Formatear(emax / 10 * n * 1000, 2));
    for (int n = 1; n <= 9; ++n)
        lista.Anadir(Registro_Texto(Elemento_Texto_Izquierda, 0, smax / 10 * n, 8, 0),
                      Alinear_Derecha(Formatear(smax / 10 * n, 0), 4));
    lista.Anadir(Registro_Texto(Elemento_Texto_Centrado, emax + emax / 20, 0, 8, 0), "Def (‰)");
    lista.Anadir(Registro_Texto(Elemento_Texto_Centrado, 0, smax + smax / 20, 8, 0),
                  "Tensión (N/mm²)");
    lista.Anadir(Registro_Texto(Elemento_Texto_Centrado, emax / 1.75, 1.25 * smax, 12, 1),
                  "DIAGRAMA TENSION-DEFORMACION");

    Dibujar_Elementos(DesignKind::Carac, 0);
}

}  // namespace Grafico
