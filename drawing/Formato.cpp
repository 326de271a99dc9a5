#include "drawing/Formato.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace Grafico {

std::string Texto_Decimales(double valor, int decimales, const std::string& separador) {
    if (!std::isfinite(valor)) return "0";
    if (decimales < 0) decimales = 0;
    if (decimales > 15) decimales = 15;

    // 15 significant digits: d.dddddddddddddde±x
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(valor), std::chars_format::scientific, 14);
    std::string sci(buf, r.ptr);
    const auto pe = sci.find('e');
    std::string mant = sci.substr(0, pe);
    const int exp10 = std::atoi(sci.c_str() + pe + 1);
    std::string digs;
    for (char c : mant)
        if (c != '.') digs += c;  // 15 digits, value = 0.digs * 10^(exp10 + 1)

    // Digits of the whole part and of the fraction as one string, the point
    // after position ent.
    int ent = exp10 + 1;
    std::string todo;
    if (ent <= 0) {
        todo = std::string(static_cast<std::size_t>(1 - ent), '0') + digs;
        ent = 1;
    } else {
        todo = digs;
        if (static_cast<int>(todo.size()) < ent) todo.append(static_cast<std::size_t>(ent) - todo.size(), '0');
    }
    const std::size_t corte = static_cast<std::size_t>(ent + decimales);
    if (todo.size() < corte + 1) todo.append(corte + 1 - todo.size(), '0');
    const bool subir = todo[corte] >= '5';
    todo.resize(corte);
    if (subir) {
        int k = static_cast<int>(corte) - 1;
        while (k >= 0 && todo[static_cast<std::size_t>(k)] == '9') todo[static_cast<std::size_t>(k--)] = '0';
        if (k >= 0) {
            ++todo[static_cast<std::size_t>(k)];
        } else {
            todo.insert(todo.begin(), '1');
            ++ent;
        }
    }
    std::string entera = todo.substr(0, static_cast<std::size_t>(ent));
    const std::string fraccion = todo.substr(static_cast<std::size_t>(ent));
    const auto nz = entera.find_first_not_of('0');
    entera = nz == std::string::npos ? "0" : entera.substr(nz);

    const bool cero = todo.find_first_not_of('0') == std::string::npos;
    std::string s = (valor < 0 && !cero) ? "-" : "";
    s += entera;
    if (decimales > 0) s += separador + fraccion;
    return s;
}

std::string Alinear_Derecha(const std::string& texto, int n) {
    if (static_cast<int>(texto.size()) >= n) return texto;
    return std::string(static_cast<std::size_t>(n) - texto.size(), ' ') + texto;
}

}  // namespace Grafico
