#include <gtest/gtest.h>

#include "Area_Falsa.h"
#include "drawing/General_dibujo.h"
#include "drawing/Grafico.h"
#include "drawing/Pantalla.h"

namespace {

using General_dibujo::Elemento;
using General_dibujo::Lista;

Elemento Rec(double tipo, double x1, double y1, double x2 = 0, double y2 = 0) {
    Elemento e;
    e.Tipo = tipo;
    e.X1 = x1;
    e.Y1 = y1;
    e.X2 = x2;
    e.Y2 = y2;
    e.Estilo = 1;
    e.Grosor = 1;
    return e;
}

Lista Una_Linea(double x1, double y1, double x2, double y2) {
    Lista l;
    l.Anadir(Rec(1, x1, y1, x2, y2));
    return l;
}

const prueba::Medidor_Fijo kMedidor;

TEST(ScreenFit, LineInFourHundredByTwoHundred) {
    struct Caso {
        double x2, y2;
        int16_t iso;
        double sx, sy, px1, py1, px2, py2;
    } casos[] = {
        {10, 5, 0, 32, 32, 40, 180, 360, 20},
        {10, 10, 1, 16, 16, 120, 180, 280, 20},  // equal scales take the smaller
        {10, 10, 0, 32, 16, 40, 180, 360, 20},
        {10, 10, 2, 32, 16, 40, 180, 360, 20},  // any value but 1 is independent
        {10, 1, 1, 32, 32, 40, 116, 360, 84},   // sx the smaller: sy takes it
    };
    for (const auto& c : casos) {
        const auto s = Grafico::Construir_Escena(Una_Linea(0, 0, c.x2, c.y2), 400, 200, c.iso, kMedidor);
        ASSERT_EQ(s.Linea.size(), 1u);
        const auto& l = s.Linea[0];
        EXPECT_DOUBLE_EQ(s.Ajuste_Vista.Sx, c.sx);
        EXPECT_DOUBLE_EQ(s.Ajuste_Vista.Sy, c.sy);
        EXPECT_DOUBLE_EQ(l.x1, c.px1);
        EXPECT_DOUBLE_EQ(l.y1, c.py1);
        EXPECT_DOUBLE_EQ(l.x2, c.px2);
        EXPECT_DOUBLE_EQ(l.y2, c.py2);
    }
}

TEST(ScreenFit, ZeroRangesCollapseToTheCentreLines) {
    // Every X the same: sx 0, everything on x = W / 2; Y still fitted.
    auto s = Grafico::Construir_Escena(Una_Linea(3, 1, 3, 6), 400, 200, 0, kMedidor);
    EXPECT_EQ(s.Ajuste_Vista.Sx, 0);
    EXPECT_DOUBLE_EQ(s.Linea[0].x1, 200);
    EXPECT_DOUBLE_EQ(s.Linea[0].x2, 200);
    EXPECT_DOUBLE_EQ(s.Linea[0].y1, 180);
    EXPECT_DOUBLE_EQ(s.Linea[0].y2, 20);
    // Equal scales: both 0, everything at the centre.
    s = Grafico::Construir_Escena(Una_Linea(3, 1, 3, 6), 400, 200, 1, kMedidor);
    EXPECT_EQ(s.Ajuste_Vista.Sx, 0);
    EXPECT_EQ(s.Ajuste_Vista.Sy, 0);
    EXPECT_DOUBLE_EQ(s.Linea[0].x1, 200);
    EXPECT_DOUBLE_EQ(s.Linea[0].y1, 100);
    EXPECT_DOUBLE_EQ(s.Linea[0].y2, 100);
    // A single point: both ranges zero.
    s = Grafico::Construir_Escena(Una_Linea(0, 0, 0, 0), 400, 200, 0, kMedidor);
    EXPECT_DOUBLE_EQ(s.Linea[0].x1, 200);
    EXPECT_DOUBLE_EQ(s.Linea[0].y1, 100);
}

TEST(ScreenFit, YUpwardsAndNegativeCoordinatesCentred) {
    const auto s = Grafico::Construir_Escena(Una_Linea(-5, -2, 5, 2), 100, 100, 1, kMedidor);
    // Scale 0.8 * 100 / 10 = 8: the line spans 80 pixels, centred.
    EXPECT_DOUBLE_EQ(s.Linea[0].x1, 10);
    EXPECT_DOUBLE_EQ(s.Linea[0].x2, 90);
    EXPECT_DOUBLE_EQ(s.Linea[0].y1, 66);  // lower end further down
    EXPECT_DOUBLE_EQ(s.Linea[0].y2, 34);
}

TEST(ScreenFit, TextAnchorsAndOtherKindsWidenTheBox) {
    // A text far from the origin: its (0, 0) second point brings the origin in.
    Lista l;
    l.Anadir(Rec(1, 10, 10, 20, 20));
    l.Anadir(Rec(3, 15, 15), "abc");
    auto a = Grafico::Ajustar(l, 400, 200, 0);
    EXPECT_EQ(a.Xmin, 0);
    EXPECT_EQ(a.Ymin, 0);
    EXPECT_EQ(a.Dx, 20);
    // Lines only: fitted to their own extent.
    a = Grafico::Ajustar(Una_Linea(10, 10, 20, 20), 400, 200, 0);
    EXPECT_EQ(a.Xmin, 10);
    EXPECT_EQ(a.Dx, 10);
    // Kinds 0 and 9 and a fractional kind draw nothing but still count.
    Lista k = Una_Linea(0, 0, 1, 1);
    k.Anadir(Rec(0, -9, -9, 5, 5));
    k.Anadir(Rec(9, 30, 30, 0, 0));
    k.Anadir(Rec(1.5, 0, 0, 0, 40));
    const auto s = Grafico::Construir_Escena(k, 400, 200, 0, kMedidor);
    EXPECT_EQ(s.Ajuste_Vista.Xmin, -9);
    EXPECT_EQ(s.Ajuste_Vista.Dy, 49);
    EXPECT_EQ(s.Linea.size(), 1u);
    EXPECT_TRUE(s.Punto.empty() && s.Tit.empty() && s.Barra.empty() && s.Sec_rect.empty() && s.Sec_cir.empty());
}

TEST(ScreenFit, RecordsBeyondTheCountAreIgnored) {
    Lista l;
    for (int i = 1; i <= 20; ++i) l.Anadir(Rec(1, i, 0, i, 1));
    ASSERT_TRUE(l.Escribir(21, Rec(1, 1000, 1000, -1000, -1000)));
    ASSERT_TRUE(l.Escribir(22, Rec(3, 5, 5), "fuera"));
    const auto s = Grafico::Construir_Escena(l, 400, 200, 0, kMedidor);
    EXPECT_EQ(s.Linea.size(), 20u);
    EXPECT_TRUE(s.Tit.empty());
    EXPECT_EQ(s.Ajuste_Vista.Xmin, 1);
    EXPECT_EQ(s.Ajuste_Vista.Dx, 19);
}

TEST(ScreenElements, LabelsPlacedByTheirMeasuredWidth) {
    // Line (0, 0)-(10, 5) in 400 x 200: px(x) = 32 x + 40, so x = 1.875 is
    // pixel 100. The fixed measurer makes "abcdef" at 8 points 30 pixels wide.
    Lista l;
    l.Anadir(Rec(1, 0, 0, 10, 5));
    for (int tipo : {4, 8, 3}) {
        Elemento e = Rec(tipo, 1.875, 2.5);
        e.Estilo = 0;
        e.Grosor = 8;
        e.Negrita = tipo == 3;
        l.Anadir(e, "abcdef");
    }
    const auto s = Grafico::Construir_Escena(l, 400, 200, 0, kMedidor);
    ASSERT_EQ(s.Tit.size(), 3u);
    EXPECT_DOUBLE_EQ(s.Tit[0].Width, 30);
    EXPECT_DOUBLE_EQ(s.Tit[0].Left, 60);   // kind 4: right edge 90
    EXPECT_DOUBLE_EQ(s.Tit[1].Left, 110);  // kind 8
    EXPECT_DOUBLE_EQ(s.Tit[2].Width, 36);  // measured bold
    EXPECT_DOUBLE_EQ(s.Tit[2].Left, 100 - 18);
    EXPECT_TRUE(s.Tit[2].Bold);
    EXPECT_FALSE(s.Tit[0].Bold);
    EXPECT_EQ(s.Tit[0].Caption, "abcdef");
    EXPECT_EQ(s.Tit[0].Size, 8);
    // Vertically centred on the anchor (pixel 100): height 16.
    for (const auto& t : s.Tit) EXPECT_DOUBLE_EQ(t.Top, 92);
}

TEST(ScreenElements, BoxesFromNormalisedCornersMarkersSevenPixels) {
    Lista l;
    l.Anadir(Rec(1, 0, 0, 10, 5));
    l.Anadir(Rec(5, 2, 4, 6, 1));  // upper-left first, as builders write it
    l.Anadir(Rec(6, 2, 1, 6, 4));  // lower-left first
    l.Anadir(Rec(7, 6, 1, 2, 4));  // lower-right first
    l.Anadir(Rec(2, 5, 2.5));
    const auto s = Grafico::Construir_Escena(l, 400, 200, 0, kMedidor);  // scale 32, offX 40, offY 180
    for (const auto* f : {&s.Barra.at(0), &s.Sec_rect.at(0), &s.Sec_cir.at(0)}) {
        EXPECT_DOUBLE_EQ(f->Left, 40 + 2 * 32);
        EXPECT_DOUBLE_EQ(f->Top, 180 - 4 * 32);
        EXPECT_DOUBLE_EQ(f->Width, 4 * 32);
        EXPECT_DOUBLE_EQ(f->Height, 3 * 32);
    }
    EXPECT_EQ(s.Barra[0].Registro, 2);
    EXPECT_EQ(s.Sec_cir[0].Registro, 4);
    const auto& p = s.Punto.at(0);
    EXPECT_DOUBLE_EQ(p.Width, 7);
    EXPECT_DOUBLE_EQ(p.Left, 40 + 5 * 32 - 3.5);
    EXPECT_DOUBLE_EQ(p.Top, 100 - 3.5);
}

TEST(ScreenElements, ColourStyleAndWidthAsWholeNumbers) {
    Lista l;
    Elemento e = Rec(1, 0, 0, 1, 1);
    e.Color = 128 + 64 * 65536 + 0.4;
    e.Estilo = 3;
    e.Grosor = 2.6;
    l.Anadir(e);
    e.Color = -5;
    e.Grosor = 0;
    l.Anadir(e);
    e.Color = 1e12;
    l.Anadir(e);
    const auto s = Grafico::Construir_Escena(l, 100, 100, 0, kMedidor);
    EXPECT_EQ(s.Linea[0].Color, 0x400080u);
    EXPECT_EQ(s.Linea[0].Estilo, 3);
    EXPECT_EQ(s.Linea[0].Grosor, 3);
    EXPECT_EQ(s.Linea[1].Color, 0u);
    EXPECT_EQ(s.Linea[1].Grosor, 1);
    EXPECT_EQ(s.Linea[2].Color, 0xFFFFFFu);
}

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override { General_dibujo::Dibujo = {}; }
    void TearDown() override { General_dibujo::Dibujo = {}; }
};

TEST_F(RenderTest, WritesFitStateAndCountersAndLeavesTheListAlone) {
    prueba::Area_Falsa area(General::DesignKind::Flexion, 400, 200);
    auto& d = General_dibujo::Dibujo;
    auto& l = d.Lista_Elementos;
    l.Anadir(Rec(1, 0, 0, 10, 5));
    l.Anadir(Rec(1, 0, 0, 10, 0));
    l.Anadir(Rec(2, 1, 1));
    l.Anadir(Rec(3, 1, 1), "a");
    l.Anadir(Rec(5, 0, 1, 1, 0));
    l.Anadir(Rec(6, 0, 1, 1, 0));
    l.Anadir(Rec(7, 0, 1, 1, 0));
    l.Anadir(Rec(8, 1, 1), "b");
    const General_dibujo::Lista antes = l;
    Grafico::Dibujar_Elementos(General::DesignKind::Flexion, 0);
    EXPECT_EQ(area.renders, 1);
    EXPECT_EQ(d.Ancho_Dibujo, 400);
    EXPECT_EQ(d.Alto_Dibujo, 200);
    EXPECT_EQ(d.Escala_X, 32);
    EXPECT_EQ(d.Escala_Y, 32);
    EXPECT_EQ(d.N_Linea, 2);
    EXPECT_EQ(d.N_Punto, 1);
    EXPECT_EQ(d.N_Tit, 2);
    EXPECT_EQ(d.N_Barra, 1);
    EXPECT_EQ(d.N_Sec_rect, 1);
    EXPECT_EQ(d.N_Sec_cir, 1);
    EXPECT_EQ(l.Num_Elementos(), antes.Num_Elementos());
    for (int i = 1; i <= 8; ++i) EXPECT_EQ(l.Elementos(i), antes.Elementos(i));
    // A second render of the same list leaves the same elements and counters.
    const auto primera = area.escena;
    Grafico::Dibujar_Elementos(General::DesignKind::Flexion, 0);
    EXPECT_EQ(area.renders, 2);
    EXPECT_EQ(area.escena.Linea.size(), primera.Linea.size());
    EXPECT_EQ(area.escena.Tit[1].Left, primera.Tit[1].Left);
    EXPECT_EQ(d.N_Tit, 2);
    // An empty list leaves no elements.
    l.Limpiar();
    Grafico::Dibujar_Elementos(General::DesignKind::Flexion, 0);
    EXPECT_TRUE(area.escena.Linea.empty() && area.escena.Tit.empty());
    EXPECT_EQ(d.N_Linea + d.N_Punto + d.N_Tit + d.N_Barra + d.N_Sec_rect + d.N_Sec_cir, 0);
}

TEST_F(RenderTest, OnlyTheWindowNamedReceivesTheRender) {
    prueba::Area_Falsa flexion(General::DesignKind::Flexion, 400, 200);
    prueba::Area_Falsa carac(General::DesignKind::Carac, 400, 200);
    auto& l = General_dibujo::Dibujo.Lista_Elementos;
    l.Anadir(Rec(1, 0, 0, 1, 1));
    l.Anadir(Rec(5, 0, 1, 1, 0));
    Grafico::Dibujar_Elementos(General::DesignKind::Carac, 0);
    EXPECT_EQ(flexion.renders, 0);
    EXPECT_EQ(carac.renders, 1);
    // The characteristics window has no Barra array.
    EXPECT_TRUE(carac.escena.Barra.empty());
    EXPECT_EQ(General_dibujo::Dibujo.N_Barra, 0);
    EXPECT_EQ(General_dibujo::Dibujo.N_Linea, 1);
}

TEST_F(RenderTest, NothingRegisteredChangesNothing) {
    auto& d = General_dibujo::Dibujo;
    d.Escala_X = 7;
    d.N_Linea = 3;
    d.Lista_Elementos.Anadir(Rec(1, 0, 0, 1, 1));
    Grafico::Dibujar_Elementos(General::DesignKind::Confina, 1);
    EXPECT_EQ(d.Escala_X, 7);
    EXPECT_EQ(d.N_Linea, 3);
    // An area that went away no longer receives renders.
    {
        prueba::Area_Falsa area(General::DesignKind::Confina, 10, 10);
        EXPECT_EQ(Grafico::Area_Registrada(General::DesignKind::Confina), &area);
    }
    EXPECT_EQ(Grafico::Area_Registrada(General::DesignKind::Confina), nullptr);
    Grafico::Dibujar_Elementos(General::DesignKind::Confina, 1);
    EXPECT_EQ(d.Escala_X, 7);
}

}  // namespace
