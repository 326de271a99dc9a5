// The printer renderer and the table ruling on the recording surface.
#include <gtest/gtest.h>

#include "drawing/General_dibujo.h"
#include "drawing/Registros.h"
#include "tests/reports/Grabadora.h"
#include "reports/Imprimir.h"

namespace {

using namespace Imprimir;
using General_dibujo::Lista;
using Tipo = Trazo::Tipo;

// Box right 1, left 1, top 2, bottom 7.7 on the 21 x 29.7 page: 19 x 20 cm
// from (1, 2).
void Dibujar(Grabadora& g, const Lista& l, int16_t iguales) {
    Impresora imp(g);
    Imprimir_Elementos(imp, l, 1, 1, 2, 7.7, iguales);
}

TEST(Renderer, FitsEightyPercentCentredWithYUp) {
    Lista l;
    l.Anadir(General_dibujo::Registro_Linea(0, 0, 10, 5));
    struct Caso {
        int16_t iguales;
        double x1, y1, x2, y2;
    };
    // Independent: 15.2 x 16 cm. Equal: both take 1.52 cm per unit (x), so
    // y spans 7.6 cm, centred on the box's middle (y 12).
    for (const Caso& c : {Caso{0, 2.9, 20.0, 18.1, 4.0}, Caso{1, 2.9, 15.8, 18.1, 8.2}}) {
        Grabadora g;
        Dibujar(g, l, c.iguales);
        auto lineas = g.De_Tipo(Tipo::Linea);
        ASSERT_EQ(lineas.size(), 1u);
        EXPECT_NEAR(lineas[0]->x1, c.x1, 1e-9) << c.iguales;
        EXPECT_NEAR(lineas[0]->y1, c.y1, 1e-9) << c.iguales;
        EXPECT_NEAR(lineas[0]->x2, c.x2, 1e-9) << c.iguales;
        EXPECT_NEAR(lineas[0]->y2, c.y2, 1e-9) << c.iguales;
    }
}

TEST(Renderer, DegenerateListsLandOnTheCentre) {
    Grabadora vacia;
    Dibujar(vacia, Lista{}, 1);
    EXPECT_TRUE(vacia.trazos.empty());

    Lista l;  // all on x = 3: sx = 0; equal scales make sy 0 as well
    l.Anadir(General_dibujo::Registro_Linea(3, 1, 3, 4));
    for (int16_t iguales : {0, 1}) {
        Grabadora g;
        Dibujar(g, l, iguales);
        const Trazo* t = g.De_Tipo(Tipo::Linea)[0];
        EXPECT_DOUBLE_EQ(t->x1, 10.5);
        EXPECT_DOUBLE_EQ(t->x2, 10.5);
        if (iguales == 1) {
            EXPECT_DOUBLE_EQ(t->y1, 12.0);
            EXPECT_DOUBLE_EQ(t->y2, 12.0);
        }
    }
}

TEST(Renderer, LinePensByWidthAndStyle) {
    struct Caso {
        double grosor, estilo;
        int ancho, pluma_estilo;
    };
    for (const Caso& c : {Caso{1, 1, 1, 0}, Caso{2, 1, 4, 0}, Caso{3, 1, 6, 0},
                          Caso{1, 3, 1, 2}, Caso{0, 1, 1, 0}}) {
        Lista l;
        l.Anadir(General_dibujo::Registro_Linea(0, 0, 1, 1, 255, c.estilo, c.grosor));
        Grabadora g;
        Dibujar(g, l, 0);
        const Trazo* t = g.De_Tipo(Tipo::Linea)[0];
        EXPECT_EQ(t->pluma.Ancho, c.ancho) << c.grosor;
        EXPECT_EQ(t->pluma.Estilo, c.pluma_estilo) << c.estilo;
        EXPECT_EQ(t->color, 255u);
    }
}

TEST(Renderer, CaptionsAnchoredByKind) {
    // A box that maps world (0..10, 0..10) onto x 2.9..18.1, y 20..4; each
    // bold caption of 5 characters at 10 pt is 1.1 cm wide, 0.5 cm high.
    struct Caso {
        int tipo;
        double x;
    };
    for (const Caso& c : {Caso{General_dibujo::Elemento_Texto_Centrado, 10.5 - 0.55},
                          Caso{General_dibujo::Elemento_Texto_Izquierda, 10.5 - 4 * 1.1 / 3},
                          Caso{General_dibujo::Elemento_Texto_Derecha, 10.5 + 1.1 / 3}}) {
        Lista l;
        l.Anadir(General_dibujo::Registro_Linea(0, 0, 10, 10));
        General_dibujo::Elemento e = General_dibujo::Registro_Texto(c.tipo, 5, 5, 10, 1);
        e.Color = 65280;
        l.Anadir(e, "ABCDE");
        Grabadora g;
        Dibujar(g, l, 0);
        const Trazo* t = g.Buscar("ABCDE");
        ASSERT_NE(t, nullptr);
        EXPECT_NEAR(t->x1, c.x, 1e-9) << c.tipo;
        EXPECT_NEAR(t->y1, 12.0 - 0.25, 1e-9) << c.tipo;
        EXPECT_TRUE(t->fuente.Negrita);
        EXPECT_EQ(t->color, 65280u);
    }
}

TEST(Renderer, ShapesAreOutlines) {
    Lista l;
    // World 0..10 x 0..5 onto 15.2 x 16 cm: 1.52 cm and 3.2 cm per unit.
    l.Anadir(General_dibujo::Registro_Caja(General_dibujo::Elemento_Sec_Rect, 0, 5, 10, 0, 9));
    Grabadora g;
    Dibujar(g, l, 0);
    auto lineas = g.De_Tipo(Tipo::Linea);
    auto arcos = g.De_Tipo(Tipo::Arco);
    ASSERT_EQ(lineas.size(), 4u);
    ASSERT_EQ(arcos.size(), 4u);
    const double r = 0.1 * 15.2;  // the smaller side on the page
    EXPECT_NEAR(arcos[0]->r, r, 1e-9);
    EXPECT_NEAR(lineas[2]->x2 - lineas[2]->x1, 15.2 - 2 * r, 1e-9);  // top side
    EXPECT_NEAR(lineas[0]->y2 - lineas[0]->y1, 16 - 2 * r, 1e-9);    // left side
    EXPECT_NEAR(arcos[0]->a0, 3.141592 / 2, 1e-12);
    EXPECT_NEAR(arcos[3]->a1, 6.283184, 1e-12);

    Lista m;
    m.Anadir(General_dibujo::Registro_Caja(General_dibujo::Elemento_Sec_Cir, 0, 2, 2, 0, 1));
    m.Anadir(General_dibujo::Registro_Caja(General_dibujo::Elemento_Barra, 0, 2, 2, 0, 1));
    General_dibujo::Elemento p;
    p.Tipo = General_dibujo::Elemento_Punto;
    p.X1 = 1;
    p.Y1 = 1;
    m.Anadir(p);
    Grabadora h;
    Dibujar(h, m, 1);
    auto circulos = h.De_Tipo(Tipo::Circulo);
    ASSERT_EQ(circulos.size(), 2u);
    EXPECT_NEAR(circulos[0]->r, 0.8 * 19 / 2, 1e-9);  // 2 units at 7.6 cm each
    EXPECT_NEAR(circulos[0]->x1, 10.5, 1e-9);
    EXPECT_NEAR(circulos[1]->r, 0.1, 1e-12);
    ASSERT_EQ(h.De_Tipo(Tipo::Rectangulo).size(), 1u);
}

TEST(Renderer, LeavesTheScreenFitAlone) {
    auto& d = General_dibujo::Dibujo;
    d.Ancho_Dibujo = 300;
    d.Alto_Dibujo = 200;
    d.Escala_X = 7;
    d.Escala_Y = 9;
    Lista l;
    l.Anadir(General_dibujo::Registro_Linea(0, 0, 10, 5));
    Grabadora g;
    Dibujar(g, l, 1);
    EXPECT_EQ(d.Ancho_Dibujo, 300);
    EXPECT_EQ(d.Alto_Dibujo, 200);
    EXPECT_EQ(d.Escala_X, 7);
    EXPECT_EQ(d.Escala_Y, 9);
}

TEST(Rejilla, HorizontalsThenVerticals) {
    Grabadora g;
    Impresora imp(g);
    imp.ForeColor = 5;
    Dibujar_Rejilla(imp, 2.0, 10.0, 6, 4, 0.8, 3.5);
    auto lineas = g.De_Tipo(Tipo::Linea);
    ASSERT_EQ(lineas.size(), 12u);
    for (int i = 0; i < 7; ++i) {
        EXPECT_NEAR(lineas[i]->y1, 10.0 + 0.8 * i, 1e-9);
        EXPECT_DOUBLE_EQ(lineas[i]->x2, 16.0);
    }
    for (int j = 0; j < 5; ++j) {
        EXPECT_NEAR(lineas[7 + j]->x1, 2.0 + 3.5 * j, 1e-9);
        EXPECT_NEAR(lineas[7 + j]->y2, 14.8, 1e-9);
    }
    EXPECT_EQ(lineas[0]->color, 5u);

    Grabadora vacia;
    Impresora imp2(vacia);
    Dibujar_Rejilla(imp2, 2.0, 10.0, 0, 4, 0.8, 3.5);
    auto v = vacia.De_Tipo(Tipo::Linea);
    ASSERT_EQ(v.size(), 6u);
    EXPECT_DOUBLE_EQ(v[0]->x2 - v[0]->x1, 14.0);
    EXPECT_DOUBLE_EQ(v[1]->y2, v[1]->y1);
}

}  // namespace
