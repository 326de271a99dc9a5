#include "tests/reports/Grabadora.h"

namespace Imprimir {

namespace {

// Characters of a UTF-8 text (its continuation bytes do not count).
double Caracteres(const std::string& t) {
    double n = 0;
    for (unsigned char ch : t)
        if ((ch & 0xC0) != 0x80) ++n;
    return n;
}

}  // namespace

bool Grabadora::Iniciar() {
    if (fallar_inicio) {
        if (error.empty()) error = "no se puede iniciar";
        return false;
    }
    iniciada = true;
    paginas = 1;
    return true;
}

Medida Grabadora::Medir(const std::string& texto, const Fuente& f) const {
    const double k = f.Tamano / 10;
    return {Caracteres(texto) * (f.Negrita ? 0.22 : 0.2) * k, 0.5 * k};
}

void Grabadora::Texto(double x, double y, const std::string& texto, const Fuente& f,
                      uint32_t color) {
    Trazo t;
    t.tipo = Trazo::Tipo::Texto;
    t.pagina = paginas;
    t.x1 = x;
    t.y1 = y;
    t.texto = texto;
    t.fuente = f;
    t.color = color;
    trazos.push_back(std::move(t));
}

void Grabadora::Linea(double x1, double y1, double x2, double y2, const Pluma& p,
                      uint32_t color) {
    trazos.push_back({Trazo::Tipo::Linea, paginas, x1, y1, x2, y2, 0, 0, 0, {}, {}, p, color});
}

void Grabadora::Rectangulo(double x1, double y1, double x2, double y2, const Pluma& p,
                           uint32_t color) {
    trazos.push_back(
        {Trazo::Tipo::Rectangulo, paginas, x1, y1, x2, y2, 0, 0, 0, {}, {}, p, color});
}

void Grabadora::Circulo(double cx, double cy, double r, const Pluma& p, uint32_t color) {
    trazos.push_back({Trazo::Tipo::Circulo, paginas, cx, cy, 0, 0, r, 0, 0, {}, {}, p, color});
}

void Grabadora::Arco(double cx, double cy, double r, double a0, double a1, const Pluma& p,
                     uint32_t color) {
    trazos.push_back({Trazo::Tipo::Arco, paginas, cx, cy, 0, 0, r, a0, a1, {}, {}, p, color});
}

void Grabadora::Dibujar_Imagen(double x, double y, double w, double h, const Imagen&) {
    trazos.push_back({Trazo::Tipo::Imagen, paginas, x, y, x + w, y + h, 0, 0, 0, {}, {}, {}, 0});
}

void Grabadora::Caja_Dibujo(double x1, double y1, double x2, double y2) {
    cajas.push_back({paginas, x1, y1, x2, y2});
}

void Grabadora::Nueva_Pagina() {
    ++paginas;
    trazos.push_back({Trazo::Tipo::Pagina_Nueva, paginas, 0, 0, 0, 0, 0, 0, 0, {}, {}, {}, 0});
}

bool Grabadora::Terminar() {
    trazos.push_back({Trazo::Tipo::Fin, paginas, 0, 0, 0, 0, 0, 0, 0, {}, {}, {}, 0});
    terminada = true;
    if (fallar_fin) {
        if (error.empty()) error = "la impresora ha devuelto un error";
        return false;
    }
    return true;
}

std::vector<const Trazo*> Grabadora::Textos() const { return De_Tipo(Trazo::Tipo::Texto); }

const Trazo* Grabadora::Buscar(const std::string& t) const {
    for (const Trazo& x : trazos)
        if (x.tipo == Trazo::Tipo::Texto && x.texto == t) return &x;
    return nullptr;
}

std::vector<const Trazo*> Grabadora::De_Tipo(Trazo::Tipo tipo) const {
    std::vector<const Trazo*> v;
    for (const Trazo& x : trazos)
        if (x.tipo == tipo) v.push_back(&x);
    return v;
}

}  // namespace Imprimir
