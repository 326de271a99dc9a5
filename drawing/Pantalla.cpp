#include "drawing/Pantalla.h"

#include <algorithm>
#include <cmath>

namespace Grafico {

using General_dibujo::Elemento;
using General_dibujo::Lista;

namespace {

// Whole number of a style or width field, as the elements take them.
int Entero(double v, int minimo, int maximo) {
    if (!std::isfinite(v)) return minimo;
    v = std::nearbyint(v);
    if (v < minimo) return minimo;
    if (v > maximo) return maximo;
    return static_cast<int>(v);
}

Forma_Pantalla Caja(int registro, const Elemento& e, const Ajuste& a) {
    Forma_Pantalla f;
    f.Registro = registro;
    // Placed from the normalised corners: upper-left is the smaller X and the
    // larger Y whichever point the record gives first.
    f.Left = a.Px(std::min(e.X1, e.X2));
    f.Top = a.Py(std::max(e.Y1, e.Y2));
    f.Width = std::fabs(e.X2 - e.X1) * a.Sx;
    f.Height = std::fabs(e.Y2 - e.Y1) * a.Sy;
    f.Color = Color_Entero(e.Color);
    return f;
}

}  // namespace

uint32_t Color_Entero(double color) {
    if (!std::isfinite(color)) return 0;
    const double r = std::round(color);
    if (r <= 0) return 0;
    if (r >= 0xFFFFFF) return 0xFFFFFF;
    return static_cast<uint32_t>(r);
}

Ajuste Ajustar(const Lista& lista, double W, double H, int16_t iso) {
    Ajuste a;
    a.W = W;
    a.H = H;
    const Elemento& r1 = lista.Elementos(1);
    double xmin = r1.X1, xmax = r1.X1, ymin = r1.Y1, ymax = r1.Y1;
    const int n = lista.Num_Elementos();
    for (int i = 1; i <= n; ++i) {
        const Elemento& e = lista.Elementos(i);
        for (double x : {e.X1, e.X2}) {
            if (x < xmin) xmin = x;
            if (x > xmax) xmax = x;
        }
        for (double y : {e.Y1, e.Y2}) {
            if (y < ymin) ymin = y;
            if (y > ymax) ymax = y;
        }
    }
    a.Xmin = xmin;
    a.Ymin = ymin;
    a.Dx = xmax - xmin;
    a.Dy = ymax - ymin;
    a.Sx = a.Dx == 0 ? 0 : 0.8 * W / std::fabs(a.Dx);
    a.Sy = a.Dy == 0 ? 0 : 0.8 * H / std::fabs(a.Dy);
    if (iso == 1) {
        if (a.Sy <= a.Sx)
            a.Sx = a.Sy;
        else
            a.Sy = a.Sx;
    }
    a.OffX = (W - std::fabs(a.Dx) * a.Sx) / 2;
    a.OffY = H - (H - std::fabs(a.Dy) * a.Sy) / 2;
    return a;
}

Escena Construir_Escena(const Lista& lista, double W, double H, int16_t iso,
                        const Medidor_Texto& medidor, bool con_barras) {
    Escena s;
    s.Origen = std::make_shared<const Lista>(lista);
    s.Con_Barras = con_barras;
    s.Ajuste_Vista = Ajustar(lista, W, H, iso);
    const Ajuste& a = s.Ajuste_Vista;
    const int n = lista.Completa() ? lista.Num_Elementos() : 0;
    for (int i = 1; i <= n; ++i) {
        const Elemento& e = lista.Elementos(i);
        const double t = e.Tipo;
        if (t == General_dibujo::Elemento_Linea) {
            Linea_Pantalla l;
            l.Registro = i;
            l.x1 = a.Px(e.X1);
            l.y1 = a.Py(e.Y1);
            l.x2 = a.Px(e.X2);
            l.y2 = a.Py(e.Y2);
            l.Color = Color_Entero(e.Color);
            l.Estilo = Entero(e.Estilo, 0, 6);
            l.Grosor = Entero(e.Grosor, 1, 1000);
            s.Linea.push_back(l);
        } else if (t == General_dibujo::Elemento_Punto) {
            Forma_Pantalla p;
            p.Registro = i;
            p.Width = Lado_Punto;
            p.Height = Lado_Punto;
            p.Left = a.Px(e.X1) - p.Width / 2;
            p.Top = a.Py(e.Y1) - p.Height / 2;
            p.Color = Color_Entero(e.Color);
            s.Punto.push_back(p);
        } else if (t == General_dibujo::Elemento_Texto_Centrado ||
                   t == General_dibujo::Elemento_Texto_Izquierda ||
                   t == General_dibujo::Elemento_Texto_Derecha) {
            Tit_Pantalla l;
            l.Registro = i;
            l.Size = e.Grosor;
            l.Bold = e.Negrita != 0;
            l.Caption = lista.Textos(i);
            const Tamano_Texto m = medidor.Medir(l.Caption, l.Size, l.Bold);
            l.Width = m.Ancho;
            l.Height = m.Alto;
            const double px = a.Px(e.X1);
            if (t == General_dibujo::Elemento_Texto_Izquierda)
                l.Left = px - l.Width * 4 / 3;
            else if (t == General_dibujo::Elemento_Texto_Derecha)
                l.Left = px + l.Width / 3;
            else
                l.Left = px - l.Width / 2;
            l.Top = a.Py(e.Y1) - l.Height / 2;
            l.Color = Color_Entero(e.Color);
            s.Tit.push_back(std::move(l));
        } else if (t == General_dibujo::Elemento_Barra) {
            if (con_barras) s.Barra.push_back(Caja(i, e, a));
        } else if (t == General_dibujo::Elemento_Sec_Rect) {
            s.Sec_rect.push_back(Caja(i, e, a));
        } else if (t == General_dibujo::Elemento_Sec_Cir) {
            s.Sec_cir.push_back(Caja(i, e, a));
        }
    }
    return s;
}

}  // namespace Grafico
