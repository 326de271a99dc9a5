#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Area_Falsa.h"
#include "Dibujo_Prueba.h"
#include "drawing/General_dibujo.h"
#include "drawing/Grafico.h"
#include "drawing/Registros.h"
#include "drawing/Zoom.h"
#include "engine/Caracteristicas.h"
#include "engine/General.h"

namespace {

using General::DesignKind;

class Zoom : public prueba::Caso_Prueba {
protected:

    // A scene in pixels: a line over the pick of the worked example, a label,
    // a marker and a box.
    static Grafico::Escena Escena_Fija() {
        Grafico::Escena s;
        s.Linea.push_back({1, 100, 50, 300, 150, 0, 1, 1});
        s.Linea.push_back({2, 200, 100, 250, 125, 0, 1, 1});
        s.Tit.push_back({3, 100, 50, 15, 16, "abc", 8, false, 0});
        s.Punto.push_back({4, 96.5, 46.5, 7, 7, 0});
        s.Barra.push_back({5, 150, 75, 20, 10, 0});
        return s;
    }
    static void Pick(Grafico::Area_Dibujo& a, double x1, double y1, double x2, double y2) {
        Grafico::Zoom_MouseDown(a, DesignKind::Flexion, 1, x1, y1);
        Grafico::Zoom_MouseMove(a, x2, y2);
        Grafico::Zoom_MouseDown(a, DesignKind::Flexion, 1, x2, y2);
    }
    General_dibujo::Datos& d = General_dibujo::Dibujo;
};

TEST_F(Zoom, PicksScaleTheElementsFromTheUpperLeftCorner) {
    const struct {
        const char* que;
        double x1, y1, x2, y2;
        double left, top, width, height;  // rubber band
        double ex, ey, f;
    } casos[] = {
        {"down-right", 100, 50, 300, 150, 100, 50, 200, 100, 2, 2, 2},
        {"up-left", 300, 150, 100, 50, 100, 50, 200, 100, 2, 2, 2},
        {"down-left", 300, 50, 100, 150, 100, 50, 200, 100, 2, 2, 2},
        {"up-right", 100, 150, 300, 50, 100, 50, 200, 100, 2, 2, 2},
        {"square", 100, 50, 200, 150, 100, 50, 100, 100, 4, 2, 2},
        {"no width", 100, 50, 100, 150, 100, 50, 0, 100, 400, 2, 2},
        {"one point", 100, 50, 100, 50, 100, 50, 0, 0, 400, 200, 200},
    };
    for (const auto& k : casos) {
        SCOPED_TRACE(k.que);
        d = {};
        prueba::Area_Falsa area(DesignKind::Flexion, 400, 200);
        area.Mostrar(Escena_Fija());
        Grafico::Zoom_MouseDown(area, DesignKind::Flexion, 1, k.x1, k.y1);
        EXPECT_TRUE(d.Zoom_Activo);
        EXPECT_FALSE(area.marco.Visible);  // nothing drawn before the pointer moves
        Grafico::Zoom_MouseMove(area, k.x2, k.y2);
        EXPECT_TRUE(area.marco.Visible);
        EXPECT_EQ(area.marco.Left, k.left);
        EXPECT_EQ(area.marco.Top, k.top);
        EXPECT_EQ(area.marco.Width, k.width);
        EXPECT_EQ(area.marco.Height, k.height);
        Grafico::Zoom_MouseDown(area, DesignKind::Flexion, 1, k.x2, k.y2);
        EXPECT_FALSE(d.Zoom_Activo);
        EXPECT_EQ(d.Escala_X, k.ex);
        EXPECT_EQ(d.Escala_Y, k.ey);
        EXPECT_EQ(d.Factor_Zoom, k.f);

        const auto& s = area.escena;
        const double f = k.f;
        EXPECT_DOUBLE_EQ(s.Linea[0].x1, 0);
        EXPECT_DOUBLE_EQ(s.Linea[0].y1, 0);
        EXPECT_DOUBLE_EQ(s.Linea[0].x2, 200 * f);
        EXPECT_DOUBLE_EQ(s.Linea[0].y2, 100 * f);
        EXPECT_DOUBLE_EQ(s.Linea[1].x1, 100 * f);
        EXPECT_DOUBLE_EQ(s.Tit[0].Left, 0);
        EXPECT_DOUBLE_EQ(s.Tit[0].Size, 8 * f);
        EXPECT_DOUBLE_EQ(s.Tit[0].Width, 15 * f);  // measured again at the larger size
        EXPECT_DOUBLE_EQ(s.Punto[0].Left, -3.5 * f);
        EXPECT_DOUBLE_EQ(s.Punto[0].Width, 7 * f);
        EXPECT_DOUBLE_EQ(s.Barra[0].Left, 50 * f);
        EXPECT_DOUBLE_EQ(s.Barra[0].Top, 25 * f);
        EXPECT_DOUBLE_EQ(s.Barra[0].Height, 10 * f);
        // The band keeps its last geometry until the pointer moves again.
        EXPECT_TRUE(area.marco.Visible);
        Grafico::Zoom_MouseMove(area, 10, 10);
        EXPECT_FALSE(area.marco.Visible);
    }
}

TEST_F(Zoom, TheGuardStopsTheZoomAtTheFirstLineTooFarOut) {
    prueba::Area_Falsa area(DesignKind::Flexion, 400, 200);
    Grafico::Escena s = Escena_Fija();
    s.Linea.insert(s.Linea.begin() + 1, {9, 1e6, 0, 1e6, 10, 0, 1, 1});
    area.Mostrar(s);
    Pick(area, 100, 50, 100, 50);  // factor 200: the far line would pass 1E8
    EXPECT_EQ(d.Escala_X, 400);
    EXPECT_EQ(d.Escala_Y, 200);
    EXPECT_EQ(d.Factor_Zoom, 1);
    const auto& z = area.escena;
    EXPECT_DOUBLE_EQ(z.Linea[0].x2, 40000);  // before the far line: zoomed
    EXPECT_DOUBLE_EQ(z.Linea[1].x1, 1e6);     // the far line and all after it stay
    EXPECT_DOUBLE_EQ(z.Linea[2].x1, 200);
    EXPECT_DOUBLE_EQ(z.Tit[0].Left, 100);
    EXPECT_DOUBLE_EQ(z.Tit[0].Size, 8);
    EXPECT_DOUBLE_EQ(z.Punto[0].Width, 7);
    EXPECT_DOUBLE_EQ(z.Barra[0].Left, 150);
}

TEST_F(Zoom, RubberBandEdgesEscAndCornersInSinglePrecision) {
    prueba::Area_Falsa area(DesignKind::Flexion, 400, 200);
    area.Mostrar(Escena_Fija());
    Grafico::Zoom_MouseMove(area, 5, 5);  // no pick open: nothing stored
    EXPECT_EQ(d.Zoom_X2, 0);
    Grafico::Zoom_MouseDown(area, DesignKind::Flexion, 1, 100.1, 50.3);
    EXPECT_EQ(d.Zoom_X1, static_cast<double>(100.1f));
    EXPECT_EQ(d.Zoom_Y1, static_cast<double>(50.3f));
    Grafico::Zoom_MouseMove(area, 300, 150);
    const Grafico::Marco_Zoom antes = area.marco;
    // On the corner's row to its left, or its column above it: the band
    // keeps its geometry, is shown and the corner is stored.
    for (const auto& [x, y] : {std::pair{50.0, 50.3}, std::pair{100.1, 10.0}}) {
        Grafico::Zoom_MouseMove(area, x, y);
        EXPECT_EQ(area.marco.Left, antes.Left);
        EXPECT_EQ(area.marco.Width, antes.Width);
        EXPECT_TRUE(area.marco.Visible);
        EXPECT_EQ(d.Zoom_X2, static_cast<double>(static_cast<float>(x)));
    }
    // Another key leaves the pick open; Esc closes it and hides the band.
    Grafico::Zoom_KeyPress(area, 13);
    EXPECT_TRUE(d.Zoom_Activo);
    Grafico::Zoom_KeyPress(area, 27);
    EXPECT_FALSE(d.Zoom_Activo);
    EXPECT_FALSE(area.marco.Visible);
    EXPECT_EQ(area.escena.Linea[0].x1, 100);  // nothing zoomed
    // Esc with no pick open does nothing; the next left click starts a pick.
    Grafico::Zoom_KeyPress(area, 27);
    EXPECT_FALSE(d.Zoom_Activo);
    Grafico::Zoom_MouseDown(area, DesignKind::Flexion, 1, 20, 30);
    EXPECT_TRUE(d.Zoom_Activo);
    EXPECT_EQ(d.Zoom_X1, 20);
    // A second click with no move since uses the corner left by earlier moves.
    Grafico::Zoom_MouseDown(area, DesignKind::Flexion, 1, 390, 190);
    EXPECT_EQ(d.Zoom_X2, static_cast<double>(100.1f));
    EXPECT_EQ(d.Zoom_Y2, 10);
}

TEST_F(Zoom, RightClickBeforeAnyRenderDoesNothing) {
    Grafico::Dibujar_Seccion_Rect();  // a drawing with no area to show it
    d.Escala_X = 123;
    prueba::Area_Falsa area(DesignKind::Flexion, 400, 200);
    Grafico::Zoom_MouseDown(area, DesignKind::Flexion, 2, 10, 10);
    EXPECT_EQ(d.Escala_X, 123);
    EXPECT_EQ(d.N_Linea, 0);
    EXPECT_EQ(area.renders, 0);
    EXPECT_EQ(area.repintados, 0);
    EXPECT_EQ(area.Escena_Render(), nullptr);
    // A zoom there only sets the scales and the factor.
    Pick(area, 100, 50, 300, 150);
    EXPECT_EQ(d.Factor_Zoom, 2);
}

TEST_F(Zoom, ZoomsCompoundAndTheRightClickGivesTheFullViewBack) {
    prueba::Area_Falsa area(DesignKind::Flexion, 400, 200);
    // A drawing with a marker and texts.
    auto& l = d.Lista_Elementos;
    l.Anadir(General_dibujo::Registro_Linea(0, 0, 10, 5));
    General_dibujo::Elemento punto;
    punto.Tipo = General_dibujo::Elemento_Punto;
    punto.X1 = 5;
    punto.Y1 = 2;
    l.Anadir(punto);
    l.Anadir(General_dibujo::Registro_Texto(3, 5, 5, 8, 1), "TITULO");
    l.Anadir(General_dibujo::Registro_Caja(5, 1, 4, 3, 1, 255));
    Grafico::Dibujar_Elementos(DesignKind::Flexion, 0);
    const Grafico::Escena original = area.escena;

    Pick(area, 100, 50, 300, 150);
    Pick(area, 100, 50, 300, 150);
    EXPECT_DOUBLE_EQ(area.escena.Punto[0].Width, 28);
    EXPECT_DOUBLE_EQ(area.escena.Tit[0].Size, 32);
    // A right click during a pick restores; the pick stays open.
    Grafico::Zoom_MouseDown(area, DesignKind::Flexion, 1, 0, 0);
    d.N_Linea = 0;
    Grafico::Zoom_MouseDown(area, DesignKind::Flexion, 2, 50, 50);
    EXPECT_TRUE(d.Zoom_Activo);
    const auto& s = area.escena;
    ASSERT_EQ(s.Linea.size(), 1u);
    EXPECT_DOUBLE_EQ(s.Linea[0].x1, original.Linea[0].x1);
    EXPECT_DOUBLE_EQ(s.Linea[0].y2, original.Linea[0].y2);
    EXPECT_DOUBLE_EQ(s.Punto[0].Width, 7);
    EXPECT_DOUBLE_EQ(s.Punto[0].Left, original.Punto[0].Left);
    EXPECT_DOUBLE_EQ(s.Tit[0].Size, 8);
    EXPECT_DOUBLE_EQ(s.Tit[0].Width, original.Tit[0].Width);
    EXPECT_DOUBLE_EQ(s.Barra[0].Top, original.Barra[0].Top);
    EXPECT_EQ(d.Escala_X, original.Ajuste_Vista.Sx);
    EXPECT_EQ(d.N_Linea, 1);
    EXPECT_EQ(d.N_Punto + d.N_Tit + d.N_Barra, 3);
    EXPECT_EQ(area.renders, 1);  // placed again, not rendered again
    // The open pick is finished by the next left click.
    Grafico::Zoom_MouseMove(area, 200, 100);
    Grafico::Zoom_MouseDown(area, DesignKind::Flexion, 1, 200, 100);
    EXPECT_FALSE(d.Zoom_Activo);
    EXPECT_EQ(d.Factor_Zoom, 2);
}

TEST_F(Zoom, FullViewScalesBySectionFlagButNeverEqualOnTheCharacteristicsWindow) {
    for (const DesignKind v : {DesignKind::Flexion, DesignKind::Confina, DesignKind::Carac}) {
        for (const bool seccion : {false, true}) {
            prueba::Area_Falsa area(v, 400, 200);
            d.Lista_Elementos.Limpiar();
            d.Lista_Elementos.Anadir(General_dibujo::Registro_Linea(0, 0, 10, 10));
            Grafico::Dibujar_Elementos(v, 0);
            d.Ver_Seccion = seccion;
            Grafico::Zoom_MouseDown(area, v, 2, 0, 0);
            const bool iguales = seccion && v != DesignKind::Carac;
            EXPECT_EQ(d.Escala_X == d.Escala_Y, iguales) << static_cast<int>(v) << seccion;
            EXPECT_EQ(area.escena.Linea[0].x1, iguales ? 120 : 40);
        }
    }
}

TEST_F(Zoom, PickLeftOpenInAClosedWindowIsFinishedByTheNextClick) {
    {
        auto flexion = std::make_unique<prueba::Area_Falsa>(DesignKind::Flexion, 400, 200);
        flexion->Mostrar(Escena_Fija());
        Grafico::Zoom_MouseDown(*flexion, DesignKind::Flexion, 1, 100, 50);
        Grafico::Zoom_MouseMove(*flexion, 300, 150);
    }  // the window closes with its pick open
    prueba::Area_Falsa confina(DesignKind::Confina, 400, 200);
    confina.Mostrar(Escena_Fija());
    EXPECT_TRUE(d.Zoom_Activo);
    Grafico::Zoom_MouseDown(confina, DesignKind::Confina, 1, 5, 5);
    EXPECT_FALSE(d.Zoom_Activo);
    EXPECT_EQ(d.Factor_Zoom, 2);
    EXPECT_DOUBLE_EQ(confina.escena.Linea[0].x2, 400);
    // A middle button does nothing.
    Grafico::Zoom_MouseDown(confina, DesignKind::Confina, 4, 5, 5);
    EXPECT_FALSE(d.Zoom_Activo);
}

}  // namespace
