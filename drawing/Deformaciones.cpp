// "DIAGRAMA DE PIVOTES": strain profile of the case on show in a flexure
// window's result panel, with the failure pivots B, A and R.
#include <array>
#include <optional>
#include <string>

#include "drawing/General_dibujo.h"
#include "drawing/Panel_Flexion.h"
#include "drawing/Registros.h"
#include "drawing/Grafico.h"
#include "drawing/Vista_Flexion.h"
#include "engine/Calculos.h"
#include "engine/Decimales.h"
#include "engine/General.h"

namespace Grafico {

using General_dibujo::Elemento;
using General_dibujo::Registro_Linea;
using General_dibujo::Registro_Texto;

namespace {

constexpr double kNegro = General_dibujo::Color_Negro;
constexpr double kRojo = 255.0;  // RGB(255, 0, 0)
constexpr int Centrado = General_dibujo::Elemento_Texto_Centrado;

std::array<Fuente_Panel, 4> g_paneles;

// The values of the panel, read back as shown.
struct Lectura {
    int j = 0;  // product variant
    int n = 0;  // layers
    double EpsC = 0, EpsR = 0, EpsSI = 0, EpsSS = 0, FN = 0, Eps0 = 0;
    bool Pivote_R = false;
};

// nullopt when the caption does not name a variant and a layer count, or a
// box holds no number: then nothing is drawn.
std::optional<Lectura> Leer_Panel(const Fuente_Panel& f) {
    if (!f.Textos || !f.Numero) return std::nullopt;
    const auto t = f.Textos();
    if (!t) return std::nullopt;
    const auto& c = General::Caso;
    Lectura l;
    const std::string codigo = Caracter_Utf8(t->Tipo, 23) + Caracter_Utf8(t->Tipo, 24);
    if (codigo == "20")
        l.j = 1;
    else if (codigo == "30")
        l.j = 2;
    else if (codigo == "MM")
        l.j = 3;
    else
        return std::nullopt;
    const std::string capa = Caracter_Utf8(t->Tipo, 41);
    if (capa.size() != 1 || capa[0] < '1' || capa[0] > '9') return std::nullopt;
    l.n = capa[0] - '0';
    if (l.n > c.Num_Capas_Max) return std::nullopt;
    if (!c.Datos_Refuerzo.Dentro(l.j, 3)) return std::nullopt;

    const std::pair<const std::string*, double*> cajas[] = {
        {&t->EpsC, &l.EpsC}, {&t->EpsR, &l.EpsR}, {&t->EpsSI, &l.EpsSI},
        {&t->EpsSS, &l.EpsSS}, {&t->FN, &l.FN},   {&t->Eps0, &l.Eps0}};
    for (const auto& [texto, valor] : cajas) {
        const auto v = f.Numero(*texto);
        if (!v) return std::nullopt;
        *valor = *v;
    }
    l.Pivote_R = Decimales::Recortar(t->Pivote) == "R";
    return l;
}

void Dibujar_Deformaciones(DesignKind ventana) {
    auto& c = General::Caso;
    // No result diagram before the first calculation.
    if (!c.Mu_Capas.Existe()) return;
    const auto p = Leer_Panel(g_paneles[static_cast<std::size_t>(ventana)]);
    if (!p) return;

    auto& lista = Nueva_Vista(Vista_Flexion::Deformaciones);

    // The variant named in the caption becomes the current one.
    c.Espesor_Refuerzo = c.Datos_Refuerzo(p->j, 1);
    c.Modulo_Refuerzo = c.Datos_Refuerzo(p->j, 2);
    c.Def_Ultima_Refuerzo = c.Datos_Refuerzo(p->j, 3);
    Calculos::Calcular_Km();

    const double h = c.Canto;
    const double r = c.Recubrimiento;
    const double ec = p->EpsC;
    const double er = p->EpsR;
    // Pivot R: the sheet's own strain when it governs, else its design strain
    // for n layers plus the initial strain, on the tension side.
    const double xR = p->Pivote_R ? -er : -1000 * c.Def_Calculo_Refuerzo.Leer(p->n).value_or(0.0) - p->Eps0;
    // Upper steel in compression when it lies inside the compressed depth.
    const double ess = p->FN >= r ? p->EpsSS : -p->EpsSS;

    auto punto = [](double x, double y) {
        Elemento e;
        e.Tipo = General_dibujo::Elemento_Punto;
        e.X1 = x;
        e.Y1 = y;
        e.Color = kRojo;
        return e;
    };
    auto texto = [](double x, double y, double color, double tamano, double negrita) {
        Elemento e = Registro_Texto(Centrado, x, y, tamano, negrita);
        e.Color = color;
        return e;
    };

    lista.Anadir(Registro_Linea(0, 0, 0, h));
    lista.Anadir(Registro_Linea(0, h, ec, h));
    lista.Anadir(Registro_Linea(0, 0, -er, 0));
    lista.Anadir(Registro_Linea(0, r, -p->EpsSI, r, kNegro, 3, 1));
    lista.Anadir(Registro_Linea(0, h - r, ess, h - r, kNegro, 3, 1));
    lista.Anadir(Registro_Linea(-er, 0, ec, h));
    lista.Anadir(punto(3.5, h));
    lista.Anadir(punto(-10, r));
    lista.Anadir(punto(xR, 0));
    lista.Anadir(Registro_Linea(0, h, 3.5, h, kRojo, 3, 1));
    lista.Anadir(Registro_Linea(0, 0, xR, 0, kRojo, 3, 1));
    lista.Anadir(Registro_Linea(0, r, -10, r, kRojo, 3, 1));
    lista.Anadir(texto(1.5 * ec, 1.07 * h, kNegro, 8, 0), Formatear(ec, 2) + "‰");
    lista.Anadir(texto(-1.1 * er, -0.07 * h, kNegro, 8, 0), Formatear(er, 2) + "‰");
    lista.Anadir(texto(4, h, kRojo, 8, 0), "B");
    lista.Anadir(texto(xR - 0.5, 0, kRojo, 8, 0), "R");
    lista.Anadir(texto(-10.5, r, kRojo, 8, 0), "A");
    lista.Anadir(texto(-13.5 / 4, 1.2 * h, kNegro, 12, 1), "DIAGRAMA DE PIVOTES");

    Dibujar_Elementos(ventana, 0);
}

}  // namespace

void Registrar_Panel(DesignKind v, Fuente_Panel fuente) {
    g_paneles[static_cast<std::size_t>(v)] = std::move(fuente);
}

std::string Caracter_Utf8(const std::string& texto, int i) {
    if (i < 1) return {};
    int k = 0;
    for (std::size_t pos = 0; pos < texto.size();) {
        std::size_t largo = 1;
        const auto b = static_cast<unsigned char>(texto[pos]);
        if (b >= 0xF0)
            largo = 4;
        else if (b >= 0xE0)
            largo = 3;
        else if (b >= 0xC0)
            largo = 2;
        // A stray continuation byte counts as one character of its own.
        if (++k == i) return texto.substr(pos, largo);
        pos += largo;
    }
    return {};
}

void Dibujar_Deformaciones_Rect() { Dibujar_Deformaciones(DesignKind::Flexion); }
void Dibujar_Deformaciones_T() { Dibujar_Deformaciones(DesignKind::FlexionT); }

}  // namespace Grafico
