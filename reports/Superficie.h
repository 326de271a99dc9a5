// The page a report draws on, in centimetres from the top left corner of the
// printable area (x to the right, y downwards). A printer, a PDF file and the
// test recorder implement it; the printer's own state (current position,
// font, colour, pen) is emulated above it by Impresora.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Imprimir {

struct Fuente {
    std::string Nombre = "arial";
    double Tamano = 10;  // points
    bool Negrita = false;
    bool operator==(const Fuente&) const = default;
};

struct Medida {
    double Ancho = 0;
    double Alto = 0;
};

struct Pluma {
    int Estilo = 0;  // 0 solid, 2 dotted (other values: solid)
    int Ancho = 1;   // device pixels, at least 1
    bool operator==(const Pluma&) const = default;
};

// A picture: Ancho x Alto pixels, 0xAARRGGBB, row by row from the top.
struct Imagen {
    int Ancho = 0;
    int Alto = 0;
    std::vector<uint32_t> Pixeles;
    bool Vacia() const {
        return Ancho <= 0 || Alto <= 0 ||
               Pixeles.size() != static_cast<std::size_t>(Ancho) * static_cast<std::size_t>(Alto);
    }
};

// Colours are RGB values as the display list holds them: red + 256 green +
// 65536 blue.
class Superficie {
public:
    virtual ~Superficie() = default;

    // The document's title (its properties, the printer job's name); set
    // before Iniciar().
    virtual void Poner_Titulo(const std::string&) {}
    // Opens the document; false (Error() tells why) when it cannot start.
    virtual bool Iniciar() = 0;
    // Size of the printable area.
    virtual double Ancho_Pagina() const = 0;
    virtual double Alto_Pagina() const = 0;
    // Width and line height of a text in a font.
    virtual Medida Medir(const std::string& texto, const Fuente& f) const = 0;
    // A text whose line box has its top left corner at (x, y).
    virtual void Texto(double x, double y, const std::string& texto, const Fuente& f,
                       uint32_t color) = 0;
    virtual void Linea(double x1, double y1, double x2, double y2, const Pluma& p,
                       uint32_t color) = 0;
    // Outline of the rectangle with these two opposite corners.
    virtual void Rectangulo(double x1, double y1, double x2, double y2, const Pluma& p,
                            uint32_t color) = 0;
    virtual void Circulo(double cx, double cy, double r, const Pluma& p, uint32_t color) = 0;
    // Arc from angle a0 to a1 (radians, counter-clockwise as seen on the page,
    // 0 pointing to increasing x).
    virtual void Arco(double cx, double cy, double r, double a0, double a1, const Pluma& p,
                      uint32_t color) = 0;
    // The picture stretched into the box.
    virtual void Dibujar_Imagen(double x, double y, double ancho, double alto,
                                const Imagen& imagen) = 0;
    // The box a drawing is fitted into, from (x1, y1) to (x2, y2); on a page
    // too small for the layout it is empty or reversed.
    virtual void Caja_Dibujo(double /*x1*/, double /*y1*/, double /*x2*/, double /*y2*/) {}
    virtual void Nueva_Pagina() = 0;
    // Ends the document; false (Error() tells why) when it was not produced.
    virtual bool Terminar() = 0;
    virtual std::string Error() const { return {}; }
};

}  // namespace Imprimir
