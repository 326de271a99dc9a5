#include "drawing/Zoom.h"

#include <algorithm>
#include <cmath>

#include "drawing/General_dibujo.h"

namespace Grafico {

namespace {

// Pointer positions arrive in single precision; corners keep that value.
// Through a volatile: GCC 12 at -O2 drops the float round trip when both
// corners are stored together.
double Simple(double v) {
    volatile float f = static_cast<float>(v);
    return f;
}

template <class T>
void Copiar_Existentes(std::vector<T>& destino, const std::vector<T>& origen) {
    const std::size_t n = std::min(destino.size(), origen.size());
    std::copy_n(origen.begin(), n, destino.begin());
}

}  // namespace

void Zoom_MouseDown(Area_Dibujo& area, DesignKind ventana, int boton, double x, double y) {
    auto& d = General_dibujo::Dibujo;
    if (boton == 1) {
        if (!d.Zoom_Activo) {
            d.Zoom_Activo = true;
            d.Zoom_X1 = Simple(x);
            d.Zoom_Y1 = Simple(y);
        } else {
            d.Zoom_Activo = false;
            Zoom_Ventana(area);
        }
    } else if (boton == 2) {
        // Section drawings keep their proportions; the characteristics
        // window's diagram never has equal scales.
        const int16_t iso = ventana != DesignKind::Carac && d.Ver_Seccion ? 1 : 0;
        Restaurar_Vista(area, iso);
    }
}

void Zoom_MouseMove(Area_Dibujo& area, double x, double y) {
    auto& d = General_dibujo::Dibujo;
    Marco_Zoom* m = area.Window_zoom();
    if (!d.Zoom_Activo) {
        if (m && m->Visible) {
            m->Visible = false;
            area.Repintar();
        }
        return;
    }
    const float x1 = static_cast<float>(d.Zoom_X1), y1 = static_cast<float>(d.Zoom_Y1);
    const float X = static_cast<float>(x), Y = static_cast<float>(y);
    if (m) {
        if (x1 <= X && y1 <= Y)
            *m = {x1, y1, static_cast<double>(X - x1), static_cast<double>(Y - y1), m->Visible};
        else if (x1 > X && y1 > Y)
            *m = {X, Y, static_cast<double>(x1 - X), static_cast<double>(y1 - Y), m->Visible};
        else if (x1 > X && y1 < Y)
            *m = {X, y1, static_cast<double>(x1 - X), static_cast<double>(Y - y1), m->Visible};
        else if (x1 < X && y1 > Y)
            *m = {x1, Y, static_cast<double>(X - x1), static_cast<double>(y1 - Y), m->Visible};
        // Otherwise (on the corner's row to its left, or its column above it)
        // the rectangle keeps its geometry.
        m->Visible = true;
    }
    d.Zoom_X2 = Simple(X);
    d.Zoom_Y2 = Simple(Y);
    area.Repintar();
}

void Zoom_KeyPress(Area_Dibujo& area, int codigo) {
    auto& d = General_dibujo::Dibujo;
    if (codigo != 27 || !d.Zoom_Activo) return;
    d.Zoom_Activo = false;
    if (Marco_Zoom* m = area.Window_zoom()) m->Visible = false;
    area.Repintar();
}

void Zoom_Ventana(Area_Dibujo& area) {
    auto& d = General_dibujo::Dibujo;
    const double W = area.Ancho_Interior();
    const double H = area.Alto_Interior();

    // Upper-left corner of the picked rectangle.
    double x0 = d.Zoom_X2 < d.Zoom_X1 ? d.Zoom_X2 : d.Zoom_X1;
    double y0 = d.Zoom_Y2 < d.Zoom_Y1 ? d.Zoom_Y2 : d.Zoom_Y1;
    // A side of no length counts as one pixel.
    if (d.Zoom_X2 == d.Zoom_X1) d.Zoom_X2 = d.Zoom_X1 + 1;
    if (d.Zoom_Y2 == d.Zoom_Y1) d.Zoom_Y2 = d.Zoom_Y1 + 1;
    d.Escala_X = W / std::fabs(d.Zoom_X2 - d.Zoom_X1);
    d.Escala_Y = H / std::fabs(d.Zoom_Y2 - d.Zoom_Y1);
    double F = d.Escala_X < d.Escala_Y ? d.Escala_X : d.Escala_Y;
    d.Factor_Zoom = F;

    Escena* s = area.Escena_Render();
    if (!s) return;

    for (auto& l : s->Linea) {
        const auto lejos = [](double v) { return !(std::fabs(v) <= Limite_Zoom); };
        // From the first line that would leave the platform's range on, this
        // zoom moves nothing more.
        if (lejos((l.x1 - x0) * d.Escala_X) || lejos((l.y1 - y0) * d.Escala_Y) ||
            lejos((l.x2 - x0) * d.Escala_X) || lejos((l.y2 - y0) * d.Escala_Y)) {
            x0 = 0;
            y0 = 0;
            F = 1;
            d.Factor_Zoom = 1;
        }
        l.x1 = (l.x1 - x0) * F;
        l.y1 = (l.y1 - y0) * F;
        l.x2 = (l.x2 - x0) * F;
        l.y2 = (l.y2 - y0) * F;
    }
    for (auto& t : s->Tit) {
        t.Left = (t.Left - x0) * F;
        t.Top = (t.Top - y0) * F;
        t.Size = t.Size * F;
        // The label sizes itself to the larger font.
        const Tamano_Texto m = area.Medidor().Medir(t.Caption, t.Size, t.Bold);
        t.Width = m.Ancho;
        t.Height = m.Alto;
    }
    for (auto* formas : {&s->Barra, &s->Punto, &s->Sec_rect, &s->Sec_cir}) {
        for (auto& f : *formas) {
            f.Left = (f.Left - x0) * F;
            f.Top = (f.Top - y0) * F;
            f.Width = f.Width * F;
            f.Height = f.Height * F;
        }
    }
    area.Repintar();
}

void Restaurar_Vista(Area_Dibujo& area, int16_t iso) {
    Escena* s = area.Escena_Render();
    // Nothing of this area's own to place (the list may hold a drawing of a
    // window closed earlier).
    if (!s || !s->Origen) return;
    const Escena nueva = Construir_Escena(*s->Origen, area.Ancho_Interior(), area.Alto_Interior(), iso,
                                          area.Medidor(), s->Con_Barras);
    // Only the elements the render created are placed; none is created.
    Copiar_Existentes(s->Linea, nueva.Linea);
    Copiar_Existentes(s->Punto, nueva.Punto);
    Copiar_Existentes(s->Tit, nueva.Tit);
    Copiar_Existentes(s->Barra, nueva.Barra);
    Copiar_Existentes(s->Sec_rect, nueva.Sec_rect);
    Copiar_Existentes(s->Sec_cir, nueva.Sec_cir);
    s->Ajuste_Vista = nueva.Ajuste_Vista;

    auto& d = General_dibujo::Dibujo;
    d.Escala_X = nueva.Ajuste_Vista.Sx;
    d.Escala_Y = nueva.Ajuste_Vista.Sy;
    d.N_Linea = static_cast<int16_t>(s->Linea.size());
    d.N_Punto = static_cast<int16_t>(s->Punto.size());
    d.N_Tit = static_cast<int16_t>(s->Tit.size());
    d.N_Barra = static_cast<int16_t>(s->Barra.size());
    d.N_Sec_rect = static_cast<int16_t>(s->Sec_rect.size());
    d.N_Sec_cir = static_cast<int16_t>(s->Sec_cir.size());
    area.Repintar();
}

}  // namespace Grafico
