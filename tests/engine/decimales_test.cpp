#include <gtest/gtest.h>

#include <cmath>

#include "engine/Decimales.h"

namespace {

TEST(NumberParser, ReadsCommaOrPointAndStopsAtTheFirstMisfit) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"1,5", 1.5},     {"1.5", 1.5},   {"12,50", 12.5}, {",5", 0.5},
        {"1.250,5", 1.25}, {"-3,2", -3.2}, {"2,5E2", 250},  {"2,5e-1", 0.25},
        {"", 0},          {"abc", 0},     {"7abc", 7},     {"+.5", 0.5},
        {"3E", 3},        {"3e+", 3},     {"5.", 5},       {".", 0},
        {"0.05", 0.05},   {"1e-400", 0},  {"0.000001e-400", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(Decimales::Convertir_Numero(c.text), c.value) << c.text;
    EXPECT_TRUE(std::isinf(Decimales::Convertir_Numero("1e400")));
}

TEST(NumberTest, AcceptsExactlyWhatTheParserReadsWhole) {
    const char* accepted[] = {"0,4", " 0.4\t", "-3,2", "+7", ",5", "5.", "2,5E2", "1e-3", "10"};
    for (const char* t : accepted) EXPECT_TRUE(Decimales::Es_Numero(t)) << t;
    const char* refused[] = {"", "  ", "1.250,5", "1,2,3", "abc", "1 2", "3E", "e5",
                             ".", "-", "1e400", "nan", "inf", "0x10", "12a"};
    for (const char* t : refused) EXPECT_FALSE(Decimales::Es_Numero(t)) << t;
}

TEST(ShownValue, IsTheValueOfTheShownText) {
    struct Case {
        double value;
        int decimals;
        double shown;
    };
    const Case cases[] = {
        {0.6011, 3, 0.601}, {0.3005, 3, 0.301}, {27.4, 0, 27},   {2.675, 2, 2.68},
        {-0.0001, 3, 0},    {1e308, 3, 1e308},  {0.125, 3, 0.125}, {9.9996, 3, 10},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Decimales::Redondear(c.value, c.decimals), c.shown) << c.value;
        // Rounding what is shown changes nothing.
        EXPECT_EQ(Decimales::Redondear(c.shown, c.decimals), c.shown) << c.value;
    }
}

}  // namespace
