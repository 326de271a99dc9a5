// Calculation engine: bond factor and design strain, initial strain,
// flexural solver (rectangular and T section), unstrengthened capacity,
// confinement solver and anchorage lengths. Reads and writes the case data
// of General::Caso; the section values also come in as arguments.
#pragma once

#include <cstdint>
#include <optional>

namespace Calculos {

// Km(n) and Def_Calculo_Refuerzo(n) of the current variant (the copies
// Espesor_Refuerzo, Modulo_Refuerzo, Def_Ultima_Refuerzo), n = 1..Num_Capas_Max.
// Creates both arrays afresh.
void Calcular_Km();

// Initial strain of the bottom face under Momento_Actual (cracked transformed
// section). Tipo 1 rectangular, 2 T section; any other Tipo writes nothing.
void Calcular_Predeformacion_Flexion(int16_t Tipo);

// Initial axial strain of the column under Axil_Actual (Tipo_Seccion 1..3;
// any other type writes nothing).
void Calcular_Predeformacion_Confina();

// Flexural solver for variant j and every layer count: fills row j of the
// flexure result arrays, which the caller has created. Lengths in m, steel
// areas in cm2, strengths in N/mm2, e0 the initial strain.
void Calcular_Flexion_Rect(double b, double h, double r, double As, double As2, double bf,
                           double fck, double fyk, double e0, int16_t j);
// The same for the T section: b is the flange width; Ancho_Alma and
// Canto_Ala come from the case data.
void Calcular_Flexion_T(double b, double h, double r, double As, double As2, double bf,
                        double fck, double fyk, double e0, int16_t j);

// Ultimate moment of the section without sheet into Mu_Sin_Refuerzo.
void Calcular_Musr_Rect(double b, double h, double r, double As, double As2, double fck,
                        double fyk);
void Calcular_Musr_T(double b, double h, double r, double As, double As2, double fck,
                     double fyk);

// Confinement solver for variant j and every layer count: Forma 1 circular,
// 2 square, 3 rectangular; D diameter or longer side, L shorter side (m).
// Fills row j of the confinement result arrays, which the caller has created,
// and writes Coef_Forma. Any other Forma writes nothing.
void Calcular_Confina(int16_t Forma, double D, double L, double fck, int16_t j);

// Shape coefficient of a column: 1, 1 - 2/3, 1 - (2/3) D / L; no value for a
// Forma other than 1, 2 or 3.
std::optional<double> Calcular_Coef_Forma(int16_t Forma, double D, double L);

// Creates Longitud_Anclaje afresh and fills it for every variant and layer
// count with the Fck of the case data.
void Calcular_Anclaje();

// Outcome of the flexure and confinement calculate commands.
enum class Resultado_Calculo {
    Calculado,                // every result is a finite number
    Predeformacion_Excesiva,  // initial strain above 0.002
    No_Calculable,            // the section's values give no finite result
};

// The outcome as Calcular_Caso_Flexion and Calcular_Caso_Confina return it:
// true exactly when the case was calculated.
struct Salida_Calculo {
    Resultado_Calculo resultado;
    explicit operator bool() const { return resultado == Resultado_Calculo::Calculado; }
    friend bool operator==(Salida_Calculo s, Resultado_Calculo r) { return s.resultado == r; }
};

// The engine side of the flexure calculate command, on the inputs already
// stored in the case data: creates every flexure result array afresh
// (zero-filled) and computes Predeformacion. Refuses with
// Predeformacion_Excesiva when it is above 0.002, and with No_Calculable
// when it is not finite; both leave the arrays zero-filled and
// Mu_Sin_Refuerzo / Mu_Max untouched. Otherwise runs the solver for every
// variant, the unstrengthened capacity and Mu_Max; when any of these is not
// a finite number (a moment marked -999 aside) the arrays are zero-filled
// again and the outcome is No_Calculable. Tipo 1 rectangular, 2 T section
// (any other Tipo: No_Calculable). Status flags are left to the caller.
Salida_Calculo Calcular_Caso_Flexion(int16_t Tipo);

// The engine side of the confinement calculate command: creates the seven
// confinement result arrays afresh (zero-filled) and computes Predeformacion.
// Refuses with Predeformacion_Excesiva when it is above 0.002, and with
// No_Calculable when it is not finite or Tipo_Seccion is not 1..3; both leave
// the arrays zero-filled and Incremento_Max untouched. Otherwise runs the
// solver for every variant with Forma = Tipo_Seccion; when any result is not
// a finite number the arrays are zero-filled again, Incremento_Max is left
// untouched and the outcome is No_Calculable; else sets Incremento_Max.
// Status flags are left to the caller.
Salida_Calculo Calcular_Caso_Confina();

// The notice a calculation leaves.
enum class Aviso {
    Ninguno,       // no notice
    No_Necesario,  // " NO ES NECESARIO REFORZAR LA SECCION " (flexure only)
    No_Se_Puede,   // " NO SE PUEDE REFORZAR LA SECCION "
};

// From Momento_Solicitante, Mu_Sin_Refuerzo and Mu_Max.
Aviso Aviso_Flexion();
// From Incremento_Necesario and Incremento_Max.
Aviso Aviso_Confina();

}  // namespace Calculos
