#include "Calculos.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "Calculos_Detalle.h"
#include "Caracteristicas.h"
#include "General.h"

namespace Calculos {

namespace {

constexpr double Pi = 3.141592;
constexpr double Modulo_Acero = 200000;  // N/mm2
constexpr double Limite_Predeformacion = 0.002;

double Cuad(double v) { return v * v; }
double Cubo(double v) { return v * v * v; }

// Modulus of the concrete, N/mm2.
double Modulo_Hormigon(double fck) { return 8500 * std::pow(fck + 8, 1.0 / 3.0); }

}  // namespace

// ---------------------------------------------------------------------------
// Inner steps
// ---------------------------------------------------------------------------

namespace Detalle {

namespace {

// Values fixed for one section: depths, design strengths, concrete block.
struct Modelo {
    const Seccion& s;
    double d, fcd, fyd, eyd;

    explicit Modelo(const Seccion& sec)
        : s(sec),
          d(sec.h - sec.r),
          fcd(sec.fck / sec.gamma_c),
          fyd(sec.fyk / sec.gamma_s),
          eyd(fyd / Modulo_Acero) {}

    // Force of the concrete block, kN.
    double C(double x) const {
        if (s.T && 0.8 * x > s.hf)
            return 0.85 * fcd * 1000 * (s.hf * s.b + (0.8 * x - s.hf) * s.bw);
        return 0.85 * fcd * s.b * (0.8 * x) * 1000;
    }

    // Moment of the concrete block about the bottom face, kN m.
    double MC(double x) const {
        if (s.T && 0.8 * x > s.hf)
            return 0.85 * fcd * 1000 *
                   (s.hf * s.b * (s.h - s.hf / 2) +
                    (0.8 * x - s.hf) * s.bw * (s.h - s.hf - (0.8 * x - s.hf) / 2));
        return C(x) * (s.h - 0.4 * x);
    }

    // Lower steel, signed strain (tension positive).
    double Ts(double es) const {
        if (es < eyd) return s.As * Modulo_Acero * es * 0.1;
        return s.As * fyd * 0.1;
    }

    // Upper steel; the signed strain chooses the branch, the magnitude is used.
    double Cs(double es2) const {
        if (es2 < eyd) return s.As2 * Modulo_Acero * std::fabs(es2) * 0.1;
        return s.As2 * fyd * 0.1;
    }

    // Strains of a pivot at depth x.
    void Deformaciones(const Lamina& l, char pivote, double x, Equilibrio& e) const {
        switch (pivote) {
            case 'R':
                e.er = l.efd + l.e0;
                e.ec = x * e.er / (s.h - x);
                e.es = (d - x) * e.ec / x;
                e.es2 = (x - s.r) * e.ec / x;
                break;
            case 'B':
                e.ec = 0.0035;
                e.er = (s.h - x) * 0.0035 / x;
                e.es = (d - x) * 0.0035 / x;
                e.es2 = (x - s.r) * 0.0035 / x;
                break;
            default:  // 'A'
                e.es = 0.01;
                e.ec = x * 0.01 / (d - x);
                e.er = (s.h - x) * e.ec / x;
                e.es2 = (x - s.r) * e.ec / x;
                break;
        }
    }

    // Residual and moment at x for the strains already in e.
    void Fuerzas(const Lamina& l, double x, Equilibrio& e) const {
        const double c = C(x);
        const double ts = Ts(e.es);
        const double cs = Cs(e.es2);
        const double mc = MC(x);
        if (l.n > 0) {
            const double ff = (e.er - l.e0) * l.E * l.bf * l.t * l.n;
            e.R = x >= s.r ? c + cs - ts - ff : c - cs - ts - ff;
        } else {
            e.R = x >= s.r ? c + cs - ts : c - cs - ts;
        }
        e.Mu = x >= s.r ? mc + cs * d - ts * s.r : mc - cs * d - ts * s.r;
    }
};

// Bisection on [lo, hi] from the state e at x; leaves the last point in x, e.
int Biseccion(const Modelo& m, const Lamina& l, char pivote, double lo, double hi, double& x,
              Equilibrio& e) {
    int pasos = 0;
    while (!(std::fabs(e.R) <= Tolerancia_Fuerza)) {
        if (pasos == Max_Biseccion) break;
        ++pasos;
        x = (lo + hi) / 2;
        m.Deformaciones(l, pivote, x, e);
        m.Fuerzas(l, x, e);
        if (e.R > 0)
            hi = x;
        else
            lo = x;
    }
    return pasos;
}

}  // namespace

Equilibrio Evaluar(const Seccion& s, const Lamina& l, char pivote, double x) {
    Modelo m(s);
    Equilibrio e;
    m.Deformaciones(l, pivote, x, e);
    m.Fuerzas(l, x, e);
    return e;
}

Capa Resolver_Capa(const Seccion& s, const Lamina& l) {
    const Modelo m(s);
    Capa c;

    // R-B strain line and its moment: lower steel yielded, no sheet force.
    c.x_RB = s.h * 0.0035 / (l.e0 + 0.0035 + l.efd);
    const double es2_rb = (c.x_RB - s.r) * 0.0035 / c.x_RB;
    double fs2;
    if (es2_rb < m.eyd)
        fs2 = s.As2 * Modulo_Acero * es2_rb * 0.1;
    else
        fs2 = s.As2 * m.fyd * 0.1;
    c.M_RB = m.MC(c.x_RB) + fs2 * m.d - s.As * m.fyd * 0.1 * s.r;

    // Limit depth: lower steel just yielding with the concrete at 0.0035.
    c.x_lim = m.d * 0.0035 / (m.eyd + 0.0035);
    c.M_lim = m.MC(c.x_lim) - s.As * m.fyd * 0.1 * s.r;

    // Start point on the R-B line.
    double x = c.x_RB;
    Equilibrio e;
    e.ec = 0.0035;
    e.er = l.efd + l.e0;
    e.es = (m.d - x) * 0.0035 / x;
    e.es2 = (x - s.r) * 0.0035 / x;
    m.Fuerzas(l, x, e);

    double lo, hi;
    if (e.R < 0) {
        c.Pivote = 'B';
        lo = c.x_RB;
        hi = s.h;
    } else if (e.es <= 0.01) {
        c.Pivote = 'R';
        lo = 0;
        hi = c.x_RB;
    } else {
        c.Pivote = 'A';
        lo = 0;
        hi = c.x_RB;
    }

    c.Pasos = Biseccion(m, l, c.Pivote, lo, hi, x, e);
    c.Convergido = std::fabs(e.R) <= Tolerancia_Fuerza;
    c.x = x;
    c.ec = e.ec;
    c.es = e.es;
    c.es2 = e.es2;
    c.er = e.er;
    c.R = e.R;
    c.Mu = e.Mu;
    return c;
}

Sin_Refuerzo Resolver_Sin_Refuerzo(const Seccion& s) {
    const Modelo m(s);
    const Lamina sin_lamina;  // n = 0: no sheet term
    Sin_Refuerzo res;

    // Balanced depth: concrete at 0.0035 and lower steel at 0.01 together.
    const double x_ab = m.d * 0.0035 / 0.0135;
    double x = x_ab;
    Equilibrio e;
    e.ec = 0.0035;
    e.es = (m.d - x) * 0.0035 / x;
    e.es2 = (x - s.r) * 0.0035 / x;
    m.Fuerzas(sin_lamina, x, e);

    double lo, hi;
    if (e.R < 0) {
        res.Pivote = 'B';
        lo = x_ab;
        hi = s.h;
    } else {
        res.Pivote = 'A';
        lo = 0;
        hi = x_ab;
    }
    res.Pasos = Biseccion(m, sin_lamina, res.Pivote, lo, hi, x, e);
    res.Convergido = std::fabs(e.R) <= Tolerancia_Fuerza;
    res.x = x;
    res.R = e.R;
    res.Mu = e.Mu;
    return res;
}

Confinada Resolver_Confina_Capa(const Columna& c, double t, double E, double efd, int n) {
    Confinada r;
    // A negative shape coefficient (rectangle beyond D / L = 1.5) confines nothing.
    const double alfa = std::max(c.alfa, 0.0);
    double k_prev = 1000;
    double eps = 0.002 - c.e0;
    double delta;
    do {
        ++r.Pasadas;
        r.ef = c.nu * eps;
        if (r.ef > efd) r.ef = efd;
        r.Vol_Refuerzo = c.p * t * 0.001 * n;
        r.omega = r.Vol_Refuerzo / c.Wc * E * r.ef / (c.fck / c.gamma_c);
        if (r.omega > 0.5) r.omega = 0.5;
        r.sigma = 0.5 * alfa * r.omega;
        if (r.sigma < 0.05)
            r.K = 1 + 5 * r.sigma;
        else
            r.K = 1.125 + 2.5 * r.sigma;
        eps = Cuad(r.K) * (0.002 - c.e0);
        delta = std::fabs(r.K - k_prev);
        k_prev = r.K;
    } while (!(delta <= Tolerancia_K) && r.Pasadas < Max_Pasadas_Confina);
    r.Convergido = delta <= Tolerancia_K;
    return r;
}

}  // namespace Detalle

// ---------------------------------------------------------------------------
// Bond factor and design strain
// ---------------------------------------------------------------------------

void Calcular_Km() {
    auto& c = General::Caso;
    const int capas = c.Num_Capas_Max;
    c.Km.Crear(capas);
    c.Def_Calculo_Refuerzo.Crear(capas);
    for (int n = 1; n <= capas; ++n) {
        const double x = n * c.Modulo_Refuerzo * c.Espesor_Refuerzo;
        double km;
        if (x < 214000)
            km = 1 - x / 428000;
        else
            km = 107000 / x;
        if (km > 0.9) km = 0.9;
        c.Km(n) = km;
        c.Def_Calculo_Refuerzo(n) = (c.Def_Ultima_Refuerzo / c.Gamma_Refuerzo) * km;
    }
}

// ---------------------------------------------------------------------------
// Initial strain
// ---------------------------------------------------------------------------

void Calcular_Predeformacion_Flexion(int16_t Tipo) {
    if (Tipo != 1 && Tipo != 2) return;
    auto& c = General::Caso;
    const double ec = Modulo_Hormigon(c.Fck);
    const double nm = Modulo_Acero / ec;
    const double b = c.Ancho, h = c.Canto, r = c.Recubrimiento;
    const double bw = c.Ancho_Alma, hf = c.Canto_Ala;
    const double as = c.Armadura_Inf / 10000;
    const double as2 = c.Armadura_Sup / 10000;

    double x = (-nm * (as + as2) +
                std::sqrt(Cuad(nm) * Cuad(as + as2) + 2 * b * nm * (as2 * r + as * (h - r)))) /
               b;
    double inercia;
    if (Tipo == 1 || x <= hf) {
        inercia = b * Cubo(x) / 3 + nm * as2 * Cuad(x - r) + nm * as * Cuad(h - x - r);
    } else {
        const double disc = Cuad(b) * Cuad(hf) - b * bw * Cuad(hf) +
                            2 * (b - bw) * hf * nm * (as + as2) + Cuad(nm) * Cuad(as + as2) +
                            2 * bw * nm * (as2 * r + as * (h - r));
        x = (-(b - bw) * hf - nm * (as + as2) + std::sqrt(disc)) / bw;
        inercia = b * Cubo(hf) / 12 + b * hf * Cuad(x - hf / 2) + bw * Cubo(x - hf) / 3 +
                  nm * as2 * Cuad(x - r) + nm * as * Cuad(h - x - r);
    }
    c.Predeformacion = c.Momento_Actual * (h - x) / (ec * 1000 * inercia);
}

void Calcular_Predeformacion_Confina() {
    auto& c = General::Caso;
    const double ec = Modulo_Hormigon(c.Fck);
    const double nm = Modulo_Acero / ec;
    const double D = c.Diametro_Lado, L = c.Lado_Menor;
    double area;
    switch (c.Tipo_Seccion) {
        case 1: area = Pi * Cuad(D) / 4 + (0.004 * Pi) * Cuad(D) / 4 * nm; break;
        case 2: area = Cuad(D) + 0.004 * Cuad(D) * nm; break;
        case 3: area = L * D + 0.004 * D * L * nm; break;
        default: return;
    }
    c.Predeformacion = c.Axil_Actual / (area * ec * 1000);
}

// ---------------------------------------------------------------------------
// Flexural solver and unstrengthened capacity
// ---------------------------------------------------------------------------

namespace {

Detalle::Seccion Seccion_De(bool T, double b, double h, double r, double As, double As2,
                            double fck, double fyk) {
    const auto& c = General::Caso;
    Detalle::Seccion s;
    s.b = b;
    s.h = h;
    s.r = r;
    s.As = As;
    s.As2 = As2;
    s.fck = fck;
    s.fyk = fyk;
    s.gamma_c = c.Gamma_Hormigon;
    s.gamma_s = c.Gamma_Acero;
    s.T = T;
    if (T) {
        s.bw = c.Ancho_Alma;
        s.hf = c.Canto_Ala;
    }
    return s;
}

void Calcular_Flexion(const Detalle::Seccion& s, double bf, double e0, int16_t j) {
    auto& c = General::Caso;
    Caracteristicas::Cargar_Refuerzo(j);
    Calcular_Km();

    const int capas = c.Num_Capas_Max;
    for (int n = 1; n <= capas; ++n) {
        Detalle::Lamina l;
        l.bf = bf;
        l.t = c.Espesor_Refuerzo;
        l.E = c.Modulo_Refuerzo;
        l.efd = c.Def_Calculo_Refuerzo(n);
        l.n = n;
        l.e0 = e0;
        const Detalle::Capa k = Detalle::Resolver_Capa(s, l);

        c.Fibra_Neutra_RB(j, n) = k.x_RB;
        c.Momento_RB(j, n) = k.M_RB;
        c.Fibra_Neutra_Lim(j, n) = k.x_lim;
        c.Momento_Limite(j, n) = k.M_lim;

        // A cell without equilibrium has no capacity.
        double mu = k.Convergido ? k.Mu : General::Sin_Ganancia;
        if (n > 1 && (mu < c.Mu_Capas(j, n - 1) || c.Mu_Capas(j, n - 1) == General::Sin_Ganancia))
            mu = General::Sin_Ganancia;
        c.Mu_Capas(j, n) = mu;

        c.Fibra_Neutra(j, n) = k.x;
        c.Pivote(j, n) = std::string(1, k.Pivote);
        c.Def_Hormigon(j, n) = k.ec;
        c.Def_Armadura_Inf(j, n) = k.es;
        c.Def_Armadura_Sup(j, n) = k.es2;
        c.Def_Refuerzo(j, n) = k.er;
    }
}

}  // namespace

void Calcular_Flexion_Rect(double b, double h, double r, double As, double As2, double bf,
                           double fck, double fyk, double e0, int16_t j) {
    Calcular_Flexion(Seccion_De(false, b, h, r, As, As2, fck, fyk), bf, e0, j);
}

void Calcular_Flexion_T(double b, double h, double r, double As, double As2, double bf,
                        double fck, double fyk, double e0, int16_t j) {
    Calcular_Flexion(Seccion_De(true, b, h, r, As, As2, fck, fyk), bf, e0, j);
}

void Calcular_Musr_Rect(double b, double h, double r, double As, double As2, double fck,
                        double fyk) {
    General::Caso.Mu_Sin_Refuerzo =
        Detalle::Resolver_Sin_Refuerzo(Seccion_De(false, b, h, r, As, As2, fck, fyk)).Mu;
}

void Calcular_Musr_T(double b, double h, double r, double As, double As2, double fck,
                     double fyk) {
    General::Caso.Mu_Sin_Refuerzo =
        Detalle::Resolver_Sin_Refuerzo(Seccion_De(true, b, h, r, As, As2, fck, fyk)).Mu;
}

// ---------------------------------------------------------------------------
// Confinement
// ---------------------------------------------------------------------------

std::optional<double> Calcular_Coef_Forma(int16_t Forma, double D, double L) {
    switch (Forma) {
        case 1: return 1.0;
        case 2: return 1 - 2.0 / 3.0;
        case 3: return 1 - (2.0 / 3.0) * D / L;
        default: return std::nullopt;
    }
}

void Calcular_Confina(int16_t Forma, double D, double L, double fck, int16_t j) {
    const std::optional<double> alfa = Calcular_Coef_Forma(Forma, D, L);
    if (!alfa) return;
    auto& c = General::Caso;
    Caracteristicas::Cargar_Refuerzo(j);
    Calcular_Km();

    Detalle::Columna col;
    col.alfa = *alfa;
    switch (Forma) {
        case 1:
            col.Wc = Pi * Cuad(D) / 4;
            col.p = Pi * D;
            break;
        case 2:
            col.Wc = Cuad(D);
            col.p = 4 * D;
            break;
        default:
            col.Wc = D * L;
            col.p = 2 * (D + L);
            break;
    }
    col.nu = c.Coef_Poisson;
    col.e0 = c.Predeformacion;
    col.fck = fck;
    col.gamma_c = c.Gamma_Hormigon;

    c.Coef_Forma = col.alfa;
    c.Vol_Hormigon(j) = col.Wc;

    const int capas = c.Num_Capas_Max;
    for (int n = 1; n <= capas; ++n) {
        const Detalle::Confinada k = Detalle::Resolver_Confina_Capa(
            col, c.Espesor_Refuerzo, c.Modulo_Refuerzo, c.Def_Calculo_Refuerzo(n), n);
        c.Vol_Refuerzo(j, n) = k.Vol_Refuerzo;
        c.Cuantia_Volumetrica(j, n) = k.omega;
        c.Tension_Confinamiento(j, n) = k.sigma;
        c.Def_Refuerzo_Confina(j, n) = k.ef;
        c.Tension_Refuerzo(j, n) = c.Modulo_Refuerzo * k.ef;
        c.Incremento_Resistencia(j, n) = k.K;
    }
}

// ---------------------------------------------------------------------------
// Anchorage
// ---------------------------------------------------------------------------

void Calcular_Anclaje() {
    auto& c = General::Caso;
    const int tipos = c.Num_Tipos_Refuerzo;
    const int capas = c.Num_Capas_Max;
    c.Longitud_Anclaje.Crear(tipos, capas);
    for (int j = 1; j <= tipos; ++j) {
        Caracteristicas::Cargar_Refuerzo(j);
        Calcular_Km();
        for (int n = 1; n <= capas; ++n) {
            c.Longitud_Anclaje(j, n) = (2.0 * n) * (c.Espesor_Refuerzo * 0.001) *
                                       c.Modulo_Refuerzo * c.Def_Calculo_Refuerzo(n) /
                                       (0.21 * std::pow(c.Fck, 2.0 / 3.0));
        }
    }
}

// ---------------------------------------------------------------------------
// Calculate commands
// ---------------------------------------------------------------------------

namespace {

bool Predeformacion_Admisible(double e0) {
    return std::isfinite(e0) && !(e0 > Limite_Predeformacion);
}

void Crear_Resultados_Flexion() {
    auto& c = General::Caso;
    const int tipos = c.Num_Tipos_Refuerzo;
    const int capas = c.Num_Capas_Max;
    c.Mu_Capas.Crear(tipos, capas);
    c.Fibra_Neutra.Crear(tipos, capas);
    c.Pivote.Crear(tipos, capas);
    c.Momento_RB.Crear(tipos, capas);
    c.Momento_Limite.Crear(tipos, capas);
    c.Def_Hormigon.Crear(tipos, capas);
    c.Def_Armadura_Inf.Crear(tipos, capas);
    c.Def_Armadura_Sup.Crear(tipos, capas);
    c.Def_Refuerzo.Crear(tipos, capas);
    c.Fibra_Neutra_RB.Crear(tipos, capas);
    c.Fibra_Neutra_Lim.Crear(tipos, capas);
}

// Every value the window shows of a cell not marked -999 is finite.
bool Resultados_Finitos() {
    const auto& c = General::Caso;
    if (!std::isfinite(c.Mu_Sin_Refuerzo)) return false;
    for (int j = 1; j <= c.Num_Tipos_Refuerzo; ++j)
        for (int n = 1; n <= c.Num_Capas_Max; ++n) {
            if (c.Mu_Capas(j, n) == General::Sin_Ganancia) continue;
            for (double v : {c.Mu_Capas(j, n), c.Momento_RB(j, n), c.Momento_Limite(j, n),
                             c.Fibra_Neutra(j, n), c.Def_Hormigon(j, n),
                             c.Def_Armadura_Inf(j, n), c.Def_Armadura_Sup(j, n),
                             c.Def_Refuerzo(j, n)})
                if (!std::isfinite(v)) return false;
        }
    return true;
}

// The confinement result arrays by variant and layer count (Vol_Hormigon,
// by variant only, aside).
std::array<General::Tabla2<double>*, 6> Tablas_Confina(General::Datos& c) {
    return {&c.Vol_Refuerzo,     &c.Cuantia_Volumetrica,   &c.Def_Refuerzo_Confina,
            &c.Tension_Refuerzo, &c.Tension_Confinamiento, &c.Incremento_Resistencia};
}

// The seven confinement result arrays created afresh, every element 0.
void Crear_Resultados_Confina() {
    auto& c = General::Caso;
    for (General::Tabla2<double>* t : Tablas_Confina(c))
        t->Crear(c.Num_Tipos_Refuerzo, c.Num_Capas_Max);
    c.Vol_Hormigon.Crear(c.Num_Tipos_Refuerzo);
}

// Every confinement result the window shows is finite.
bool Resultados_Confina_Finitos() {
    auto& c = General::Caso;
    for (int j = 1; j <= c.Num_Tipos_Refuerzo; ++j) {
        if (!std::isfinite(c.Vol_Hormigon(j))) return false;
        for (int n = 1; n <= c.Num_Capas_Max; ++n)
            for (const General::Tabla2<double>* t : Tablas_Confina(c))
                if (!std::isfinite((*t)(j, n))) return false;
    }
    return true;
}

}  // namespace

Salida_Calculo Calcular_Caso_Flexion(int16_t Tipo) {
    auto& c = General::Caso;
    const int tipos = c.Num_Tipos_Refuerzo;
    const int capas = c.Num_Capas_Max;
    Crear_Resultados_Flexion();

    if (Tipo != 1 && Tipo != 2) return {Resultado_Calculo::No_Calculable};
    Calcular_Predeformacion_Flexion(Tipo);
    if (!std::isfinite(c.Predeformacion)) return {Resultado_Calculo::No_Calculable};
    if (!Predeformacion_Admisible(c.Predeformacion))
        return {Resultado_Calculo::Predeformacion_Excesiva};

    const double mu_sin_refuerzo = c.Mu_Sin_Refuerzo;
    for (int16_t j = 1; j <= tipos; ++j) {
        if (Tipo == 1)
            Calcular_Flexion_Rect(c.Ancho, c.Canto, c.Recubrimiento, c.Armadura_Inf,
                                  c.Armadura_Sup, c.Ancho_Refuerzo, c.Fck, c.Fyk,
                                  c.Predeformacion, j);
        else
            Calcular_Flexion_T(c.Ancho, c.Canto, c.Recubrimiento, c.Armadura_Inf, c.Armadura_Sup,
                               c.Ancho_Refuerzo, c.Fck, c.Fyk, c.Predeformacion, j);
    }
    if (Tipo == 1)
        Calcular_Musr_Rect(c.Ancho, c.Canto, c.Recubrimiento, c.Armadura_Inf, c.Armadura_Sup,
                           c.Fck, c.Fyk);
    else
        Calcular_Musr_T(c.Ancho, c.Canto, c.Recubrimiento, c.Armadura_Inf, c.Armadura_Sup, c.Fck,
                        c.Fyk);

    // Results that are no numbers are no results: nothing of them is kept.
    if (!Resultados_Finitos()) {
        Crear_Resultados_Flexion();
        c.Mu_Sin_Refuerzo = mu_sin_refuerzo;
        return {Resultado_Calculo::No_Calculable};
    }

    c.Mu_Max = 0;
    for (int j = 1; j <= tipos; ++j)
        for (int n = 1; n <= capas; ++n)
            if (c.Mu_Capas(j, n) > c.Mu_Max) c.Mu_Max = c.Mu_Capas(j, n);
    return {Resultado_Calculo::Calculado};
}

Salida_Calculo Calcular_Caso_Confina() {
    auto& c = General::Caso;
    const int tipos = c.Num_Tipos_Refuerzo;
    const int capas = c.Num_Capas_Max;
    Crear_Resultados_Confina();

    if (c.Tipo_Seccion < 1 || c.Tipo_Seccion > 3) return {Resultado_Calculo::No_Calculable};
    Calcular_Predeformacion_Confina();
    if (!std::isfinite(c.Predeformacion)) return {Resultado_Calculo::No_Calculable};
    if (!Predeformacion_Admisible(c.Predeformacion))
        return {Resultado_Calculo::Predeformacion_Excesiva};

    for (int16_t j = 1; j <= tipos; ++j)
        Calcular_Confina(c.Tipo_Seccion, c.Diametro_Lado, c.Lado_Menor, c.Fck, j);

    // Results that are no numbers are no results: nothing of them is kept.
    if (!Resultados_Confina_Finitos()) {
        Crear_Resultados_Confina();
        return {Resultado_Calculo::No_Calculable};
    }

    c.Incremento_Max = 0;
    for (int j = 1; j <= tipos; ++j)
        for (int n = 1; n <= capas; ++n)
            if (c.Incremento_Resistencia(j, n) > c.Incremento_Max)
                c.Incremento_Max = c.Incremento_Resistencia(j, n);
    return {Resultado_Calculo::Calculado};
}

Aviso Aviso_Flexion() {
    const auto& c = General::Caso;
    const double md = c.Momento_Solicitante;
    if (md >= c.Mu_Sin_Refuerzo && md <= c.Mu_Max) return Aviso::Ninguno;
    if (md < c.Mu_Sin_Refuerzo) return Aviso::No_Necesario;
    return Aviso::No_Se_Puede;
}

Aviso Aviso_Confina() {
    const auto& c = General::Caso;
    if (c.Incremento_Necesario <= c.Incremento_Max) return Aviso::Ninguno;
    return Aviso::No_Se_Puede;
}

}  // namespace Calculos
