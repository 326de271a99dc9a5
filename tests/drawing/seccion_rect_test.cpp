#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Area_Falsa.h"
#include "Dibujo_Prueba.h"
#include "drawing/Formato.h"
#include "drawing/General_dibujo.h"
#include "drawing/Registros.h"
#include "drawing/Grafico.h"
#include "engine/Caracteristicas.h"
#include "engine/General.h"

namespace {

using General_dibujo::Elemento;

constexpr double kAzul = 255 * 65536.0;
constexpr double kRojo = 255;

class SeccionRect : public prueba::Dibujo_Prueba {};

using prueba::Barra;
using prueba::Esperar_Igual;
using prueba::Linea;
using General_dibujo::Registro_Texto;

TEST_F(SeccionRect, DefaultCaseRecordByRecord) {
    General_dibujo::Dibujo.Ver_Capas = true;
    General_dibujo::Dibujo.Ver_Deformaciones = true;
    Grafico::Dibujar_Seccion_Rect();

    const double L = 0.4, b = 0.4, h = 0.6, e = (0.4 - 0.125) / 2, t = L / 6.66666;
    const struct {
        Elemento rec;
        const char* texto;
    } esperado[] = {
        {Linea(0, 0, 0, h), ""},
        {Linea(0, h, b, h), ""},
        {Linea(b, h, b, 0), ""},
        {Linea(b, 0, 0, 0), ""},
        {Barra(0.04, 0.05 + 10 * 0.025 / 40, 0.36, 0.05, kAzul), ""},
        {Barra(e, 0, b - e, -L / 60, kRojo), ""},
        {Linea(-0.04, 0, -0.04, h), ""},
        {Linea(-t, 0, -0.02, 0), ""},
        {Linea(-t, h, -0.02, h), ""},
        {Linea(0, h + 0.04, b, h + 0.04), ""},
        {Linea(0, h + 0.02, 0, h + t), ""},
        {Linea(b, h + 0.02, b, h + t), ""},
        {Linea(e, -0.04, b - e, -0.04), ""},
        {Linea(e, -0.02, e, -t), ""},
        {Linea(b - e, -0.02, b - e, -t), ""},
        {Registro_Texto(4, -0.08, 0.3, 8, 0), "0,60"},
        {Registro_Texto(3, 0.2, h + 0.08, 8, 0), "0,40"},
        {Registro_Texto(3, 0.2, -0.08, 8, 0), "0,125"},
        {Registro_Texto(3, 0.2, 0.05 + 0.04, 8, 0), "10,00 cm²"},
        {Registro_Texto(3, 0.2, 0.8, 12, 1), "SECCION"},
    };
    ASSERT_EQ(lista().Num_Elementos(), 20);
    for (int i = 1; i <= 20; ++i) {
        Esperar_Igual(lista().Elementos(i), esperado[i - 1].rec, i);
        EXPECT_EQ(lista().Textos(i), esperado[i - 1].texto) << "record " << i;
    }
    // The outer tick end is the decimal literal, not 20/3.
    EXPECT_NE(lista().Elementos(8).X1, -L * 3 / 20);
    EXPECT_EQ(lista().Elementos(21), Elemento{});

    const auto& d = General_dibujo::Dibujo;
    EXPECT_TRUE(d.Ver_Seccion);
    EXPECT_FALSE(d.Ver_Capas || d.Ver_Deformaciones || d.Ver_Armadura);
}

TEST_F(SeccionRect, SteelAreasDecideBandsAndTexts) {
    struct Caso {
        double as, as2;
        int registros;
        std::vector<int> tipos;
    } casos[] = {
        {10, 5, 22, {1, 1, 1, 1, 5, 5, 5, 1, 1, 1, 1, 1, 1, 1, 1, 1, 4, 3, 3, 3, 3, 3}},
        {0, 5, 20, {1, 1, 1, 1, 5, 5, 1, 1, 1, 1, 1, 1, 1, 1, 1, 4, 3, 3, 3, 3}},
        {0, -1, 18, {1, 1, 1, 1, 5, 1, 1, 1, 1, 1, 1, 1, 1, 1, 4, 3, 3, 3}},
    };
    for (const auto& c : casos) {
        General::Caso.Armadura_Inf = c.as;
        General::Caso.Armadura_Sup = c.as2;
        Grafico::Dibujar_Seccion_Rect();
        EXPECT_EQ(lista().Num_Elementos(), c.registros);
        EXPECT_EQ(Tipos(), c.tipos);
        EXPECT_EQ(lista().Textos(c.registros), "SECCION");
    }
    // Both areas: the upper band hangs from the upper steel, its text below it.
    General::Caso.Armadura_Inf = 10;
    General::Caso.Armadura_Sup = 400;
    Grafico::Dibujar_Seccion_Rect();
    Esperar_Igual(lista().Elementos(6), Barra(0.04, 0.55, 0.36, 0.55 - 0.25, kAzul), 6);
    EXPECT_EQ(lista().Textos(21), "400,00 cm²");
    EXPECT_NEAR(lista().Elementos(21).Y1, 0.55 - 0.04, 1e-12);
}

TEST_F(SeccionRect, ReferenceLengthIsTheSmallerSideAndFullWidthSheet) {
    auto& c = General::Caso;
    c.Ancho = 0.8;
    c.Canto = 0.5;  // h < b: L = h
    c.Ancho_Refuerzo = 0.8;  // bf = b: e = 0
    Grafico::Dibujar_Seccion_Rect();
    const auto& l = lista();
    EXPECT_NEAR(l.Elementos(7).X1, -0.05, 1e-12);  // depth line at -L/10
    Esperar_Igual(l.Elementos(6), Barra(0, 0, 0.8, -0.5 / 60, kRojo), 6);
    Esperar_Igual(l.Elementos(13), Linea(0, -0.05, 0.8, -0.05), 13);
    EXPECT_EQ(l.Elementos(14).X1, 0);
    EXPECT_EQ(l.Elementos(15).X1, 0.8);
    EXPECT_EQ(l.Textos(18), "0,800");
    // Square: L = b.
    c.Ancho = c.Canto = 0.3;
    Grafico::Dibujar_Seccion_Rect();
    EXPECT_NEAR(lista().Elementos(7).X1, -0.03, 1e-12);
}

TEST_F(SeccionRect, RendersWithEqualScalesOnTheRectangularWindowAndRepeats) {
    prueba::Area_Falsa rect(General::DesignKind::Flexion, 400, 300);
    prueba::Area_Falsa t(General::DesignKind::FlexionT, 400, 300);
    Grafico::Dibujar_Seccion_Rect();
    EXPECT_EQ(rect.renders, 1);
    EXPECT_EQ(t.renders, 0);
    const auto& a = rect.escena.Ajuste_Vista;
    EXPECT_EQ(a.Sx, a.Sy);
    EXPECT_EQ(General_dibujo::Dibujo.N_Linea, 13);
    EXPECT_EQ(General_dibujo::Dibujo.N_Barra, 2);
    EXPECT_EQ(General_dibujo::Dibujo.N_Tit, 5);
    const auto primera = rect.escena;
    Grafico::Dibujar_Seccion_Rect();
    EXPECT_EQ(lista().Num_Elementos(), 20);
    EXPECT_EQ(rect.escena.Linea.size(), primera.Linea.size());
    EXPECT_EQ(rect.escena.Barra[0].Top, primera.Barra[0].Top);
}

}  // namespace
