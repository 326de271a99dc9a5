#include "drawing/Formato.h"

#include <cmath>

#include "engine/Decimales.h"

namespace Grafico {

std::string Texto_Decimales(double valor, int decimales, const std::string& separador) {
    if (!std::isfinite(valor)) return "0";
    return Decimales::Texto_Decimales(valor, decimales, separador);
}

std::string Alinear_Derecha(const std::string& texto, int n) {
    if (static_cast<int>(texto.size()) >= n) return texto;
    return std::string(static_cast<std::size_t>(n) - texto.size(), ' ') + texto;
}

}  // namespace Grafico
