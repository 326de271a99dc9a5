#include <gtest/gtest.h>

#include <array>
#include <string>

#include "Area_Falsa.h"
#include "Dibujo_Prueba.h"
#include "drawing/Formato.h"
#include "drawing/General_dibujo.h"
#include "drawing/Grafico.h"
#include "engine/Caracteristicas.h"
#include "engine/General.h"

namespace {

using General_dibujo::Elemento;
constexpr double X = General::Sin_Ganancia;
using prueba::Momentos;

class MuArmadura : public prueba::Dibujo_Prueba {};

// Area of one layer of each variant, mm².
const double a1 = 0.125 * 0.111 * 1000, a2 = 0.125 * 0.167 * 1000, a3 = 0.125 * 0.163 * 1000;

TEST_F(MuArmadura, EveryValueValidRecordByRecord) {
    const Momentos mu = {{{60, 70, 75, 78, 80}, {58, 66, 71, 74, 76}, {55, 62, 68, 72, 79}}};
    Resultados(50, mu, 80, 65);
    prueba::Area_Falsa area(General::DesignKind::Flexion, 400, 200);
    General_dibujo::Dibujo.Ver_Seccion = true;
    Grafico::Dibujar_Mu_Armadura_Rect();
    const auto& l = lista();
    ASSERT_EQ(l.Num_Elementos(), 65);

    // MX 80, MN 50: W 33, s 3.3; A = five layers of the thickest sheet.
    const double A = 5 * a2, H = 1.1 * A, h = H / 10, W = 33, s = 3.3;
    Esperar_Linea(1, 0, 0, W, 0);
    Esperar_Linea(2, 0, 0, 0, H);
    // Polyline of variant 1: from (Mu0 - MN, 0) through its five layers.
    const double v1[5][4] = {{0, 0, 10, a1}, {10, a1, 20, 2 * a1}, {20, 2 * a1, 25, 3 * a1},
                             {25, 3 * a1, 28, 4 * a1}, {28, 4 * a1, 30, 5 * a1}};
    for (int k = 0; k < 5; ++k) Esperar_Linea(3 + k, v1[k][0], v1[k][1], v1[k][2], v1[k][3]);
    Esperar_Linea(8, 0, 0, 8, a2);
    Esperar_Linea(17, 22, 4 * a3, 29, 5 * a3);
    for (int k = 1; k <= 10; ++k) Esperar_Linea(17 + k, s * k, 0, s * k, H);
    for (int k = 1; k <= 10; ++k) Esperar_Linea(27 + k, 0, h * k, W, h * k);
    Esperar_Linea(38, 15, 0, 15, H);

    const char* momentos[9] = {"53,3", "56,6", "59,9", "63,2", "66,5", "69,8", "73,1", "76,4", "79,7"};
    const char* areas[9] = {"  11", "  23", "  34", "  46", "  57", "  69", "  80", "  92", " 103"};
    for (int k = 1; k <= 9; ++k) {
        EXPECT_EQ(l.Elementos(38 + k).Tipo, 3);
        EXPECT_NEAR(l.Elementos(38 + k).X1, s * k, 1e-9);
        EXPECT_NEAR(l.Elementos(38 + k).Y1, -A / 10, 1e-9);
        EXPECT_EQ(l.Textos(38 + k), momentos[k - 1]);
        EXPECT_EQ(l.Elementos(47 + k).Tipo, 4);
        EXPECT_NEAR(l.Elementos(47 + k).Y1, h * k, 1e-9);
        EXPECT_EQ(l.Textos(47 + k), areas[k - 1]);
    }
    EXPECT_EQ(l.Textos(57), "Mu (mkN)");
    EXPECT_NEAR(l.Elementos(57).X1, 36, 1e-9);
    EXPECT_EQ(l.Textos(58), "Ar (mm²)");
    EXPECT_NEAR(l.Elementos(58).Y1, 1.2 * A, 1e-9);
    EXPECT_EQ(l.Textos(59), "DIAGRAMA DE MOMENTOS ULTIMOS");
    EXPECT_NEAR(l.Elementos(59).X1, 30 / 1.6, 1e-9);
    EXPECT_NEAR(l.Elementos(59).Y1, 1.35 * A, 1e-9);
    for (int i = 1; i <= 3; ++i) {
        const int r = 58 + 2 * i;
        Esperar_Linea(r, 11 * (i - 1), -A / 5, 11 * (i - 1) + 3.3, -A / 5);
        EXPECT_NEAR(l.Elementos(r + 1).X1, 11 * (i - 1) + 7.15, 1e-9);
        EXPECT_EQ(l.Textos(r + 1), General::Caso.Nombre_Refuerzo(i));
    }

    // Colour, style, width or size and bold by range of records.
    const double mm = 214 + 204 * 256 + 31 * 65536, granate = 128 + 64 * 65536;
    const prueba::Estilo_Tramo estilos[] = {
        {1, 2, 0, 1, 1, 0},    {3, 7, 255, 1, 2, 0},  {8, 12, 0, 1, 2, 0},     {13, 17, mm, 1, 2, 0},
        {18, 37, 0, 3, 1, 0},  {38, 38, granate, 3, 3, 0}, {39, 58, 0, 0, 8, 0}, {59, 59, 0, 0, 12, 1},
        {60, 60, 255, 1, 3, 0}, {61, 61, 0, 0, 8, 0},  {64, 64, mm, 1, 3, 0},   {65, 65, 0, 0, 8, 0},
    };
    Esperar_Estilos(estilos);
    const auto& d = General_dibujo::Dibujo;
    EXPECT_TRUE(d.Ver_Armadura);
    EXPECT_FALSE(d.Ver_Seccion || d.Ver_Capas || d.Ver_Deformaciones);
    ASSERT_EQ(area.renders, 1);
    EXPECT_NE(area.escena.Ajuste_Vista.Sx, area.escena.Ajuste_Vista.Sy);  // independent scales
}

TEST_F(MuArmadura, MissingValuesTakeNoPartAndEndTheirPolyline) {
    // Variant 2 (the thickest sheet) valid up to 3 layers, variant 3 for one.
    Resultados(50, {{{60, 70, 75, 78, 80}, {55, 65, 72, X, X}, {52, X, X, X, X}}}, 80, 90);
    Grafico::Dibujar_Mu_Armadura_Rect();
    const auto& l = lista();
    // 49 fixed + 5 + 3 + 1 polyline records, no design-moment line.
    ASSERT_EQ(l.Num_Elementos(), 58);
    Esperar_Linea(8, 0, 0, 5, a2);
    Esperar_Linea(9, 5, a2, 15, 2 * a2);
    Esperar_Linea(10, 15, 2 * a2, 22, 3 * a2);
    Esperar_Linea(11, 0, 0, 2, a3);
    // A is the largest valid area: five layers of variant 1, not of variant 2.
    const double A = 5 * a1;
    Esperar_Linea(12, 3.3, 0, 3.3, 1.1 * A);
    EXPECT_NEAR(l.Elementos(2).Y2, 1.1 * A, 1e-9);
    EXPECT_EQ(l.Elementos(31).Color, 0);  // first moment label follows the grid
    EXPECT_EQ(l.Textos(32), "53,3");
}

TEST_F(MuArmadura, DesignMomentLineEndsIncludedAndRangeFromTheLeastValue) {
    const Momentos mu = {{{60, 70, 75, 78, 80}, {58, 66, 71, 74, 76}, {55, 62, 68, 72, 79}}};
    const struct {
        double md;
        int registros;
    } casos[] = {{50, 65}, {80, 65}, {49.999, 64}, {80.001, 64}};
    for (const auto& k : casos) {
        Resultados(50, mu, 80, k.md);
        Grafico::Dibujar_Mu_Armadura_T();
        EXPECT_EQ(lista().Num_Elementos(), k.registros) << k.md;
    }
    // Moments beyond 99 999 kN·m: the axis starts at the least of them.
    Momentos grandes{};
    for (int i = 0; i < 3; ++i)
        for (int n = 0; n < 5; ++n) grandes[i][n] = 150000 + 1000 * (n + 1) + 100 * i;
    Resultados(150000, grandes, 155200, 0);
    Grafico::Dibujar_Mu_Armadura_T();
    Esperar_Linea(1, 0, 0, 1.1 * 5200, 0);
    Esperar_Linea(3, 0, 0, 1000, a1);
    EXPECT_EQ(lista().Textos(2 + 15 + 20 + 1), "150572,0");
}

TEST_F(MuArmadura, NothingBeforeAnyResultAndTheTWindowOnly) {
    prueba::Area_Falsa rect(General::DesignKind::Flexion, 400, 200);
    prueba::Area_Falsa t(General::DesignKind::FlexionT, 400, 200);
    Grafico::Dibujar_Seccion_Rect();
    const int antes = lista().Num_Elementos();
    Grafico::Dibujar_Mu_Armadura_Rect();
    EXPECT_EQ(lista().Num_Elementos(), antes);
    EXPECT_TRUE(General_dibujo::Dibujo.Ver_Seccion);
    EXPECT_EQ(rect.renders, 1);

    Resultados(50, {{{60, 70, 75, 78, 80}, {58, 66, 71, 74, 76}, {55, 62, 68, 72, 79}}}, 80, 65);
    Grafico::Dibujar_Mu_Armadura_T();
    EXPECT_EQ(rect.renders, 1);
    EXPECT_EQ(t.renders, 1);
}

}  // namespace
