#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Area_Falsa.h"
#include "Dibujo_Prueba.h"
#include "drawing/Formato.h"
#include "drawing/General_dibujo.h"
#include "drawing/Grafico.h"
#include "engine/Calculos.h"
#include "engine/Caracteristicas.h"
#include "engine/General.h"

namespace {

using General_dibujo::Elemento;

class DiagramaTension : public prueba::Dibujo_Prueba {
protected:
    // Design strains of variant j, as the characteristics window leaves them.
    void Dibujar(int j) {
        Caracteristicas::Cargar_Refuerzo(j);
        Calculos::Calcular_Km();
        Grafico::Dibujar_Diagrama_Tension(j);
    }
    // Every variant with the same ultimate strain and modulus.
    void Catalogo(double eu, double E) {
        for (int j = 1; j <= 3; ++j) {
            General::Caso.Datos_Refuerzo(j, 2) = E;
            General::Caso.Datos_Refuerzo(j, 3) = eu;
        }
    }
};

TEST_F(DiagramaTension, CatalogueGivesAxesLabelsAndTitleInOrder) {
    prueba::Area_Falsa area(General::DesignKind::Carac, 489, 465);
    General_dibujo::Dibujo.Ver_Capas = true;
    Dibujar(1);
    const auto& c = General::Caso;
    ASSERT_EQ(lista().Num_Elementos(), 41);
    EXPECT_EQ(area.renders, 1);
    EXPECT_TRUE(General_dibujo::Dibujo.Ver_Capas);  // flags untouched

    // Axes: 16 per mil and 3500 N/mm2.
    EXPECT_EQ(R(1), (Elemento{1, 0, 0, 0.016, 0, 0, 0, 1, 1, 0}));
    EXPECT_NEAR(R(2).Y2, 3500, 1e-9);
    EXPECT_EQ(R(2).X2, 0);

    // Chosen law, its name, the projections of 1 and 5 layers.
    EXPECT_EQ(R(3).Estilo, 1);
    EXPECT_EQ(R(3).Grosor, 2);
    EXPECT_EQ(R(3).Color, 255);
    EXPECT_NEAR(R(3).Y2, 3450, 1e-9);
    EXPECT_EQ(R(4).Tipo, General_dibujo::Elemento_Texto_Centrado);
    EXPECT_NEAR(R(4).X1, 0.015 + 0.0008, 1e-12);
    EXPECT_NEAR(R(4).Y1, 3450 + 175, 1e-9);
    EXPECT_EQ(lista().Textos(4), "VORLANT 20");
    const double q1 = c.Def_Calculo_Refuerzo(1), q5 = c.Def_Calculo_Refuerzo(5);
    EXPECT_EQ(R(5), (Elemento{1, 0, q1 * 230000, q1, q1 * 230000, 0, 0, 3, 1, 0}));
    EXPECT_EQ(R(6), (Elemento{1, q1, 0, q1, q1 * 230000, 0, 0, 3, 1, 0}));
    EXPECT_EQ(R(7), (Elemento{1, 0, q5 * 230000, q5, q5 * 230000, 0, 0, 3, 1, 0}));
    EXPECT_EQ(R(8), (Elemento{1, q5, 0, q5, q5 * 230000, 0, 0, 3, 1, 0}));
    // Markers with their layer counts 125 above.
    for (int n = 1; n <= 5; ++n) {
        const double q = c.Def_Calculo_Refuerzo(n);
        EXPECT_EQ(R(7 + 2 * n), (Elemento{2, q, q * 230000, 0, 0, 0, 255, 0, 0, 0}));
        EXPECT_EQ(R(8 + 2 * n), (Elemento{3, q, q * 230000 + 125, 0, 0, 0, 255, 0, 8, 0}));
        EXPECT_EQ(lista().Textos(8 + 2 * n), std::to_string(n));
    }
    // The other two laws, dotted.
    EXPECT_EQ(R(19).Estilo, 3);
    EXPECT_EQ(R(20).Estilo, 3);
    EXPECT_NEAR(R(20).Y2, 0.0055 * 440000, 1e-9);

    EXPECT_EQ(Textos(21, 29), (std::vector<std::string>{"1,60", "3,20", "4,80", "6,40", "8,00",
                                                         "9,60", "11,20", "12,80", "14,40"}));
    EXPECT_NEAR(R(21).X1, 0.0016, 1e-12);
    EXPECT_EQ(R(21).Y1, -100);
    EXPECT_EQ(Textos(30, 38), (std::vector<std::string>{" 350", " 700", "1050", "1400", "1750",
                                                         "2100", "2450", "2800", "3150"}));
    EXPECT_EQ(R(30).Tipo, General_dibujo::Elemento_Texto_Izquierda);
    EXPECT_EQ(R(30).X1, 0);
    EXPECT_NEAR(R(30).Y1, 350, 1e-9);
    EXPECT_EQ(Textos(39, 41), (std::vector<std::string>{"Def (‰)", "Tensión (N/mm²)",
                                                         "DIAGRAMA TENSION-DEFORMACION"}));
    EXPECT_NEAR(R(39).X1, 0.0168, 1e-12);
    EXPECT_NEAR(R(40).Y1, 3675, 1e-9);
    EXPECT_NEAR(R(41).X1, 0.016 / 1.75, 1e-12);
    EXPECT_NEAR(R(41).Y1, 4375, 1e-9);
    EXPECT_EQ(R(41).Grosor, 12);
    EXPECT_EQ(R(41).Negrita, 1);
}

TEST_F(DiagramaTension, AxisLengthsRoundUpToEvenPerMilAndMultiplesOf500) {
    struct Caso {
        double eu, E, emax, smax;
    };
    const Caso casos[] = {
        {0.0149, 200000, 0.016, 3000},   // 14.9 rounds to 15, odd: up to 16; 2980 up to 3000
        {0.0171, 100000, 0.018, 2000},   // 17.1 -> 18
        {0.014, 230000, 0.014, 3500},    // even: stays; 3220 -> 3500
        {0.0159, 200000, 0.0159, 3500},  // rounds to 16, even: stays 15.9; 3180 -> 3500
        {0.015, 200000, 0.016, 3000},    // 3000 is a multiple: stays
        {0.01, 300100, 0.010, 3500},     // 3001 -> 3500
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(std::to_string(k.eu) + " " + std::to_string(k.E));
        Catalogo(k.eu, k.E);
        Dibujar(1);
        EXPECT_NEAR(R(1).X2, k.emax, 1e-12);
        EXPECT_NEAR(R(2).Y2, k.smax, 1e-6);
    }
    // 15.9 keeps its axis: the labels are its tenths.
    Catalogo(0.0159, 200000);
    Dibujar(1);
    EXPECT_EQ(lista().Textos(21), "1,59");
    EXPECT_EQ(lista().Textos(22), "3,18");
}

TEST_F(DiagramaTension, ChosenVariantThreeIsSolidOthersDotted) {
    Dibujar(3);
    ASSERT_EQ(lista().Num_Elementos(), 41);
    const double amarillo = 214 + 256.0 * 204 + 65536.0 * 31;
    EXPECT_EQ(R(3), (Elemento{1, 0, 0, 0.015, 0.015 * 230000, 0, 255, 3, 1, 0}));
    EXPECT_EQ(R(4), (Elemento{1, 0, 0, 0.015, 0.015 * 230000, 0, 0, 3, 1, 0}));
    EXPECT_EQ(R(5).Color, amarillo);
    EXPECT_EQ(R(5).Estilo, 1);
    EXPECT_EQ(R(5).Grosor, 2);
    EXPECT_EQ(lista().Textos(6), "VORLANT MM");
    EXPECT_EQ(R(6).Color, 0);
    for (int n = 1; n <= 5; ++n) {
        EXPECT_EQ(R(9 + 2 * n).Color, amarillo);
        EXPECT_EQ(R(10 + 2 * n).Color, amarillo);
    }
    EXPECT_EQ(R(21).Tipo, General_dibujo::Elemento_Texto_Centrado);  // strain labels follow
    EXPECT_EQ(lista().Textos(21), "1,60");
}

TEST_F(DiagramaTension, SecondBuildLeavesTheSameListAndEmptyCatalogueDrawsNothing) {
    Dibujar(3);
    Dibujar(2);
    Dibujar(2);
    const General_dibujo::Lista antes = lista();
    Dibujar(2);
    ASSERT_EQ(lista().Num_Elementos(), 41);
    for (int i = 1; i <= 1000; ++i) {
        ASSERT_EQ(R(i), antes.Elementos(i)) << i;
        ASSERT_EQ(lista().Textos(i), antes.Textos(i)) << i;
    }

    prueba::Area_Falsa area(General::DesignKind::Carac, 489, 465);
    General::Caso = {};
    Grafico::Dibujar_Diagrama_Tension(1);
    EXPECT_EQ(area.renders, 0);
    EXPECT_EQ(lista().Num_Elementos(), 41);
}

}  // namespace
