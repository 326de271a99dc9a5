#include "ReglasFlexion.h"

#include "engine/Decimales.h"
#include "engine/Rangos.h"

#include <cmath>

namespace windows::flexion {

namespace {

using T = Prueba::Tipo;
using D = General::Datos;

std::vector<Regla> Construir(int tipo) {
    const bool rect = tipo == 1;
    std::vector<Regla> r;

    Regla ancho{Campo::Ancho, "TX_ANCHO", &D::Ancho, 3, 0.4,
                "Debe darse el ancho de la sección.",
                "El ancho de la sección debe ser un número.",
                {{T::Menor, Rangos::Dimension_Minima, std::nullopt,
                  "El ancho de la sección debe ser un número mayor que cero."}},
                std::nullopt, true};
    if (rect)
        ancho.aviso = Aviso{Campo::Ancho_Refuerzo,
                            "El ancho del refuerzo no puede ser mayor que el ancho de la sección."};

    Regla canto{Campo::Canto, "TX_CANTO", &D::Canto, 3, 0.6,
                "Debe darse el canto de la sección.",
                "El canto de la sección debe ser un número.",
                {{T::Menor, Rangos::Dimension_Minima, std::nullopt,
                  "El canto de la sección debe ser un número mayor que cero."}},
                std::nullopt, false};
    if (!rect)
        canto.aviso = Aviso{Campo::Canto_Ala,
                            "El canto del ala no puede ser mayor que el canto de la sección."};

    Regla alma{Campo::Ancho_Alma, "TX_ANCHOALMA", &D::Ancho_Alma, 3, 0.2,
               "Debe darse el ancho del alma de la sección.",
               "El ancho del alma de la sección debe ser un número.",
               {{T::Menor, Rangos::Dimension_Minima, std::nullopt,
                 "El ancho del alma de la sección debe ser un número mayor que cero."}},
               Aviso{Campo::Ancho_Refuerzo,
                     "El ancho del refuerzo no puede ser mayor que el ancho del alma de la "
                     "sección."},
               true};

    Regla ala{Campo::Canto_Ala, "TX_CANTOALA", &D::Canto_Ala, 3, 0.2,
              "Debe darse el canto del ala de la sección.",
              "El canto del ala de la sección debe ser un número.",
              {{T::Menor, Rangos::Dimension_Minima, std::nullopt,
                "El canto del ala de la sección debe ser un número mayor que cero."},
               {T::Mayor, 1.0, Campo::Canto,
                "El canto del ala no puede ser mayor que el canto de la sección."}},
              std::nullopt, false};

    r.push_back(ancho);
    if (!rect) r.push_back(alma);
    r.push_back(canto);
    if (!rect) r.push_back(ala);

    r.push_back({Campo::Recubrimiento, "TX_RECUB", &D::Recubrimiento, 3, 0.05,
                 "Debe darse el recubrimiento de la sección.",
                 "El recubrimiento de la sección debe ser un número.",
                 {{T::Menor, Rangos::Dimension_Minima, std::nullopt,
                   "El recubrimiento de la sección debe ser mayor que cero."},
                  {T::Mayor, Rangos::Recubrimiento_Canto, Campo::Canto,
                   "El recubrimiento de la sección debe ser menor que la mitad del canto."}},
                 std::nullopt, false});
    r.push_back({Campo::Armadura_Inf, "TX_ASI", &D::Armadura_Inf, 2, 10,
                 "Debe darse la armadura inferior de la sección.",
                 "La armadura inferior de la sección debe ser un número.",
                 {{T::Menor, Rangos::Dimension_Minima, std::nullopt,
                   "La armadura inferior de la sección debe ser mayor que cero."}},
                 std::nullopt, false});
    r.push_back({Campo::Armadura_Sup, "TX_ASS", &D::Armadura_Sup, 2, 10,
                 "Debe darse la armadura superior de la sección.",
                 "La armadura superior de la sección debe ser un número.",
                 {},
                 std::nullopt, false});
    r.push_back({Campo::Fck, "CO_FCK", &D::Fck, 0, 25,
                 "Debe darse la resistencia del hormigón de la sección.",
                 "La resistencia del hormigón de la sección debe ser un número.",
                 {{T::Mayor, Rangos::Fck_Maximo, std::nullopt,
                   "La resistencia del hormigón de la sección no puede ser mayor de 50 N/mm²."},
                  {T::Menor, Rangos::Fck_Minimo, std::nullopt,
                   "La resistencia del hormigón de la sección no puede ser menor de 15 N/mm²."}},
                 std::nullopt, false});
    r.push_back({Campo::Fyk, "CO_FYK", &D::Fyk, 0, 500,
                 "Debe darse la resistencia del acero de las armaduras de la sección.",
                 "La resistencia del acero de las armaduras de la sección debe ser un número.",
                 {{T::Mayor, Rangos::Fyk_Maximo, std::nullopt,
                   "La resistencia del acero de las armaduras no puede ser mayor de 600 N/mm²."},
                  {T::Menor, Rangos::Fyk_Minimo, std::nullopt,
                   "La resistencia del acero de las armaduras no puede ser menor de 300 N/mm²."}},
                 std::nullopt, false});
    r.push_back({Campo::Ancho_Refuerzo, "CO_ANCHOR", &D::Ancho_Refuerzo, 3, 0.125,
                 "Debe darse el ancho del refuerzo a disponer en la sección.",
                 "El ancho del refuerzo a disponer en la sección debe ser un número.",
                 {{T::Menor, Rangos::Dimension_Minima, std::nullopt,
                   "El ancho del refuerzo a disponer en la sección debe ser mayor que cero."},
                  rect ? Prueba{T::Mayor, 1.0, Campo::Ancho,
                                "El ancho del refuerzo a disponer en la sección debe ser menor "
                                "que el ancho de la sección.",
                                Campo::Ancho}
                       // The sheet is bonded under the web, as the case file requires.
                       : Prueba{T::Mayor, 1.0, Campo::Ancho_Alma,
                                "El ancho del refuerzo no puede ser mayor que el ancho del alma "
                                "de la sección.",
                                Campo::Ancho_Alma}},
                 std::nullopt, false});
    r.push_back({Campo::Momento_Actual, "TX_MCP", &D::Momento_Actual, 2, 0,
                 "Debe darse el momento que actúa en la sección cuando se va a colocar el "
                 "refuerzo.",
                 "El momento que actúa en la sección cuando se va a colocar el refuerzo debe ser "
                 "un número.",
                 {},
                 std::nullopt, false});
    r.push_back({Campo::Momento_Solicitante, "TX_MD", &D::Momento_Solicitante, 2, 0,
                 "Debe darse el momento de cálculo.",
                 "El momento de cálculo debe ser un número.",
                 {},
                 std::nullopt, false});
    return r;
}

}  // namespace

const std::vector<Regla>& Reglas(int tipo) {
    static const std::vector<Regla> rect = Construir(1);
    static const std::vector<Regla> t = Construir(2);
    return tipo == 2 ? t : rect;
}

const Regla* Buscar(int tipo, Campo campo) {
    for (const Regla& r : Reglas(tipo))
        if (r.campo == campo) return &r;
    return nullptr;
}

double Guardado(Campo campo) {
    const auto& c = General::Caso;
    switch (campo) {
        case Campo::Ancho: return c.Ancho;
        case Campo::Canto: return c.Canto;
        case Campo::Ancho_Alma: return c.Ancho_Alma;
        case Campo::Canto_Ala: return c.Canto_Ala;
        case Campo::Recubrimiento: return c.Recubrimiento;
        case Campo::Armadura_Inf: return c.Armadura_Inf;
        case Campo::Armadura_Sup: return c.Armadura_Sup;
        case Campo::Fck: return c.Fck;
        case Campo::Fyk: return c.Fyk;
        case Campo::Ancho_Refuerzo: return c.Ancho_Refuerzo;
        case Campo::Momento_Actual: return c.Momento_Actual;
        case Campo::Momento_Solicitante: return c.Momento_Solicitante;
    }
    return 0;
}

int Decimales_Campo(Campo campo) {
    const Regla* r = Buscar(2, campo);  // the T window has every field
    return r ? r->decimales : 0;
}

double Mostrado(const Lectura& guardado, Campo campo) {
    return Decimales::Redondear(guardado(campo), Decimales_Campo(campo));
}

// A test against another field compares the two values as the fields show
// them, the values every later reader of the texts takes: a set of accepted
// fields then stays accepted when it is read back.
const Prueba* Prueba_Fallida(const Regla& regla, double v, const Lectura& guardado) {
    for (const Prueba& p : regla.pruebas) {
        const double x = p.otro ? Decimales::Redondear(v, regla.decimales) : v;
        const double limite = p.otro ? p.factor * Mostrado(guardado, *p.otro) : p.factor;
        // A value that is not a finite number never passes a test.
        const bool falla = !std::isfinite(v) || (p.tipo == Prueba::Tipo::Menor ? x < limite
                                                                                : x > limite);
        if (falla) return &p;
    }
    return nullptr;
}

Veredicto Validar(const Regla& regla, const std::string& texto, const Lectura& guardado) {
    using R = Veredicto::Resultado;
    if (texto.empty()) return {R::Rechazado, regla.vacio, 0, regla.respaldo, std::nullopt};
    if (!Decimales::Es_Numero(texto))
        return {R::Rechazado, regla.no_numero, 0, regla.respaldo, std::nullopt};
    const double v = std::fabs(Decimales::Convertir_Numero(Decimales::Recortar(texto)));
    if (const Prueba* p = Prueba_Fallida(regla, v, guardado)) {
        const double respaldo = p->respaldo_de ? guardado(*p->respaldo_de) : regla.respaldo;
        return {R::Rechazado, p->mensaje, v, respaldo, std::nullopt};
    }
    if (regla.aviso && Decimales::Redondear(v, regla.decimales) <
                           Mostrado(guardado, regla.aviso->otro))
        return {R::Aviso, regla.aviso->mensaje, v, 0, regla.aviso->otro};
    return {R::Aceptado, "", v, 0, std::nullopt};
}

}  // namespace windows::flexion
