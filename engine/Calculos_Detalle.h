// Inner steps of the solvers, one cell at a time and without the case data.
// Used by Calculos.cpp; open to tests and benchmarks, which look at the
// convergence of every bisection and iteration. Not for the windows.
#pragma once

namespace Calculos::Detalle {

inline constexpr double Tolerancia_Fuerza = 0.00001;  // kN
inline constexpr int Max_Biseccion = 200;              // halvings per bisection
inline constexpr double Tolerancia_K = 0.00001;
inline constexpr int Max_Pasadas_Confina = 1000;

// Section and materials of one flexure calculation.
struct Seccion {
    double b = 0, h = 0, r = 0;  // m
    double As = 0, As2 = 0;      // cm2
    double fck = 0, fyk = 0;     // N/mm2
    double gamma_c = 1, gamma_s = 1;
    bool T = false;              // T section: b is the flange width
    double bw = 0, hf = 0;       // m, T section only
};

// Sheet of one layer count.
struct Lamina {
    double bf = 0;   // m
    double t = 0;    // mm
    double E = 0;    // N/mm2
    double efd = 0;  // design strain for n layers
    int n = 0;
    double e0 = 0;   // initial strain of the bottom face
};

// The solution of one variant and layer count.
struct Capa {
    double x_RB = 0, M_RB = 0, x_lim = 0, M_lim = 0;
    char Pivote = ' ';  // 'R', 'B' or 'A'
    double x = 0, ec = 0, es = 0, es2 = 0, er = 0;
    double R = 0;       // residual at the final point, kN
    double Mu = 0;      // moment at the final point, kN m
    int Pasos = 0;      // halvings done
    bool Convergido = false;  // |R| met the tolerance
};

Capa Resolver_Capa(const Seccion& s, const Lamina& l);

// The section without sheet (pivots B and A only).
struct Sin_Refuerzo {
    char Pivote = ' ';
    double x = 0, R = 0, Mu = 0;
    int Pasos = 0;
    bool Convergido = false;
};

Sin_Refuerzo Resolver_Sin_Refuerzo(const Seccion& s);

// Residual and moment of the section at depth x on the strains of a pivot
// ('R', 'B', 'A'); with l.n == 0 there is no sheet. For checks of
// equilibrium from outside the solver.
struct Equilibrio {
    double ec = 0, es = 0, es2 = 0, er = 0, R = 0, Mu = 0;
};
Equilibrio Evaluar(const Seccion& s, const Lamina& l, char pivote, double x);

// Confinement of one layer count.
struct Columna {
    double alfa = 0;  // shape coefficient as computed (may be negative)
    double Wc = 0;    // m2
    double p = 0;     // perimeter, m
    double nu = 0;
    double e0 = 0;
    double fck = 0, gamma_c = 1;
};

struct Confinada {
    double Vol_Refuerzo = 0, omega = 0, sigma = 0, ef = 0, K = 0;
    int Pasadas = 0;
    bool Convergido = false;
};

Confinada Resolver_Confina_Capa(const Columna& c, double t, double E, double efd, int n);

}  // namespace Calculos::Detalle
