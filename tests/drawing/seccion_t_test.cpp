#include <gtest/gtest.h>

#include <string>

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

constexpr double kAzul = 255 * 65536.0;
constexpr double kRojo = 255;

class SeccionT : public prueba::Dibujo_Prueba {};

using prueba::Barra;
using prueba::Esperar_Igual;
using prueba::Linea;
using prueba::Texto;


TEST_F(SeccionT, DefaultCaseRecordByRecordOnTheTWindow) {
    prueba::Area_Falsa rect(General::DesignKind::Flexion, 400, 300);
    prueba::Area_Falsa t(General::DesignKind::FlexionT, 400, 300);
    General_dibujo::Dibujo.Ver_Deformaciones = true;
    Grafico::Dibujar_Seccion_T();

    // L = 0.4 (h >= b, b > bw), ew = 0.1, e = 0.1375, no upper steel.
    const double L = 0.4, e = 0.1375, ti = 10 * 0.025 / 40, tick = L / 6.66666;
    const struct {
        Elemento r;
        const char* texto;
    } esperado[] = {
        {Linea(0, 0.4, 0, 0.6), ""},
        {Linea(0, 0.6, 0.4, 0.6), ""},
        {Linea(0.4, 0.6, 0.4, 0.4), ""},
        {Linea(0.4, 0.4, 0.3, 0.4), ""},
        {Linea(0.3, 0.4, 0.3, 0), ""},
        {Linea(0.3, 0, 0.1, 0), ""},
        {Linea(0.1, 0, 0.1, 0.4), ""},
        {Linea(0.1, 0.4, 0, 0.4), ""},
        {Barra(0.14, 0.05 + ti, 0.26, 0.05, kAzul), ""},
        {Barra(e, 0, 0.4 - e, -L / 60, kRojo), ""},
        {Linea(-0.04, 0, -0.04, 0.6), ""},
        {Linea(-tick, 0, -0.02, 0), ""},
        {Linea(-tick, 0.6, -0.02, 0.6), ""},
        {Linea(0, 0.64, 0.4, 0.64), ""},
        {Linea(0, 0.62, 0, 0.6 + tick), ""},
        {Linea(0.4, 0.62, 0.4, 0.6 + tick), ""},
        {Linea(0.44, 0.4, 0.44, 0.6), ""},
        {Linea(0.4 + tick, 0.4, 0.42, 0.4), ""},
        {Linea(0.4 + tick, 0.6, 0.42, 0.6), ""},
        {Linea(0.1, -0.2, 0.3, -0.2), ""},
        {Linea(0.1, -0.18, 0.1, -0.22), ""},
        {Linea(0.3, -0.18, 0.3, -0.22), ""},
        {Linea(e, -0.04, 0.4 - e, -0.04), ""},
        {Linea(e, -0.02, e, -tick), ""},
        {Linea(0.4 - e, -0.02, 0.4 - e, -tick), ""},
        {Texto(4, -0.08, 0.3), "0,60"},
        {Texto(3, 0.2, 0.68), "0,40"},
        {Texto(8, 0.48, 0.5), "0,20"},
        {Texto(3, 0.2, -0.24), "0,20"},
        {Texto(3, 0.2, -0.08), "0,125"},
        {Texto(3, 0.2, 0.09), "10,00 cm²"},
        {Texto(3, 0.2, 0.8, 12, 1), "SECCION"},
    };
    const int n = static_cast<int>(std::size(esperado));
    ASSERT_EQ(lista().Num_Elementos(), n);
    for (int i = 1; i <= n; ++i) {
        Esperar_Igual(lista().Elementos(i), esperado[i - 1].r, i);
        EXPECT_EQ(lista().Textos(i), esperado[i - 1].texto) << i;
    }
    const auto& d = General_dibujo::Dibujo;
    EXPECT_TRUE(d.Ver_Seccion);
    EXPECT_FALSE(d.Ver_Deformaciones || d.Ver_Armadura || d.Ver_Capas);
    // Drawn with equal scales in the T window only.
    EXPECT_EQ(rect.renders, 0);
    ASSERT_EQ(t.renders, 1);
    EXPECT_EQ(t.escena.Ajuste_Vista.Sx, t.escena.Ajuste_Vista.Sy);
    EXPECT_EQ(t.escena.Linea.size(), 23u);
    EXPECT_EQ(t.escena.Barra.size(), 2u);
}

TEST_F(SeccionT, WebWiderThanTheFlangeShiftsTheDepthDimension) {
    auto& c = General::Caso;
    c.Ancho = 0.3;
    c.Ancho_Alma = 0.5;
    Grafico::Dibujar_Seccion_T();
    // L = bw = 0.5, ew = -0.1, dL = 0.1.
    const auto& l = lista();
    Esperar_Igual(l.Elementos(4), Linea(0.3, 0.4, 0.4, 0.4), 4);
    Esperar_Igual(l.Elementos(8), Linea(-0.1, 0.4, 0, 0.4), 8);
    Esperar_Igual(l.Elementos(11), Linea(-0.15, 0, -0.15, 0.6), 11);
    EXPECT_NEAR(l.Elementos(12).X1, -0.5 / 6.66666 - 0.1, 1e-12);
    EXPECT_NEAR(l.Elementos(13).X2, -0.025 - 0.1, 1e-12);
    EXPECT_NEAR(l.Elementos(26).X1, -0.2, 1e-12);
    // The lower band spans the web's width, wider than the flange.
    EXPECT_NEAR(l.Elementos(9).X1, -0.05, 1e-12);
    EXPECT_NEAR(l.Elementos(9).X2, 0.35, 1e-12);
}

TEST_F(SeccionT, ReferenceLengthAndRecordCounts) {
    auto& c = General::Caso;
    const struct {
        double b, h, bw, as, as2;
        double L;
        int registros;
    } casos[] = {
        {0.4, 0.6, 0.2, 10, 5, 0.4, 34},   // h >= b, b > bw: L = b
        {0.4, 0.3, 0.6, 10, 0, 0.3, 32},   // h < b: L = h whatever bw
        {0.4, 0.4, 0.4, 0, 5, 0.4, 32},    // h = b falls to the second test: b <= bw
        {0.4, 0.4, 0.2, 0, 0, 0.4, 30},
    };
    for (const auto& k : casos) {
        c.Ancho = k.b;
        c.Canto = k.h;
        c.Ancho_Alma = k.bw;
        c.Armadura_Inf = k.as;
        c.Armadura_Sup = k.as2;
        Grafico::Dibujar_Seccion_T();
        const auto& l = lista();
        ASSERT_EQ(l.Num_Elementos(), k.registros) << k.b << " " << k.h << " " << k.bw;
        // The sheet: placed L / 60 under the bottom face.
        const int sabana = 9 + (k.as > 0) + (k.as2 > 0);
        EXPECT_EQ(l.Elementos(sabana).Color, kRojo);
        EXPECT_NEAR(l.Elementos(sabana).Y2, -k.L / 60, 1e-12) << k.b << " " << k.h;
        EXPECT_EQ(l.Textos(k.registros), "SECCION");
        EXPECT_NEAR(l.Elementos(k.registros).Y1, k.h + k.L / 2, 1e-12);
    }
    // Both areas: the upper band hangs from the upper steel across the flange.
    c.Ancho = 0.4;
    c.Canto = 0.6;
    c.Ancho_Alma = 0.2;
    c.Armadura_Inf = 10;
    c.Armadura_Sup = 8;
    Grafico::Dibujar_Seccion_T();
    Esperar_Igual(lista().Elementos(10), Barra(0.04, 0.55, 0.36, 0.55 - 8 * 0.025 / 40, kAzul), 10);
    EXPECT_EQ(lista().Textos(33), "8,00 cm²");
    EXPECT_NEAR(lista().Elementos(33).Y1, 0.55 - 0.04, 1e-12);
}

}  // namespace
