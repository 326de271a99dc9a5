#include "Decimales.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace Decimales {

namespace {

bool Es_Digito(char ch) { return ch >= '0' && ch <= '9'; }
bool Es_Blanco(char ch) { return ch == ' ' || ch == '\t'; }

struct Lectura {
    std::size_t fin = 0;  // characters read
    bool hay_numero = false;
    double valor = 0;
};

// Scans the longest number at the start of s (commas already points).
Lectura Leer(const std::string& s) {
    Lectura r;
    std::size_t i = 0;
    const std::size_t n = s.size();
    bool negativo = false;
    if (i < n && (s[i] == '+' || s[i] == '-')) {
        negativo = s[i] == '-';
        ++i;
    }
    std::string entera, fraccion;
    while (i < n && Es_Digito(s[i])) entera += s[i++];
    if (i < n && s[i] == '.') {
        std::size_t j = i + 1;
        while (j < n && Es_Digito(s[j])) fraccion += s[j++];
        if (!entera.empty() || !fraccion.empty()) i = j;
    }
    if (entera.empty() && fraccion.empty()) return r;  // no number: 0
    r.hay_numero = true;

    long long exponente = 0;
    bool hay_exponente = false;
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        bool exp_negativo = false;
        if (j < n && (s[j] == '+' || s[j] == '-')) {
            exp_negativo = s[j] == '-';
            ++j;
        }
        if (j < n && Es_Digito(s[j])) {
            hay_exponente = true;
            while (j < n && Es_Digito(s[j])) {
                if (exponente < 1000000) exponente = exponente * 10 + (s[j] - '0');
                ++j;
            }
            if (exp_negativo) exponente = -exponente;
            i = j;
        }
    }
    r.fin = i;

    std::string normal = (entera.empty() ? std::string("0") : entera) + "." +
                         (fraccion.empty() ? std::string("0") : fraccion);
    if (hay_exponente) {
        normal += 'e';
        normal += std::to_string(exponente);
    }
    double v = 0;
    auto res = std::from_chars(normal.data(), normal.data() + normal.size(), v,
                               std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        // Decide overflow or underflow from the decimal exponent of the
        // first significant digit.
        std::size_t primero = entera.find_first_not_of('0');
        long long posicion;
        if (primero != std::string::npos) {
            posicion = static_cast<long long>(entera.size() - primero);
        } else {
            std::size_t k = fraccion.find_first_not_of('0');
            posicion = k == std::string::npos ? std::numeric_limits<long long>::min() / 2
                                              : -static_cast<long long>(k);
        }
        v = posicion + exponente > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    r.valor = negativo ? -v : v;
    return r;
}

std::string Comas_A_Puntos(const std::string& texto) {
    std::string s = texto;
    for (char& ch : s)
        if (ch == ',') ch = '.';
    return s;
}

}  // namespace

double Convertir_Numero(const std::string& texto) {
    Lectura r = Leer(Comas_A_Puntos(texto));
    return r.hay_numero ? r.valor : 0.0;
}

std::string Recortar(const std::string& texto) {
    std::size_t a = 0, b = texto.size();
    while (a < b && Es_Blanco(texto[a])) ++a;
    while (b > a && Es_Blanco(texto[b - 1])) --b;
    return texto.substr(a, b - a);
}

std::string Texto_Corto(double valor) {
    char buf[400];
    auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(valor), std::chars_format::fixed);
    return std::string(buf, res.ptr);
}

std::string Texto_Decimales(double valor, int decimales, const std::string& separador) {
    if (decimales < 0) decimales = 0;
    const std::string corto = Texto_Corto(valor);
    std::string entera = corto, fraccion;
    const std::size_t punto = corto.find('.');
    if (punto != std::string::npos) {
        entera = corto.substr(0, punto);
        fraccion = corto.substr(punto + 1);
    }
    const std::size_t d = static_cast<std::size_t>(decimales);
    const bool subir = fraccion.size() > d && fraccion[d] >= '5';
    fraccion.resize(d, '0');
    std::string cifras = entera + fraccion;
    if (subir) {
        std::size_t i = cifras.size();
        while (i > 0 && cifras[i - 1] == '9') cifras[--i] = '0';
        if (i > 0)
            ++cifras[i - 1];
        else
            cifras.insert(cifras.begin(), '1');
    }
    const std::size_t largo_entera = cifras.size() - d;
    std::string texto = largo_entera > 0 ? cifras.substr(0, largo_entera) : "0";
    if (d > 0) texto += separador + cifras.substr(largo_entera);
    const bool cero = cifras.find_first_not_of('0') == std::string::npos;
    return (std::signbit(valor) && !cero ? "-" : "") + texto;
}

double Redondear(double valor, int decimales) {
    if (!std::isfinite(valor)) return valor;
    const std::string texto = Texto_Decimales(valor, decimales);
    double v = 0;
    std::from_chars(texto.data(), texto.data() + texto.size(), v);
    return v;
}

bool Es_Numero(const std::string& texto) {
    const std::string s = Comas_A_Puntos(Recortar(texto));
    if (s.empty()) return false;
    Lectura r = Leer(s);
    return r.hay_numero && r.fin == s.size() && std::isfinite(r.valor);
}

}  // namespace Decimales
