// Plain number text with a fixed number of decimals, no locale involved.
#pragma once

#include <string>

namespace Grafico {

// Decimales::Texto_Decimales for a drawing label; non-finite values give "0".
std::string Texto_Decimales(double valor, int decimales, const std::string& separador);

// Right-aligns text in n characters (the "@@..." pattern); longer text is kept.
std::string Alinear_Derecha(const std::string& texto, int n);

}  // namespace Grafico
