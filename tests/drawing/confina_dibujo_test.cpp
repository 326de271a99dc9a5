// The confinement diagram and the column section drawing: their records
// against the counts, coordinates and captions they must have.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Area_Falsa.h"
#include "Dibujo_Prueba.h"
#include "drawing/Formato.h"
#include "drawing/General_dibujo.h"
#include "drawing/Grafico.h"
#include "drawing/Registros.h"
#include "engine/Caracteristicas.h"
#include "engine/General.h"

namespace {

using General_dibujo::Elemento;
using General_dibujo::Registro_Caja;
using General_dibujo::Registro_Linea;
using General_dibujo::Registro_Texto;
using prueba::Esperar_Igual;
using prueba::Texto;

constexpr double kGris = 192 + 192 * 256.0 + 192 * 65536.0;
constexpr double kRojo = 255;
constexpr int Centrado = General_dibujo::Elemento_Texto_Centrado;
constexpr int Izquierda = General_dibujo::Elemento_Texto_Izquierda;
constexpr int Barra = General_dibujo::Elemento_Barra;
constexpr int Rect = General_dibujo::Elemento_Sec_Rect;
constexpr int Cir = General_dibujo::Elemento_Sec_Cir;

class DibujoConfina : public prueba::Dibujo_Prueba {
protected:
    // Confinement results: K of variant i with n layers from a function.
    template <class F>
    void Resultados(F k, double kmax, double kreq) {
        auto& c = General::Caso;
        c.Incremento_Resistencia.Crear(3, 5);
        for (int i = 1; i <= 3; ++i)
            for (int n = 1; n <= 5; ++n) c.Incremento_Resistencia(i, n) = k(i, n);
        c.Incremento_Max = kmax;
        c.Incremento_Necesario = kreq;
    }
};



// ---------------------------------------------------------------------------
// Diagram

TEST_F(DibujoConfina, DiagramRecordsInTheirOrder) {
    Resultados([](int i, int n) { return 1 + 0.1 * n + 0.01 * i; }, 1.53, 1.2);
    General_dibujo::Dibujo.Ver_Seccion = true;
    prueba::Area_Falsa area(General::DesignKind::Confina, 400, 300);
    Grafico::Dibujar_Diagrama_Confina();
    EXPECT_EQ(area.renders, 1);
    EXPECT_FALSE(General_dibujo::Dibujo.Ver_Seccion);
    ASSERT_EQ(lista().Num_Elementos(), 56);

    const double m = 0.53, H = 1.1 * m, s = H / 10, w = 0.25;
    int r = 1;
    Esperar_Igual(R(r), Registro_Linea(0, 0, 5, 0), r); ++r;
    Esperar_Igual(R(r), Registro_Linea(0, 0, 0, H), r); ++r;
    for (int i = 1; i <= 3; ++i)
        for (int n = 1; n <= 5; ++n, ++r) {
            const double color = General::Caso.Color_Refuerzo(i).Valor();
            Esperar_Igual(R(r),
                  Registro_Caja(Barra, n - 1 + i * w - w / 2, 0.1 * n + 0.01 * i,
                                n - 1 + (i + 1) * w - w / 2, 0, color),
                  r);
        }
    EXPECT_NEAR(R(3).X1, 1.0 / 8, 1e-12);  // a gap of 1/8 before the first bar
    for (int k = 1; k <= 5; ++k, ++r) Esperar_Igual(R(r), Registro_Linea(k, 0, k, H, 0, 3, 1), r);
    for (int k = 1; k <= 10; ++k, ++r) Esperar_Igual(R(r), Registro_Linea(0, s * k, 5, s * k, 0, 3, 1), r);
    Esperar_Igual(R(r), Registro_Linea(0, 0.2, 5, 0.2, 128 + 64 * 65536.0, 3, 3), r); ++r;
    for (int k = 1; k <= 5; ++k, ++r) {
        Esperar_Igual(R(r), Texto(Centrado, k - 0.5, -s), r);
        EXPECT_EQ(T(r), std::to_string(k));
    }
    for (int k = 1; k <= 9; ++k, ++r) Esperar_Igual(R(r), Texto(Izquierda, 0, s * k), r);
    EXPECT_EQ(T(r - 9), "1,06");  // the ratio s + 1, not the increase
    Esperar_Igual(R(r), Texto(Centrado, 5.5, 0), r);
    EXPECT_EQ(T(r++), "Nº capas");
    Esperar_Igual(R(r), Texto(Centrado, 0, 1.2 * m), r);
    EXPECT_EQ(T(r++), "Incr. resistencia");
    Esperar_Igual(R(r), Texto(Centrado, 2.5, 1.3 * m, 12, 1), r);
    EXPECT_EQ(T(r++), "DIAGRAMA DE CONFINAMIENTO");
    for (int i = 1; i <= 3; ++i) {
        const double x = 5.0 / 3 * (i - 1);
        Esperar_Igual(R(r), Registro_Caja(Barra, x, -H / 6, x + 0.2, -H / 4.5,
                                  General::Caso.Color_Refuerzo(i).Valor()), r);
        ++r;
        Esperar_Igual(R(r), Texto(Centrado, x + 0.9, -H / 5), r);
        EXPECT_EQ(T(r++), General::Caso.Nombre_Refuerzo(i));
    }
    EXPECT_EQ(r - 1, 56);
}

TEST_F(DibujoConfina, DiagramScaleAndRequiredLine) {
    struct Caso {
        const char* nombre;
        double k;      // every K
        double kreq;
        double m;      // largest increase used for the scale
        int registros;
        const char* primera;  // first value label
    };
    const Caso casos[] = {
        {"no K above 1", 1.0, 1.0, 0.1, 56, "1,01"},
        {"every K below 1", 0.9, 1.0, 0.1, 55, "1,01"},
        {"required above every K", 1.5, 1.6, 0.5, 55, "1,06"},
        {"required equal to the largest K", 1.5, 1.5, 0.5, 56, "1,06"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        Resultados([&](int, int) { return c.k; }, c.k, c.kreq);
        Grafico::Dibujar_Diagrama_Confina();
        ASSERT_EQ(lista().Num_Elementos(), c.registros);
        EXPECT_NEAR(R(2).Y2, 1.1 * c.m, 1e-12);
        EXPECT_NEAR(R(3).Y1, c.k - 1, 1e-12);
        const int primera = c.registros == 56 ? 39 : 38;
        EXPECT_EQ(T(primera), c.primera);
        EXPECT_EQ(T(primera + 8), c.m == 0.1 ? "1,10" : "1,50");
        if (c.registros == 56) {
            EXPECT_NEAR(R(33).Y1, c.kreq - 1, 1e-12);
        }
    }
}

TEST_F(DibujoConfina, DiagramBeforeAnyResultDrawsNothing) {
    prueba::Area_Falsa area(General::DesignKind::Confina, 400, 300);
    Grafico::Dibujar_Diagrama_Confina();
    EXPECT_EQ(area.renders, 0);
    EXPECT_EQ(lista().Num_Elementos(), 0);
}

// ---------------------------------------------------------------------------
// Column section

TEST_F(DibujoConfina, CircleOfTheNewCase) {
    General_dibujo::Dibujo.Ver_Capas = true;
    General::Caso.Lado_Menor = 3;  // ignored
    prueba::Area_Falsa area(General::DesignKind::Confina, 400, 300);
    Grafico::Dibujar_Seccion_Confina();
    EXPECT_EQ(area.renders, 1);
    EXPECT_TRUE(General_dibujo::Dibujo.Ver_Seccion);
    EXPECT_TRUE(General_dibujo::Dibujo.Ver_Capas);  // left as it was
    ASSERT_EQ(lista().Num_Elementos(), 7);
    const double D = 0.5;
    const Elemento esperado[] = {
        Registro_Caja(Cir, 0.01, 0.51, 0.51, 0.01, kGris),
        Registro_Caja(Cir, 0, 0.52, 0.52, 0, kRojo),
        Registro_Linea(0.01, -0.05, 0.51, -0.05),
        Registro_Linea(0.01, -0.025, 0.01, -D / 6.66666),
        Registro_Linea(0.51, -0.025, 0.51, -D / 6.66666),
        Texto(Centrado, 0.25, -0.1),
        Texto(Centrado, 0.25, D + D / 3, 12, 1),
    };
    for (int i = 1; i <= 7; ++i) Esperar_Igual(R(i), esperado[i - 1], i);
    EXPECT_EQ(T(6), "0,50");
    EXPECT_EQ(T(7), "SECCION");
    EXPECT_TRUE(T(1).empty());
}

TEST_F(DibujoConfina, SquareAndRectangle) {
    struct Caso {
        int tipo;
        double d, b;
        int alto, ancho;  // records of the height and width values
    };
    for (const Caso c : {Caso{2, 0.5, 0.5, 10, 9}, Caso{3, 0.5, 0.4, 9, 10},
                         Caso{3, 0.4, 0.6, 9, 10}}) {
        SCOPED_TRACE(c.tipo * 10 + c.b);
        General::Caso.Tipo_Seccion = static_cast<int16_t>(c.tipo);
        General::Caso.Diametro_Lado = c.d;
        General::Caso.Lado_Menor = c.tipo == 3 ? c.b : 9;
        Grafico::Dibujar_Seccion_Confina();
        ASSERT_EQ(lista().Num_Elementos(), 12);
        const double D = c.d, B = c.b, t = D / 6.66666;
        Esperar_Igual(R(1), Registro_Caja(Rect, 0.02 * D, B + 0.02 * D, D + 0.02 * D, 0.02 * D, kGris), 1);
        Esperar_Igual(R(2), Registro_Caja(Rect, 0, B + 0.04 * D, D + 0.04 * D, 0, kRojo), 2);
        Esperar_Igual(R(3), Registro_Linea(-D / 10, 0.02 * D, -D / 10, B + 0.02 * D), 3);
        Esperar_Igual(R(4), Registro_Linea(-t, 0.02 * D, -D / 20, 0.02 * D), 4);
        Esperar_Igual(R(5), Registro_Linea(-t, B + 0.02 * D, -D / 20, B + 0.02 * D), 5);
        Esperar_Igual(R(6), Registro_Linea(0.02 * D, -D / 10, D + 0.02 * D, -D / 10), 6);
        Esperar_Igual(R(7), Registro_Linea(0.02 * D, -D / 20, 0.02 * D, -t), 7);
        Esperar_Igual(R(8), Registro_Linea(D + 0.02 * D, -D / 20, D + 0.02 * D, -t), 8);
        Esperar_Igual(R(c.alto), Texto(Izquierda, -D / 5, B / 2), c.alto);
        Esperar_Igual(R(c.ancho), Texto(Centrado, D / 2, -D / 5), c.ancho);
        EXPECT_EQ(T(c.alto), Grafico::Texto_Decimales(B, 2, ","));
        EXPECT_EQ(T(c.ancho), Grafico::Texto_Decimales(D, 2, ","));
        Esperar_Igual(R(11), Texto(Izquierda, -D / 10, B), 11);
        EXPECT_EQ(T(11), "Rmín 3 cm");
        Esperar_Igual(R(12), Texto(Centrado, D / 2, B + B / 3, 12, 1), 12);
        EXPECT_EQ(T(12), "SECCION");
    }
}

}  // namespace
