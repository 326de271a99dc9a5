// The printer as the reports use it: a surface plus the state a printer
// keeps between calls (print position, font, text colour, pen). Print()
// writes at the print position and moves it to the start of the next line.
#pragma once

#include "reports/Superficie.h"

namespace Imprimir {

class Impresora {
public:
    explicit Impresora(Superficie& s) : sup_(s) {}

    // The document's title, before it starts.
    void DocName(const std::string& titulo) { sup_.Poner_Titulo(titulo); }
    bool Iniciar() { return sup_.Iniciar(); }
    bool EndDoc() { return sup_.Terminar(); }
    void NewPage();

    double ScaleWidth() const { return sup_.Ancho_Pagina(); }
    double ScaleHeight() const { return sup_.Alto_Pagina(); }
    double TextWidth(const std::string& texto) const { return sup_.Medir(texto, Font).Ancho; }
    double TextHeight(const std::string& texto) const { return sup_.Medir(texto, Font).Alto; }

    void Print(const std::string& texto);
    // A line in the text colour, or in the colour given.
    void Line(double x1, double y1, double x2, double y2);
    void Line(double x1, double y1, double x2, double y2, uint32_t color);
    void Box(double x1, double y1, double x2, double y2, uint32_t color);
    void Circle(double cx, double cy, double r, uint32_t color);
    void Arc(double cx, double cy, double r, uint32_t color, double a0, double a1);
    void PaintPicture(const Imagen& imagen, double x, double y, double ancho, double alto);
    // The box a drawing is about to be fitted into.
    void DrawingBox(double x1, double y1, double x2, double y2) { sup_.Caja_Dibujo(x1, y1, x2, y2); }

    double CurrentX = 0;
    double CurrentY = 0;
    Fuente Font;
    uint32_t ForeColor = 0;
    int DrawStyle = 0;
    int DrawWidth = 1;
    int Page = 1;

private:
    Pluma Pen() const { return Pluma{DrawStyle, DrawWidth < 1 ? 1 : DrawWidth}; }
    Superficie& sup_;
};

}  // namespace Imprimir
