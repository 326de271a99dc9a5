// Field rules of the confinement window as data: every input field with its
// stored value, number pattern, fallback, messages and own tests, and the one
// piece of code that runs them. No Qt: the window applies the verdict to its
// controls.
#pragma once

#include "engine/General.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace windows::confina {

enum class Campo { Diametro_Lado, Lado_Menor, Fck, Axil_Actual, Incremento_Necesario };

// One own test of a field, against a constant or against another field.
struct Prueba {
    enum class Tipo {
        Menor,         // refused when v < limite
        Mayor,         // refused when v > limite
        Mayor_Que,     // refused when v > the other field
        Razon,         // refused when v / the other field >= limite
        Razon_Inversa  // refused when the other field / v >= limite
    } tipo;
    double limite;
    Campo otro;  // for the tests against another field
    const char* mensaje;
    bool solo_rectangulo = false;  // applies only while the section is a rectangle
};

struct Regla {
    Campo campo;
    const char* control;  // object name of the control, "TX_DIAM"
    double General::Datos::*valor;
    int decimales;  // 0 "0", 2 "0.00", 3 "0.000"
    double respaldo;
    const char* vacio;
    const char* no_numero;
    std::vector<Prueba> pruebas;
};

// The five fields in focus order.
const std::vector<Regla>& Reglas();
const Regla& Buscar(Campo campo);

// Value of another field as its field shows it (rounded to its pattern).
using Lectura = std::function<double(Campo)>;
// The stored value in General::Caso rounded to the field's pattern.
double Mostrado(Campo campo);

// mayor / menor >= limite (also when the ratio is not a number); a ratio
// that misses the limit only by binary rounding counts as reaching it.
bool Razon_Excesiva(double mayor, double menor, double limite = 1.5);

// The first own test that v fails, or null. Tests against another field
// compare v as its field shows it with `otro`. A value that is not finite
// never passes.
const Prueba* Prueba_Fallida(const Regla& regla, double v, int16_t tipo_seccion,
                             const Lectura& otro);

struct Veredicto {
    bool aceptado = false;
    std::string mensaje;  // refusal message
    double valor = 0;     // the accepted value (|number read|)
};

// The validation of a field left with `texto`: empty, number, own tests.
Veredicto Validar(const Regla& regla, const std::string& texto, int16_t tipo_seccion,
                  const Lectura& otro = Mostrado);

// Shape coefficient of the section type (1, 2, 3) from the stored sides.
double Coef_Forma(int16_t tipo, double diametro_lado, double lado_menor);

inline constexpr const char* Mensaje_Razon =
    "La relación entre lados del elemento a confinar debe ser menor de 1,5.";
inline constexpr const char* Mensaje_Lado_Menor =
    "El lado menor debe ser un número más pequeño que el lado mayor.";

}  // namespace windows::confina
