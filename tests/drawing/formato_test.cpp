#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "drawing/Formato.h"
#include "drawing/Grafico.h"

namespace {

TEST(NumberText, FixedDecimalsWithTheGivenSeparator) {
    struct Caso {
        double v;
        int d;
        const char* esperado;
    } casos[] = {
        {0.6, 2, "0,60"},      {0.4, 2, "0,40"},    {0.125, 3, "0,125"},  {10, 2, "10,00"},
        {53.3, 1, "53,3"},     {79.7, 1, "79,7"},   {0.125, 2, "0,13"},   {1.005, 2, "1,01"},
        {9.999, 2, "10,00"},   {0.95, 1, "1,0"},    {-2.5, 0, "-3"},      {-0.0001, 3, "0,000"},
        {0, 0, "0"},           {0.0004, 3, "0,000"}, {123456.5, 0, "123457"}, {1e20, 0, "100000000000000000000"},
        {-12.345, 2, "-12,35"}, {0.00001234, 6, "0,000012"},
    };
    for (const auto& c : casos) EXPECT_EQ(Grafico::Texto_Decimales(c.v, c.d, ","), c.esperado) << c.v << " " << c.d;
    EXPECT_EQ(Grafico::Texto_Decimales(0.6, 2, "."), "0.60");
    EXPECT_EQ(Grafico::Texto_Decimales(std::nan(""), 2, ","), "0");
    EXPECT_EQ(Grafico::Texto_Decimales(std::numeric_limits<double>::infinity(), 2, ","), "0");
}

TEST(NumberText, RightAlignedPattern) {
    EXPECT_EQ(Grafico::Alinear_Derecha("1", 2), " 1");
    EXPECT_EQ(Grafico::Alinear_Derecha("12", 2), "12");
    EXPECT_EQ(Grafico::Alinear_Derecha("123", 2), "123");
}

TEST(NumberText, InstalledFormatterIsUsedAndCanBeRemoved) {
    Grafico::Poner_Formateador([](double v, int d) {
        return std::string("<").append(Grafico::Texto_Decimales(v, d, ",")).append(">");
    });
    EXPECT_EQ(Grafico::Formatear(1.5, 2), "<1,50>");
    Grafico::Poner_Formateador({});
    // Default: the C locale in force ("C" in this test).
    EXPECT_EQ(Grafico::Formatear(1.5, 2), "1.50");
}

}  // namespace
