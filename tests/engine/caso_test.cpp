#include <gtest/gtest.h>

#include "engine/Caracteristicas.h"
#include "engine/General.h"

namespace {

TEST(CaseData, CatalogueAndDefaultsAtStart) {
    General::Caso = {};
    Caracteristicas::Iniciar_Datos();
    const auto& c = General::Caso;
    EXPECT_EQ(c.Num_Tipos_Refuerzo, 3);
    EXPECT_EQ(c.Num_Capas_Max, 5);
    EXPECT_EQ(c.Nombre_Refuerzo(3), "VORLANT MM");
    for (int j = 1; j <= 3; ++j) EXPECT_EQ(c.Nombre_Refuerzo(j).size(), 10u);
    EXPECT_EQ(c.Datos_Refuerzo(2, 1), 0.167);
    EXPECT_EQ(c.Datos_Refuerzo(3, 2), 440000);
    EXPECT_EQ(c.Color_Refuerzo(3), (General::Color{214, 204, 31}));
    EXPECT_FALSE(c.Km.Existe());
    EXPECT_FALSE(c.Def_Calculo_Refuerzo.Existe());
    EXPECT_FALSE(c.Mu_Capas.Leer(1, 1).has_value());
    EXPECT_EQ(c.Predeformacion, 0);
    EXPECT_EQ(c.Recubrimiento, 0.05);
    EXPECT_EQ(c.Tipo_Seccion, 1);
}

TEST(CaseData, ArraysAreOneBasedAndGiveNoValueOutside) {
    General::Tabla2<double> t;
    EXPECT_FALSE(t.Leer(1, 1));
    t.Crear(3, 5);
    EXPECT_EQ(t.Leer(3, 5), 0.0);
    EXPECT_FALSE(t.Leer(0, 1));
    EXPECT_FALSE(t.Leer(4, 1));
    EXPECT_FALSE(t.Leer(1, 6));
    EXPECT_THROW(t(0, 0), std::out_of_range);
    t(2, 4) = 7;
    t.Crear(3, 5);
    EXPECT_EQ(t(2, 4), 0.0);
}

}  // namespace
