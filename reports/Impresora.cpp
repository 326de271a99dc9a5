#include "reports/Impresora.h"

namespace Imprimir {

void Impresora::NewPage() {
    sup_.Nueva_Pagina();
    ++Page;
    CurrentX = 0;
    CurrentY = 0;
}

void Impresora::Print(const std::string& texto) {
    sup_.Texto(CurrentX, CurrentY, texto, Font, ForeColor);
    CurrentX = 0;
    CurrentY += TextHeight(texto);
}

void Impresora::Line(double x1, double y1, double x2, double y2) {
    Line(x1, y1, x2, y2, ForeColor);
}

void Impresora::Line(double x1, double y1, double x2, double y2, uint32_t color) {
    sup_.Linea(x1, y1, x2, y2, Pen(), color);
    CurrentX = x2;
    CurrentY = y2;
}

void Impresora::Box(double x1, double y1, double x2, double y2, uint32_t color) {
    sup_.Rectangulo(x1, y1, x2, y2, Pen(), color);
    CurrentX = x2;
    CurrentY = y2;
}

void Impresora::Circle(double cx, double cy, double r, uint32_t color) {
    sup_.Circulo(cx, cy, r, Pen(), color);
    CurrentX = cx;
    CurrentY = cy;
}

void Impresora::Arc(double cx, double cy, double r, uint32_t color, double a0, double a1) {
    sup_.Arco(cx, cy, r, a0, a1, Pen(), color);
    CurrentX = cx;
    CurrentY = cy;
}

void Impresora::PaintPicture(const Imagen& imagen, double x, double y, double ancho,
                             double alto) {
    if (!imagen.Vacia()) sup_.Dibujar_Imagen(x, y, ancho, alto, imagen);
}

}  // namespace Imprimir
