// Field rules of the flexure windows as data: every input field with its
// stored value, number pattern, fallback, messages, own tests and warning,
// and the one piece of code that runs them. No Qt: the windows apply the
// verdict to their controls.
#pragma once

#include "engine/General.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace windows::flexion {

enum class Campo {
    Ancho,
    Canto,
    Ancho_Alma,
    Canto_Ala,
    Recubrimiento,
    Armadura_Inf,
    Armadura_Sup,
    Fck,
    Fyk,
    Ancho_Refuerzo,
    Momento_Actual,
    Momento_Solicitante,
};

// One own test: refused when v < limit (Menor) or v > limit (Mayor); the
// limit is `factor`, times the stored value of `otro` when given.
struct Prueba {
    enum class Tipo { Menor, Mayor } tipo;
    double factor;
    std::optional<Campo> otro;
    const char* mensaje;
    // Refusal stores the stored value of this field instead of the fallback.
    std::optional<Campo> respaldo_de = std::nullopt;
};

// Warning: v < stored `otro` accepts the value, shows the message and moves
// the focus to the field of `otro`.
struct Aviso {
    Campo otro;
    const char* mensaje;
};

struct Regla {
    Campo campo;
    const char* control;  // object name of the control, "TX_ANCHO"
    double General::Datos::*valor;
    int decimales;  // 0 "0", 2 "0.00", 3 "0.000"
    double respaldo;
    const char* vacio;
    const char* no_numero;
    std::vector<Prueba> pruebas;
    std::optional<Aviso> aviso;
    bool reescribe_lista;  // rewrites the sheet-width list when accepted
};

// Rules of the window of Tipo 1 (rectangular) or 2 (T), in focus order.
const std::vector<Regla>& Reglas(int tipo);
const Regla* Buscar(int tipo, Campo campo);

// Stored value of a field, as the tests compare with it.
using Lectura = std::function<double(Campo)>;
// Lookup in General::Caso.
double Guardado(Campo campo);

struct Veredicto {
    enum class Resultado { Rechazado, Aceptado, Aviso } resultado;
    std::string mensaje;        // refusal or warning message
    double valor = 0;           // the accepted value (|number read|)
    double respaldo = 0;        // stored value after a refusal
    std::optional<Campo> foco;  // the other field of a warning
};

// Decimals of the pattern a field is shown in, and a stored value as its
// field shows it.
int Decimales_Campo(Campo campo);
double Mostrado(const Lectura& guardado, Campo campo);

// The first own test of the rule that v fails, or null. A test against
// another field compares v and that field's value as both fields show them.
const Prueba* Prueba_Fallida(const Regla& regla, double v, const Lectura& guardado);

// The validation of a field left with `texto`: empty, number, own tests,
// warning. Reads stored values through `guardado`; changes nothing.
Veredicto Validar(const Regla& regla, const std::string& texto,
                  const Lectura& guardado = Guardado);

}  // namespace windows::flexion
