#include "drawing/General_dibujo.h"

namespace General_dibujo {

namespace {
const Elemento kVacio{};
const std::string kSinTexto;

bool En_Rango(int i) { return i >= 1 && i <= Max_Elementos; }
}  // namespace

void Lista::Limpiar() {
    elementos_.fill(Elemento{});
    for (auto& t : textos_) t.clear();
    num_ = 0;
    completa_ = true;
}

const Elemento& Lista::Elementos(int i) const {
    return En_Rango(i) ? elementos_[static_cast<std::size_t>(i - 1)] : kVacio;
}

const std::string& Lista::Textos(int i) const {
    return En_Rango(i) ? textos_[static_cast<std::size_t>(i - 1)] : kSinTexto;
}

bool Lista::Agregar(const Elemento& e, const std::string& texto) {
    if (num_ >= Max_Elementos) return false;
    const int i = num_ + 1;
    elementos_[static_cast<std::size_t>(i - 1)] = e;
    textos_[static_cast<std::size_t>(i - 1)] = texto;
    num_ = static_cast<int16_t>(i);
    return true;
}

void Lista::Anadir(const Elemento& e, const std::string& texto) {
    if (!Agregar(e, texto)) completa_ = false;
}

bool Lista::Escribir(int i, const Elemento& e, const std::string& texto) {
    if (!En_Rango(i)) return false;
    elementos_[static_cast<std::size_t>(i - 1)] = e;
    textos_[static_cast<std::size_t>(i - 1)] = texto;
    return true;
}

void Lista::Poner_Num_Elementos(int n) {
    if (n < 0) n = 0;
    if (n > Max_Elementos) n = Max_Elementos;
    num_ = static_cast<int16_t>(n);
}

}  // namespace General_dibujo
