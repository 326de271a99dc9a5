#include "reports/Imprimir.h"

#include "drawing/Pantalla.h"

#include <algorithm>
#include <cmath>

namespace Imprimir {

namespace {

using General_dibujo::Elemento;

int Entero(double v) {
    if (!std::isfinite(v)) return 0;
    return static_cast<int>(std::clamp(std::llround(v), -100000LL, 100000LL));
}

}  // namespace

void Imprimir_Elementos(Impresora& imp, const General_dibujo::Lista& lista, double der,
                        double izq, double sup, double inf, int16_t iguales) {
    if (!lista.Completa()) return;
    const int n = lista.Num_Elementos();
    const double W = imp.ScaleWidth() - (der + izq);
    const double H = imp.ScaleHeight() - (sup + inf);
    imp.DrawingBox(izq, sup, izq + W, sup + H);

    // The screen's fit, placed within the margins.
    const Grafico::Ajuste a = Grafico::Ajustar(lista, W, H, iguales);
    const double xmin = a.Xmin, ymin = a.Ymin;
    const double sx = a.Sx, sy = a.Sy;
    const double ox = izq + (W - std::fabs(a.Dx) * sx) / 2;
    const double oy = sup + H - (H - std::fabs(a.Dy) * sy) / 2;
    auto X = [&](double x) { return ox + (x - xmin) * sx; };
    auto Y = [&](double y) { return oy - (y - ymin) * sy; };

    for (int i = 1; i <= n; ++i) {
        const Elemento& e = lista.Elementos(i);
        imp.DrawStyle = 0;
        const double x1 = X(e.X1), y1 = Y(e.Y1), x2 = X(e.X2), y2 = Y(e.Y2);
        const uint32_t color = Grafico::Color_Entero(e.Color);
        if (e.Tipo == General_dibujo::Elemento_Linea) {
            // The printer's pen holds itself to at least one pixel.
            imp.DrawWidth = e.Grosor > 1 ? Entero(2 * e.Grosor) : Entero(e.Grosor);
            imp.DrawStyle = Entero(e.Estilo - 1);
            imp.Line(x1, y1, x2, y2, color);
        } else if (e.Tipo == General_dibujo::Elemento_Punto) {
            imp.DrawWidth = 1;
            imp.Circle(x1, y1, 0.1, color);
        } else if (e.Tipo == General_dibujo::Elemento_Texto_Centrado ||
                   e.Tipo == General_dibujo::Elemento_Texto_Izquierda ||
                   e.Tipo == General_dibujo::Elemento_Texto_Derecha) {
            imp.Font.Tamano = e.Grosor > 0 && std::isfinite(e.Grosor) ? e.Grosor : imp.Font.Tamano;
            imp.Font.Negrita = e.Negrita != 0;
            const std::string& texto = lista.Textos(i);
            const double tw = imp.TextWidth(texto);
            const double th = imp.TextHeight(texto);
            if (e.Tipo == General_dibujo::Elemento_Texto_Centrado)
                imp.CurrentX = x1 - tw / 2;
            else if (e.Tipo == General_dibujo::Elemento_Texto_Izquierda)
                imp.CurrentX = x1 - 4 * tw / 3;
            else
                imp.CurrentX = x1 + tw / 3;
            imp.CurrentY = y1 - th / 2;
            imp.ForeColor = color;
            imp.Print(texto);
        } else if (e.Tipo == General_dibujo::Elemento_Barra) {
            imp.DrawWidth = 1;
            imp.Box(x1, y1, x2, y2, color);
        } else if (e.Tipo == General_dibujo::Elemento_Sec_Rect) {
            imp.DrawWidth = 1;
            const double r = 0.1 * std::min(std::fabs(x2 - x1), std::fabs(y2 - y1));
            imp.Line(x1, y1 + r, x1, y2 - r, color);
            imp.Line(x2, y1 + r, x2, y2 - r, color);
            imp.Line(x1 + r, y1, x2 - r, y1, color);
            imp.Line(x1 + r, y2, x2 - r, y2, color);
            imp.Arc(x1 + r, y1 + r, r, color, 3.141592 / 2, 3.141592);
            imp.Arc(x2 - r, y1 + r, r, color, 0, 3.141592 / 2);
            imp.Arc(x1 + r, y2 - r, r, color, 3.141592, 9.424776 / 2);
            imp.Arc(x2 - r, y2 - r, r, color, 9.424776 / 2, 6.283184);
        } else if (e.Tipo == General_dibujo::Elemento_Sec_Cir) {
            imp.DrawWidth = 1;
            imp.Circle((x1 + x2) / 2, (y1 + y2) / 2, std::fabs(x2 - x1) / 2, color);
        }
    }
}

void Dibujar_Rejilla(Impresora& imp, double x0, double y0, double filas, double columnas,
                     double alto_fila, double ancho_columna) {
    imp.DrawStyle = 0;
    const long nf = std::isfinite(filas) ? std::clamp(std::lround(filas), 0L, 1000L) : 0;
    const long nc = std::isfinite(columnas) ? std::clamp(std::lround(columnas), 0L, 1000L) : 0;
    for (long i = 1; i <= nf + 1; ++i) {
        const double y = y0 + static_cast<double>(i - 1) * alto_fila;
        imp.Line(x0, y, x0 + columnas * ancho_columna, y);
    }
    for (long j = 1; j <= nc + 1; ++j) {
        const double x = x0 + static_cast<double>(j - 1) * ancho_columna;
        imp.Line(x, y0, x, y0 + filas * alto_fila);
    }
}

}  // namespace Imprimir
