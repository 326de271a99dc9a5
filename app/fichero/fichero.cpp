#include "fichero.h"

#include <charconv>
#include <cmath>
#include <new>
#include <optional>
#include <string_view>
#include <vector>

#include "engine/Caracteristicas.h"
#include "engine/Decimales.h"
#include "engine/General.h"
#include "engine/Rangos.h"
#include "platform/Messages.h"

namespace fichero {

namespace {

// Longest line a reader looks at; data lines are a few characters long.
constexpr std::size_t kMaxLine = 1000;

struct Flexion {
    double Ancho = 0, Canto = 0, Ancho_Alma = 0, Canto_Ala = 0, Recubrimiento = 0;
    double Armadura_Inf = 0, Armadura_Sup = 0, Fck = 0, Fyk = 0;
    double Gamma_Hormigon = 0, Gamma_Acero = 0, Gamma_Refuerzo = 0;
    double Ancho_Refuerzo = 0, Momento_Actual = 0, Momento_Solicitante = 0;
};

// The flexure values in the order of the file's lines after line 1, with
// the case datum each one is and the field it is typed in (none for the
// safety coefficients, which only a file holds); the web and flange lines
// belong to a T section only.
struct Campo_Flexion {
    double Flexion::*valor;
    double General::Datos::*caso;
    std::string Textos_Flexion::*texto;
    bool solo_t;
};
constexpr Campo_Flexion kCampos_Flexion[] = {
    {&Flexion::Ancho, &General::Datos::Ancho, &Textos_Flexion::TX_ANCHO, false},
    {&Flexion::Canto, &General::Datos::Canto, &Textos_Flexion::TX_CANTO, false},
    {&Flexion::Ancho_Alma, &General::Datos::Ancho_Alma, &Textos_Flexion::TX_ANCHOALMA, true},
    {&Flexion::Canto_Ala, &General::Datos::Canto_Ala, &Textos_Flexion::TX_CANTOALA, true},
    {&Flexion::Recubrimiento, &General::Datos::Recubrimiento, &Textos_Flexion::TX_RECUB, false},
    {&Flexion::Armadura_Inf, &General::Datos::Armadura_Inf, &Textos_Flexion::TX_ASI, false},
    {&Flexion::Armadura_Sup, &General::Datos::Armadura_Sup, &Textos_Flexion::TX_ASS, false},
    {&Flexion::Fck, &General::Datos::Fck, &Textos_Flexion::CO_FCK, false},
    {&Flexion::Fyk, &General::Datos::Fyk, &Textos_Flexion::CO_FYK, false},
    {&Flexion::Gamma_Hormigon, &General::Datos::Gamma_Hormigon, nullptr, false},
    {&Flexion::Gamma_Acero, &General::Datos::Gamma_Acero, nullptr, false},
    {&Flexion::Gamma_Refuerzo, &General::Datos::Gamma_Refuerzo, nullptr, false},
    {&Flexion::Ancho_Refuerzo, &General::Datos::Ancho_Refuerzo, &Textos_Flexion::CO_ANCHOR, false},
    {&Flexion::Momento_Actual, &General::Datos::Momento_Actual, &Textos_Flexion::TX_MCP, false},
    {&Flexion::Momento_Solicitante, &General::Datos::Momento_Solicitante, &Textos_Flexion::TX_MD, false},
};

struct Confina {
    double Diametro_Lado = 0, Lado_Menor = 0, Fck = 0;
    double Gamma_Hormigon = 0, Gamma_Acero = 0, Gamma_Refuerzo = 0;
    double Axil_Actual = 0, Incremento_Necesario = 0;
};

// The tests shared by the flexure reader and collectors (kind 1 or 2, values
// already absolute), in their order.
bool Flexion_Valida(int kind, const Flexion& v) {
    if (kind == 1 && !(v.Ancho_Refuerzo <= v.Ancho)) return false;
    if (kind == 2 && !(v.Ancho_Refuerzo <= v.Ancho_Alma)) return false;
    if (v.Ancho == 0 || v.Canto == 0 || v.Recubrimiento == 0 || v.Armadura_Inf == 0 ||
        v.Ancho_Refuerzo == 0)
        return false;
    if (kind == 2 && (v.Ancho_Alma == 0 || v.Canto_Ala == 0)) return false;
    if (kind == 2 && !(v.Canto_Ala <= v.Canto)) return false;
    if (!(v.Fck >= Rangos::Fck_Minimo && v.Fck <= Rangos::Fck_Maximo)) return false;
    if (!(v.Fyk >= Rangos::Fyk_Minimo && v.Fyk <= Rangos::Fyk_Maximo)) return false;
    if (!(v.Recubrimiento <= v.Canto * Rangos::Recubrimiento_Canto)) return false;
    return true;
}

// Stores the flexure inputs of v (kind 1 or 2) into the case data; the
// safety coefficients only when they came from a file.
void Guardar_Flexion(int kind, const Flexion& v, bool con_coeficientes) {
    for (const Campo_Flexion& campo : kCampos_Flexion)
        if ((kind == 2 || !campo.solo_t) && (con_coeficientes || campo.texto))
            General::Caso.*campo.caso = v.*campo.valor;
}

// The tests shared by the confinement reader and collector; rectangular
// tells whether the section is the rectangle.
bool Confina_Valida(bool rectangular, const Confina& v) {
    if (rectangular && !(v.Lado_Menor <= v.Diametro_Lado)) return false;
    if (v.Diametro_Lado == 0 || v.Lado_Menor == 0) return false;
    if (!(v.Fck >= Rangos::Fck_Minimo && v.Fck <= Rangos::Fck_Maximo)) return false;
    if (!(v.Incremento_Necesario >= Rangos::Incremento_Minimo)) return false;
    return true;
}

// A coefficient below 1 (0 in particular) would break the calculation.
bool Coeficientes_Validos(double gh, double ga, double gr) {
    constexpr double m = Rangos::Coeficiente_Minimo;
    return gh >= m && ga >= m && gr >= m;
}

void Avisar(const Failure& f) {
    General::Caso.Error_Datos = true;
    platform::showMessage(Texto_Fallo(f), platform::Icon::Exclamation);
}

// The file last read or written, as it was then.
struct Conocido {
    std::string path;
    std::optional<FileIdentity> identidad;
};
Conocido conocido;

void Recordar(const std::string& file) { conocido = {file, fileSystem().identity(file)}; }

Failure Sin_Memoria() { return {failure::kOutOfMemory, "Memoria insuficiente."}; }

Failure Fallo_Interno() {
    return {failure::kDeviceError, "Error de entrada/salida en el dispositivo."};
}

// ---- writing ----------------------------------------------------------------

// Shortest plain decimal text ("100000", "0.0001", never an exponent) that
// reads back as exactly the same double, point as decimal sign whatever the
// locale. The longest finite double takes some 330 characters.
std::string Texto_Numero(double v) {
    char buf[512];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    return std::string(buf, r.ptr);
}

// Builds every line before the disk is touched, then writes them through the
// file system in force; the target changes only when all went well.
Outcome Escribir(const std::string& file, int16_t kind, const std::vector<double>& valores) {
    std::vector<std::string> lineas;
    lineas.reserve(valores.size() + 1);
    lineas.push_back(std::to_string(kind) + "\r\n");
    for (std::size_t i = 0; i < valores.size(); ++i) {
        if (!std::isfinite(valores[i]))
            return Failure{failure::kNotFinite, "El valor de la línea " + std::to_string(i + 2) +
                                                    " no es un número finito."};
        lineas.push_back(Texto_Numero(valores[i]) + "\r\n");
    }
    Outcome fallo;
    std::unique_ptr<OutputFile> out = fileSystem().create(file, fallo);
    if (!out) return fallo ? fallo : Fallo_Interno();
    for (const std::string& linea : lineas)
        if (Outcome f = out->write(linea)) return f;
    return out->commit();
}

Failure Tipo_No_Valido(int kind) {
    return {failure::kBadKind, "El tipo de sección " + std::to_string(kind) + " no es válido."};
}

// ---- reading ----------------------------------------------------------------

// Hands out the lines of a file's text one at a time.
class Lineas {
public:
    explicit Lineas(std::string_view texto) : resto_(texto) {}

    // The next value; a failure when the file has ended or the line is not
    // one finite number (a comma is no decimal sign in a data file).
    Outcome Leer(double& valor) {
        ++numero_;
        if (resto_.empty()) {
            return Failure{failure::kPastEndOfFile, "El fichero termina antes de la línea " +
                                                        std::to_string(numero_) + "."};
        }
        std::size_t fin = resto_.find('\n');
        std::string_view linea = resto_.substr(0, fin);
        resto_ = fin == std::string_view::npos ? std::string_view() : resto_.substr(fin + 1);
        if (!linea.empty() && linea.back() == '\r') linea.remove_suffix(1);
        if (linea.size() > kMaxLine || linea.find(',') != std::string_view::npos ||
            !Decimales::Es_Numero(std::string(linea)))
            return Failure{failure::kBadNumber, "La línea " + std::to_string(numero_) +
                                                    " no contiene un número válido."};
        valor = Decimales::Convertir_Numero(Decimales::Recortar(std::string(linea)));
        return std::nullopt;
    }

private:
    std::string_view resto_;
    int numero_ = 0;
};

// The section kind as the caller's 16-bit value: 0 unless a small integer.
int16_t Como_Tipo(double k) {
    if (k == std::trunc(k) && k >= -32768 && k <= 32767) return static_cast<int16_t>(k);
    return 0;
}

enum class Veredicto { Leido, Rechazado };

// Line 1 into kind (and into *tipo once read), then cuantos_tipo2 values
// after a kind 2 and cuantos_otro after any other.
Outcome Leer_Valores(const std::string& file, std::vector<double>& valores, double& kind,
                     int cuantos_tipo2, int cuantos_otro, int16_t* tipo) {
    std::string texto;
    if (Outcome f = fileSystem().read(file, texto)) return f;
    // A UTF-8 byte-order mark, as some editors write, is no part of line 1.
    std::string_view contenido = texto;
    if (contenido.substr(0, 3) == "\xEF\xBB\xBF") contenido.remove_prefix(3);
    Lineas lineas(contenido);
    if (Outcome f = lineas.Leer(kind)) return f;
    if (tipo) *tipo = Como_Tipo(kind);
    int cuantos = kind == 2 ? cuantos_tipo2 : cuantos_otro;
    valores.assign(static_cast<std::size_t>(cuantos), 0.0);
    for (double& v : valores)
        if (Outcome f = lineas.Leer(v)) return f;
    return std::nullopt;
}

// Reads into locals, then hands them to almacenar, which tests and stores
// them or says the file is refused. Failures and refusals put the defaults
// back.
template <class Almacenar>
bool Leer(const std::string& file, int cuantos_tipo2, int cuantos_otro, void (*defectos)(),
          Almacenar almacenar, int16_t* tipo = nullptr) {
    Outcome fallo;
    bool rechazado = false;
    try {
        std::vector<double> valores;
        double kind = 0;
        fallo = Leer_Valores(file, valores, kind, cuantos_tipo2, cuantos_otro, tipo);
        if (!fallo) rechazado = almacenar(kind, valores) == Veredicto::Rechazado;
    } catch (const std::bad_alloc&) {
        fallo = Sin_Memoria();
    } catch (...) {
        fallo = Fallo_Interno();
    }
    if (fallo) Avisar(*fallo);
    if (fallo || rechazado) {
        General::Caso.Error_Datos = true;
        defectos();
    } else {
        Recordar(file);
    }
    return fallo.has_value();
}

void Defectos_Flexion() { Caracteristicas::Poner_Defectos_Flexion(); }

// The confinement defaults of a refused file; Fyk is no part of a column
// case and keeps its value.
void Defectos_Confina() {
    double fyk = General::Caso.Fyk;
    Caracteristicas::Poner_Defectos_Confina();
    General::Caso.Fyk = fyk;
}

// ---- collecting -------------------------------------------------------------

// Numeric test of every text in order, then the absolute values; nothing
// when a text is not a number.
std::optional<std::vector<double>> Numeros(const std::vector<const std::string*>& textos) {
    for (const std::string* t : textos)
        if (!Decimales::Es_Numero(*t)) return std::nullopt;
    std::vector<double> v;
    for (const std::string* t : textos)
        v.push_back(std::fabs(Decimales::Convertir_Numero(Decimales::Recortar(*t))));
    return v;
}

void Recoger_Flexion(const Textos_Flexion& t, int kind) {
    std::vector<const std::string*> textos;
    for (const Campo_Flexion& campo : kCampos_Flexion)
        if (campo.texto && (kind == 2 || !campo.solo_t)) textos.push_back(&(t.*campo.texto));
    std::optional<std::vector<double>> n = Numeros(textos);
    if (!n) {
        General::Caso.Error_Datos = true;
        return;
    }
    Flexion v;
    std::size_t i = 0;
    for (const Campo_Flexion& campo : kCampos_Flexion)
        if (campo.texto && (kind == 2 || !campo.solo_t)) v.*campo.valor = (*n)[i++];
    if (!Flexion_Valida(kind, v)) {
        General::Caso.Error_Datos = true;
        return;
    }
    Guardar_Flexion(kind, v, false);
}

// Writes the case's file, saying why when it cannot.
void Grabar(const std::string& file, bool confina, int16_t kind) {
    if (Outcome fallo = Escribir_Caso(file, confina, kind))
        Avisar(*fallo);
    else
        Recordar(file);
}

}  // namespace

bool Cambiado_Por_Otro(const std::string& file) {
    if (file != conocido.path || !conocido.identidad) return false;
    const std::optional<FileIdentity> ahora = fileSystem().identity(file);
    return ahora && *ahora != *conocido.identidad;
}

std::string Texto_Fallo(const Failure& f) {
    if (f.number == failure::kOutOfMemory) return "Memoria insuficiente.";
    return "Error " + std::to_string(f.number) + ": " + f.description;
}

Outcome Escribir_Caso(const std::string& file, bool confina, int16_t kind) {
    const auto& c = General::Caso;
    if (confina) kind = c.Tipo_Seccion;
    if (confina ? kind < 1 || kind > 3 : kind != 1 && kind != 2) return Tipo_No_Valido(kind);
    try {
        std::vector<double> v;
        if (confina) {
            v = {c.Diametro_Lado, c.Lado_Menor, c.Fck, c.Gamma_Hormigon, c.Gamma_Acero,
                 c.Gamma_Refuerzo, c.Axil_Actual, c.Incremento_Necesario};
        } else {
            for (const Campo_Flexion& campo : kCampos_Flexion)
                if (kind == 2 || !campo.solo_t) v.push_back(c.*campo.caso);
        }
        return Escribir(file, kind, v);
    } catch (const std::bad_alloc&) {
        return Sin_Memoria();
    } catch (...) {
        return Fallo_Interno();
    }
}

void Grabar_Flexion(const std::string& file, int16_t kind) { Grabar(file, false, kind); }

void Grabar_Confina(const std::string& file) { Grabar(file, true, 0); }

bool Leer_Flexion(const std::string& file, int16_t& kind) {
    return Leer(file, 15, 13, Defectos_Flexion, [&](double k, const std::vector<double>& x) {
        if (k != 1 && k != 2) return Veredicto::Rechazado;
        const int tipo = static_cast<int>(k);
        std::size_t i = 0;
        Flexion v;
        for (const Campo_Flexion& campo : kCampos_Flexion)
            if (tipo == 2 || !campo.solo_t) v.*campo.valor = std::fabs(x[i++]);
        if (!Flexion_Valida(tipo, v) ||
            !Coeficientes_Validos(v.Gamma_Hormigon, v.Gamma_Acero, v.Gamma_Refuerzo))
            return Veredicto::Rechazado;
        Guardar_Flexion(tipo, v, true);
        return Veredicto::Leido;
    }, &kind);
}

bool Leer_Confina(const std::string& file) {
    return Leer(file, 8, 8, Defectos_Confina, [](double k, const std::vector<double>& x) {
        if (k != 1 && k != 2 && k != 3) return Veredicto::Rechazado;
        Confina v;
        v.Diametro_Lado = std::fabs(x[0]);
        v.Lado_Menor = std::fabs(x[1]);
        v.Fck = std::fabs(x[2]);
        v.Gamma_Hormigon = std::fabs(x[3]);
        v.Gamma_Acero = std::fabs(x[4]);
        v.Gamma_Refuerzo = std::fabs(x[5]);
        v.Axil_Actual = std::fabs(x[6]);
        v.Incremento_Necesario = std::fabs(x[7]);
        if (!Confina_Valida(k == 3, v) ||
            !Coeficientes_Validos(v.Gamma_Hormigon, v.Gamma_Acero, v.Gamma_Refuerzo))
            return Veredicto::Rechazado;
        auto& c = General::Caso;
        c.Tipo_Seccion = static_cast<int16_t>(k);
        c.Diametro_Lado = v.Diametro_Lado;
        c.Lado_Menor = v.Lado_Menor;
        c.Fck = v.Fck;
        c.Gamma_Hormigon = v.Gamma_Hormigon;
        c.Gamma_Acero = v.Gamma_Acero;
        c.Gamma_Refuerzo = v.Gamma_Refuerzo;
        c.Axil_Actual = v.Axil_Actual;
        c.Incremento_Necesario = v.Incremento_Necesario;
        return Veredicto::Leido;
    });
}

void Recoger_Datos_Rect(const Textos_Flexion& textos) { Recoger_Flexion(textos, 1); }

void Recoger_Datos_T(const Textos_Flexion& textos) { Recoger_Flexion(textos, 2); }

void Recoger_Datos_Confina(const Textos_Confina& t) {
    std::optional<std::vector<double>> n =
        Numeros({&t.TX_DIAM, &t.TX_LADOMENOR, &t.CO_FCK, &t.TX_NCP, &t.TX_INCR});
    if (!n) {
        General::Caso.Error_Datos = true;
        return;
    }
    Confina v;
    v.Diametro_Lado = (*n)[0];
    v.Lado_Menor = (*n)[1];
    v.Fck = (*n)[2];
    v.Axil_Actual = (*n)[3];
    v.Incremento_Necesario = (*n)[4];
    if (!Confina_Valida(t.CO_SECCION == 2, v)) {
        General::Caso.Error_Datos = true;
        return;
    }
    auto& c = General::Caso;
    c.Diametro_Lado = v.Diametro_Lado;
    c.Lado_Menor = v.Lado_Menor;
    c.Fck = v.Fck;
    c.Axil_Actual = v.Axil_Actual;
    c.Incremento_Necesario = v.Incremento_Necesario;
}

}  // namespace fichero
