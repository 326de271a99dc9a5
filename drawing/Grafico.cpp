#include "drawing/Grafico.h"

#include <array>
#include <clocale>

#include "drawing/Formato.h"
#include "drawing/General_dibujo.h"
#include "drawing/Pantalla.h"

namespace Grafico {

namespace {

std::array<Area_Dibujo*, 4> g_areas{};
Formateador g_formateador;

std::size_t Indice(DesignKind v) { return static_cast<std::size_t>(v); }

}  // namespace

void Registrar_Area(DesignKind v, Area_Dibujo* area) { g_areas[Indice(v)] = area; }

void Quitar_Area(DesignKind v, Area_Dibujo* area) {
    if (g_areas[Indice(v)] == area) g_areas[Indice(v)] = nullptr;
}

Area_Dibujo* Area_Registrada(DesignKind v) { return g_areas[Indice(v)]; }

void Dibujar_Elementos(DesignKind v, int16_t iso) {
    Area_Dibujo* area = Area_Registrada(v);
    if (!area) return;
    auto& d = General_dibujo::Dibujo;
    const double W = area->Ancho_Interior();
    const double H = area->Alto_Interior();
    // The characteristics window's picture area has no Barra array.
    Escena s = Construir_Escena(d.Lista_Elementos, W, H, iso, area->Medidor(), v != DesignKind::Carac);
    d.Ancho_Dibujo = W;
    d.Alto_Dibujo = H;
    d.Escala_X = s.Ajuste_Vista.Sx;
    d.Escala_Y = s.Ajuste_Vista.Sy;
    d.N_Linea = static_cast<int16_t>(s.Linea.size());
    d.N_Punto = static_cast<int16_t>(s.Punto.size());
    d.N_Tit = static_cast<int16_t>(s.Tit.size());
    d.N_Barra = static_cast<int16_t>(s.Barra.size());
    d.N_Sec_rect = static_cast<int16_t>(s.Sec_rect.size());
    d.N_Sec_cir = static_cast<int16_t>(s.Sec_cir.size());
    area->Mostrar(std::move(s));
}

void Poner_Formateador(Formateador f) { g_formateador = std::move(f); }

std::string Formatear(double valor, int decimales) {
    if (g_formateador) return g_formateador(valor, decimales);
    const std::lconv* lc = std::localeconv();
    const std::string sep = (lc && lc->decimal_point && *lc->decimal_point) ? lc->decimal_point : ".";
    return Texto_Decimales(valor, decimales, sep);
}

}  // namespace Grafico
