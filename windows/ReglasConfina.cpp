#include "windows/ReglasConfina.h"

#include "engine/Calculos.h"
#include "engine/Decimales.h"
#include "engine/Rangos.h"

#include <cmath>

namespace windows::confina {

namespace {

using T = Prueba::Tipo;
using D = General::Datos;

std::vector<Regla> Construir() {
    return {
        {Campo::Diametro_Lado, "TX_DIAM", &D::Diametro_Lado, 3, 0.5,
         "Debe darse el diámetro o lado del elemento a confinar.",
         "El diámetro o lado debe ser un número.",
         {{T::Menor, Rangos::Dimension_Minima, Campo::Diametro_Lado,
           "El diámetro o lado debe ser mayor que cero."},
          {T::Razon, 1.5, Campo::Lado_Menor, Mensaje_Razon, true}}},
        {Campo::Lado_Menor, "TX_LADOMENOR", &D::Lado_Menor, 3, 0.4,
         "Debe darse el lado menor del elemento a confinar.",
         "El lado menor debe ser un número.",
         {{T::Menor, Rangos::Dimension_Minima, Campo::Lado_Menor,
           "El lado menor debe ser mayor que cero."},
          {T::Mayor_Que, 0, Campo::Diametro_Lado, Mensaje_Lado_Menor},
          {T::Razon_Inversa, 1.5, Campo::Diametro_Lado, Mensaje_Razon}}},
        {Campo::Fck, "CO_FCK", &D::Fck, 0, 25,
         "Debe darse la resistencia del hormigón de la sección.",
         "La resistencia del hormigón de la sección debe ser un número.",
         {{T::Mayor, Rangos::Fck_Maximo, Campo::Fck,
           "La resistencia del hormigón de la sección no puede ser mayor de 50 N/mm²."},
          {T::Menor, Rangos::Fck_Minimo, Campo::Fck,
           "La resistencia del hormigón de la sección no puede ser menor de 15 N/mm²."}}},
        {Campo::Axil_Actual, "TX_NCP", &D::Axil_Actual, 2, 0,
         "Debe darse el axil que actúa en el momento de colocar el refuerzo.",
         "El axil que actúa en el momento de colocar el refuerzo debe ser un número.",
         {}},
        {Campo::Incremento_Necesario, "TX_INCR", &D::Incremento_Necesario, 2, 1,
         "Debe darse el incremento de resistencia necesario.",
         "El incremento de resistencia necesario debe ser un número.",
         {{T::Menor, Rangos::Incremento_Minimo, Campo::Incremento_Necesario,
           "El incremento de resistencia necesario debe ser mayor que 1."}}},
    };
}

}  // namespace

const std::vector<Regla>& Reglas() {
    static const std::vector<Regla> reglas = Construir();
    return reglas;
}

const Regla& Buscar(Campo campo) {
    for (const Regla& r : Reglas())
        if (r.campo == campo) return r;
    return Reglas().front();
}

bool Razon_Excesiva(double mayor, double menor, double limite) {
    const double razon = mayor / menor;
    // Sides shown with three decimals give ratios like 0.6 / 0.4 that fall a
    // hair short of 1.5 in binary; such a ratio counts as 1.5.
    return !(razon < limite * (1 - 1e-12));
}

double Mostrado(Campo campo) {
    const Regla& r = Buscar(campo);
    return Decimales::Redondear(General::Caso.*(r.valor), r.decimales);
}

const Prueba* Prueba_Fallida(const Regla& regla, double v, int16_t tipo_seccion,
                             const Lectura& otro) {
    const double visto = Decimales::Redondear(v, regla.decimales);
    for (const Prueba& p : regla.pruebas) {
        if (p.solo_rectangulo && tipo_seccion != 3) continue;
        bool falla = !std::isfinite(v);
        switch (p.tipo) {
            case T::Menor: falla = falla || v < p.limite; break;
            case T::Mayor: falla = falla || v > p.limite; break;
            case T::Mayor_Que: falla = falla || visto > otro(p.otro); break;
            case T::Razon: falla = falla || Razon_Excesiva(visto, otro(p.otro), p.limite); break;
            case T::Razon_Inversa:
                falla = falla || Razon_Excesiva(otro(p.otro), visto, p.limite);
                break;
        }
        if (falla) return &p;
    }
    return nullptr;
}

Veredicto Validar(const Regla& regla, const std::string& texto, int16_t tipo_seccion,
                  const Lectura& otro) {
    if (texto.empty()) return {false, regla.vacio, 0};
    if (!Decimales::Es_Numero(texto)) return {false, regla.no_numero, 0};
    const double v = std::fabs(Decimales::Convertir_Numero(Decimales::Recortar(texto)));
    if (const Prueba* p = Prueba_Fallida(regla, v, tipo_seccion, otro))
        return {false, p->mensaje, v};
    return {true, "", v};
}

double Coef_Forma(int16_t tipo, double diametro_lado, double lado_menor) {
    return Calculos::Calcular_Coef_Forma(tipo, diametro_lado, lado_menor)
        .value_or(General::Caso.Coef_Forma);
}

}  // namespace windows::confina
