// A page surface that records what is drawn, with fixed font metrics, for
// the tests: a character is 0.2 cm wide at 10 points (0.22 in
// bold), a line 0.5 cm high, both in proportion to the size; the page is
// A4 with no unprintable border.
#pragma once

#include "reports/Superficie.h"

#include <string>
#include <vector>

namespace Imprimir {

struct Trazo {
    enum class Tipo { Texto, Linea, Rectangulo, Circulo, Arco, Imagen, Pagina_Nueva, Fin };
    Tipo tipo = Tipo::Texto;
    int pagina = 1;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Circulo/Arco: centre in x1, y1
    double r = 0, a0 = 0, a1 = 0;
    std::string texto;
    Fuente fuente;
    Pluma pluma;
    uint32_t color = 0;
};

// The box a drawing was fitted into, on its page.
struct Caja_Grabada {
    int pagina = 1;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

class Grabadora : public Superficie {
public:
    bool Iniciar() override;
    double Ancho_Pagina() const override { return ancho; }
    double Alto_Pagina() const override { return alto; }
    Medida Medir(const std::string& texto, const Fuente& f) const override;
    void Texto(double x, double y, const std::string& texto, const Fuente& f,
               uint32_t color) override;
    void Linea(double x1, double y1, double x2, double y2, const Pluma& p,
               uint32_t color) override;
    void Rectangulo(double x1, double y1, double x2, double y2, const Pluma& p,
                    uint32_t color) override;
    void Circulo(double cx, double cy, double r, const Pluma& p, uint32_t color) override;
    void Arco(double cx, double cy, double r, double a0, double a1, const Pluma& p,
              uint32_t color) override;
    void Dibujar_Imagen(double x, double y, double w, double h, const Imagen& imagen) override;
    void Caja_Dibujo(double x1, double y1, double x2, double y2) override;
    void Nueva_Pagina() override;
    bool Terminar() override;
    std::string Error() const override { return error; }

    // The texts drawn, in order; the first text equal to t (nullptr if none).
    std::vector<const Trazo*> Textos() const;
    const Trazo* Buscar(const std::string& t) const;
    std::vector<const Trazo*> De_Tipo(Trazo::Tipo tipo) const;

    double ancho = 21.0;
    double alto = 29.7;
    bool fallar_inicio = false;
    bool fallar_fin = false;
    std::string error;
    bool iniciada = false;
    bool terminada = false;
    int paginas = 0;
    std::vector<Trazo> trazos;
    std::vector<Caja_Grabada> cajas;  // the drawings' boxes, in order
};

}  // namespace Imprimir
