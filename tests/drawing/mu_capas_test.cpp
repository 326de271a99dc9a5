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

class MuCapas : public prueba::Dibujo_Prueba {};

// Variant 1 as in the worked example, variant 2 valid up to 3 layers, variant
// 3 valid for one layer only.
const prueba::Momentos kMixto = {{
    {60, 70, 75, 78, 80},
    {55, 65, 72, X, X},
    {52, X, X, X, X},
}};

TEST_F(MuCapas, StaircasesGridLabelsAndLegendInOrder) {
    Resultados(50, kMixto, 80, 65);
    General_dibujo::Dibujo.Ver_Seccion = true;
    General_dibujo::Dibujo.Ver_Armadura = true;
    Grafico::Dibujar_Mu_Capas_Rect();
    const auto& l = lista();
    // 41 fixed + 9 + 5 + 1 staircase records + the design-moment line.
    ASSERT_EQ(l.Num_Elementos(), 57);

    const double W = 33, s = 3.3, T = 6;
    Esperar_Linea(1, 0, 0, W, 0);
    Esperar_Linea(2, 0, 0, 0, T);
    const double v1[9][4] = {{0, 1, 10, 1},  {10, 1, 10, 2}, {10, 2, 20, 2}, {20, 2, 20, 3}, {20, 3, 25, 3},
                             {25, 3, 25, 4}, {25, 4, 28, 4}, {28, 4, 28, 5}, {28, 5, 30, 5}};
    for (int k = 0; k < 9; ++k) Esperar_Linea(3 + k, v1[k][0], v1[k][1], v1[k][2], v1[k][3]);
    const double v2[5][4] = {
        {0, 1.1, 5, 1.1}, {5, 1.1, 5, 2.1}, {5, 2.1, 15, 2.1}, {15, 2.1, 15, 3.1}, {15, 3.1, 22, 3.1}};
    for (int k = 0; k < 5; ++k) Esperar_Linea(12 + k, v2[k][0], v2[k][1], v2[k][2], v2[k][3]);
    Esperar_Linea(17, 0, 1.2, 2, 1.2);  // one-layer tread of variant 3
    for (int i = 3; i <= 17; ++i) {
        const Elemento& e = l.Elementos(i);
        const double color = i <= 11 ? 255 : (i <= 16 ? 0 : 214 + 204 * 256 + 31 * 65536);
        EXPECT_EQ(e.Color, color) << i;
        EXPECT_EQ(e.Estilo, 1);
        EXPECT_EQ(e.Grosor, 2);
    }
    for (int k = 1; k <= 10; ++k) Esperar_Linea(17 + k, s * k, 0, s * k, T);
    for (int k = 1; k <= 6; ++k) Esperar_Linea(27 + k, 0, k, W, k);
    for (int i = 18; i <= 33; ++i) EXPECT_EQ(l.Elementos(i).Estilo, 3) << i;
    Esperar_Linea(34, 15, 0, 15, T);
    EXPECT_EQ(l.Elementos(34).Color, 128 + 64 * 65536);
    EXPECT_EQ(l.Elementos(34).Grosor, 3);

    const char* momentos[9] = {"53,3", "56,6", "59,9", "63,2", "66,5", "69,8", "73,1", "76,4", "79,7"};
    for (int k = 1; k <= 9; ++k) {
        const Elemento& e = l.Elementos(34 + k);
        EXPECT_EQ(e.Tipo, 3);
        EXPECT_NEAR(e.X1, s * k, 1e-9);
        EXPECT_NEAR(e.Y1, -0.6, 1e-12);
        EXPECT_EQ(e.Grosor, 8);
        EXPECT_EQ(l.Textos(34 + k), momentos[k - 1]);
    }
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(l.Elementos(43 + k).Tipo, 4);
        EXPECT_EQ(l.Elementos(43 + k).Y1, k);
        EXPECT_EQ(l.Textos(43 + k), std::string(" ").append(std::to_string(k)));
    }
    EXPECT_EQ(l.Textos(49), "Mu (mkN)");
    EXPECT_NEAR(l.Elementos(49).X1, 36, 1e-9);
    EXPECT_EQ(l.Textos(50), "Nº capas");
    EXPECT_EQ(l.Elementos(50).Y1, 6.25);
    EXPECT_EQ(l.Textos(51), "DIAGRAMA DE MOMENTOS ULTIMOS");
    EXPECT_NEAR(l.Elementos(51).X1, 30 / 1.6, 1e-9);
    EXPECT_EQ(l.Elementos(51).Y1, 6.75);
    EXPECT_EQ(l.Elementos(51).Grosor, 12);
    EXPECT_EQ(l.Elementos(51).Negrita, 1);
    for (int i = 1; i <= 3; ++i) {
        const int r = 50 + 2 * i;
        Esperar_Linea(r, 11 * (i - 1), -1.2, 11 * (i - 1) + 3.3, -1.2);
        EXPECT_EQ(l.Elementos(r).Grosor, 3);
        EXPECT_EQ(l.Elementos(r + 1).Tipo, 3);
        EXPECT_NEAR(l.Elementos(r + 1).X1, 11 * (i - 1) + 7.15, 1e-9);
        EXPECT_EQ(l.Textos(r + 1), General::Caso.Nombre_Refuerzo(i));
    }
    EXPECT_EQ(l.Elementos(49).Y1, 0);
    EXPECT_EQ(l.Elementos(50).X1, 0);
    // Colour, style, width or size and bold of every record but the staircases.
    const double mm = 214 + 204 * 256 + 31 * 65536, granate = 128 + 64 * 65536;
    const prueba::Estilo_Tramo estilos[] = {
        {1, 2, 0, 1, 1, 0},   {18, 33, 0, 3, 1, 0}, {34, 34, granate, 3, 3, 0}, {35, 50, 0, 0, 8, 0},
        {51, 51, 0, 0, 12, 1}, {52, 52, 255, 1, 3, 0}, {53, 53, 0, 0, 8, 0},     {54, 54, 0, 1, 3, 0},
        {55, 55, 0, 0, 8, 0},  {56, 56, mm, 1, 3, 0},  {57, 57, 0, 0, 8, 0},
    };
    Esperar_Estilos(estilos);
    for (int i = 53; i <= 57; i += 2) EXPECT_NEAR(l.Elementos(i).Y1, -1.2, 1e-12) << i;
    // Nothing but lines and texts, and no field beyond what the kind uses.
    for (int i = 1; i <= 57; ++i) {
        const Elemento& e = l.Elementos(i);
        EXPECT_EQ(e.Libre, 0);
        if (e.Tipo == 3 || e.Tipo == 4) {
            EXPECT_EQ(e.X2, 0);
            EXPECT_EQ(e.Y2, 0);
            EXPECT_EQ(e.Estilo, 0);
            EXPECT_EQ(e.Color, 0);
        } else {
            EXPECT_EQ(e.Negrita, 0);
        }
    }
    const auto& d = General_dibujo::Dibujo;
    EXPECT_TRUE(d.Ver_Capas);
    EXPECT_FALSE(d.Ver_Seccion || d.Ver_Armadura || d.Ver_Deformaciones);
}

TEST_F(MuCapas, DesignMomentLineOnlyWithinTheRangeEndsIncluded) {
    const std::array<std::array<double, 5>, 3> todos = {{
        {60, 70, 75, 78, 80},
        {58, 66, 71, 74, 76},
        {55, 62, 68, 72, 79},
    }};
    struct Caso {
        double md;
        int registros;
    } casos[] = {{50, 69}, {80, 69}, {65, 69}, {49.999, 68}, {80.001, 68}};
    for (const auto& c : casos) {
        Resultados(50, todos, 80, c.md);
        Grafico::Dibujar_Mu_Capas_Rect();
        EXPECT_EQ(lista().Num_Elementos(), c.registros) << c.md;
    }
}

TEST_F(MuCapas, MomentBelowTheUnstrengthenedOneAndZeroRange) {
    Resultados(50, {{{45, 60, 70, X, X}, {50, 55, X, X, X}, {52, X, X, X, X}}}, 70, 0);
    Grafico::Dibujar_Mu_Capas_Rect();
    // MN = 45: the staircases start at Mu0 - MN = 5.
    Esperar_Linea(3, 5, 1, 0, 1);
    EXPECT_EQ(lista().Textos(2 + 5 + 3 + 1 + 10 + 6 + 1), "47,8");  // 2.75 + 45
    // Every moment equal: D = 0, every X is 0 and the fit collapses onto x = W / 2.
    prueba::Area_Falsa area(General::DesignKind::Flexion, 400, 200);
    Resultados(50, {{{50, 50, 50, 50, 50}, {50, X, X, X, X}, {50, 50, X, X, X}}}, 50, 50);
    Grafico::Dibujar_Mu_Capas_Rect();
    for (int i = 1; i <= lista().Num_Elementos(); ++i) {
        EXPECT_EQ(lista().Elementos(i).X1, 0) << i;
        EXPECT_EQ(lista().Elementos(i).X2, 0) << i;
    }
    EXPECT_EQ(area.escena.Ajuste_Vista.Sx, 0);
    EXPECT_GT(area.escena.Ajuste_Vista.Sy, 0);
    for (const auto& ln : area.escena.Linea) EXPECT_DOUBLE_EQ(ln.x1, 200);
}

TEST_F(MuCapas, MomentsAboveTheOldStartStillStartTheAxisAtTheLeast) {
    // Every moment over 99 999 kN·m: the axis starts at Mu0, not at 99 999.
    Resultados(150000, {{{160000, 170000, 175000, 178000, 180000},
                         {155000, 165000, 172000, X, X},
                         {152000, X, X, X, X}}},
               180000, 0);
    Grafico::Dibujar_Mu_Capas_Rect();
    Esperar_Linea(1, 0, 0, 33000, 0);
    Esperar_Linea(3, 0, 1, 10000, 1);
    Esperar_Linea(4, 10000, 1, 10000, 2);
    // First moment label: s + MN.
    EXPECT_EQ(lista().Textos(2 + 9 + 5 + 1 + 10 + 6 + 1), "153300,0");
}

TEST_F(MuCapas, BeforeAnyResultNothingIsTouched) {
    auto& d = General_dibujo::Dibujo;
    prueba::Area_Falsa area(General::DesignKind::Flexion, 400, 200);
    Grafico::Dibujar_Seccion_Rect();
    const int antes = d.Lista_Elementos.Num_Elementos();
    ASSERT_EQ(area.renders, 1);
    Grafico::Dibujar_Mu_Capas_Rect();
    Grafico::Dibujar_Mu_Capas_T();
    EXPECT_EQ(d.Lista_Elementos.Num_Elementos(), antes);
    EXPECT_EQ(d.Lista_Elementos.Textos(antes), "SECCION");
    EXPECT_TRUE(d.Ver_Seccion);
    EXPECT_FALSE(d.Ver_Capas);
    EXPECT_EQ(area.renders, 1);
}

TEST_F(MuCapas, EachVariantDrawsOnItsOwnWindowWithIndependentScales) {
    prueba::Area_Falsa rect(General::DesignKind::Flexion, 400, 200);
    prueba::Area_Falsa t(General::DesignKind::FlexionT, 400, 200);
    Resultados(50, kMixto, 80, 65);
    Grafico::Dibujar_Mu_Capas_T();
    EXPECT_EQ(rect.renders, 0);
    ASSERT_EQ(t.renders, 1);
    EXPECT_NE(t.escena.Ajuste_Vista.Sx, t.escena.Ajuste_Vista.Sy);
    EXPECT_EQ(General_dibujo::Dibujo.N_Linea, 57 - 20);
    EXPECT_EQ(General_dibujo::Dibujo.N_Tit, 9 + 5 + 3 + 3);
    Grafico::Dibujar_Mu_Capas_Rect();
    EXPECT_EQ(rect.renders, 1);
    EXPECT_EQ(t.renders, 1);
}

}  // namespace

// Long moment labels take a smaller size, so the nine of them stay as wide
// as five characters at size 8 and never run together on the screen; short
// ones keep size 8. Both moment diagrams share the labels.
TEST_F(MuCapas, LongMomentLabelsShrinkInBothMomentDiagrams) {
    struct Caso {
        double base;
        double tamano;
    };
    const Caso casos[] = {{50, 8}, {3300, 8.0 * 5 / 6}, {15000, 8.0 * 5 / 7}, {150000, 5}};
    for (const Caso& c : casos) {
        for (auto dibujar : {&Grafico::Dibujar_Mu_Capas_Rect, &Grafico::Dibujar_Mu_Armadura_Rect}) {
            const double b = c.base;
            Resultados(b, {{{b + 10, b + 20, b + 25, b + 28, b + 30},
                                    {b + 5, b + 15, b + 22, X, X},
                                    {b + 2, X, X, X, X}}},
                               b + 30, 0);
            dibujar();
            const auto& l = lista();
            int etiquetas = 0;
            for (int i = 1; i <= l.Num_Elementos(); ++i) {
                if (l.Textos(i).find(',') == std::string::npos) continue;
                ++etiquetas;
                EXPECT_DOUBLE_EQ(l.Elementos(i).Grosor, c.tamano) << c.base << " " << l.Textos(i);
            }
            EXPECT_EQ(etiquetas, 9) << c.base;
        }
    }
}
