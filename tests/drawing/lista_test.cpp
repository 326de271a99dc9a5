#include <gtest/gtest.h>

#include "drawing/General_dibujo.h"
#include "drawing/Pantalla.h"
#include "Area_Falsa.h"

namespace {

using General_dibujo::Elemento;
using General_dibujo::Lista;

TEST(DisplayList, RefusesTheRecordAfterTheThousandth) {
    Lista l;
    for (int i = 1; i <= 1000; ++i) {
        Elemento e;
        e.Tipo = 1;
        e.X1 = i;
        ASSERT_TRUE(l.Agregar(e, std::string("t").append(std::to_string(i))));
    }
    Elemento extra;
    extra.Tipo = 3;
    extra.X1 = -1;
    EXPECT_FALSE(l.Agregar(extra, "extra"));
    EXPECT_EQ(l.Num_Elementos(), 1000);
    EXPECT_EQ(l.Elementos(1000).X1, 1000);
    EXPECT_EQ(l.Textos(1000), "t1000");
    EXPECT_FALSE(l.Escribir(1001, extra));
    EXPECT_FALSE(l.Escribir(0, extra));
    // Outside the records: a zero record and no caption.
    EXPECT_EQ(l.Elementos(1001), Elemento{});
    EXPECT_EQ(l.Elementos(0), Elemento{});
    EXPECT_EQ(l.Textos(-5), "");
    l.Poner_Num_Elementos(5000);
    EXPECT_EQ(l.Num_Elementos(), 1000);
    l.Poner_Num_Elementos(-3);
    EXPECT_EQ(l.Num_Elementos(), 0);
}

TEST(DisplayList, ClearingLeavesNothingOfThePreviousDrawing) {
    Lista l;
    Elemento e;
    e.Tipo = 3;
    e.X1 = 2;
    ASSERT_TRUE(l.Agregar(e, "uno"));
    ASSERT_TRUE(l.Escribir(700, e, "lejos"));
    l.Limpiar();
    EXPECT_EQ(l.Num_Elementos(), 0);
    EXPECT_EQ(l.Elementos(1), Elemento{});
    EXPECT_EQ(l.Elementos(700), Elemento{});
    EXPECT_EQ(l.Textos(700), "");
    // Numbering starts again at 1.
    ASSERT_TRUE(l.Agregar(e, "otra"));
    EXPECT_EQ(l.Num_Elementos(), 1);
    EXPECT_EQ(l.Textos(1), "otra");
}

// A builder's record that does not fit leaves the list incomplete: neither
// the screen nor the paper draws half a diagram.
TEST(DisplayList, ARecordThatDoesNotFitLeavesNothingToDraw) {
    Lista l;
    Elemento e;
    e.Tipo = General_dibujo::Elemento_Linea;
    e.X2 = 1;
    e.Y2 = 1;
    for (int i = 1; i <= 1000; ++i) l.Anadir(e);
    EXPECT_TRUE(l.Completa());
    EXPECT_FALSE(Grafico::Construir_Escena(l, 100, 100, 0, prueba::Medidor_Fijo{}).Linea.empty());
    l.Anadir(e);
    EXPECT_FALSE(l.Completa());
    EXPECT_EQ(l.Num_Elementos(), 1000);
    EXPECT_TRUE(Grafico::Construir_Escena(l, 100, 100, 0, prueba::Medidor_Fijo{}).Linea.empty());
    l.Limpiar();
    EXPECT_TRUE(l.Completa());
}

}  // namespace
