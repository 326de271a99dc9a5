#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPixmap>
#include <cmath>
#include <cstdlib>

#include "drawing/Formato.h"
#include "../Dibujo_Prueba.h"
#include "Pixeles.h"
#include "drawing/General_dibujo.h"
#include "drawing/Registros.h"
#include "drawing/Grafico.h"
#include "drawing/screen/PictureArea.h"
#include "engine/Caracteristicas.h"
#include "engine/General.h"

namespace {

using General_dibujo::Elemento;

using General_dibujo::Registro_Caja;

class PictureAreaTest : public prueba::Caso_Prueba {};

TEST_F(PictureAreaTest, SectionDrawingIsPainted) {
    PictureArea area(General::DesignKind::Flexion);
    area.resize(400, 300);
    const QImage vacia = area.grab().toImage();
    EXPECT_EQ(Contar(vacia, qRgb(255, 255, 255)), 398 * 298);

    General::Caso.Armadura_Inf = 60;  // bands thick enough to show their fill
    General::Caso.Armadura_Sup = 30;
    Grafico::Dibujar_Seccion_Rect();
    const QImage img = area.grab().toImage();
    if (const char* ruta = std::getenv("DRAWING_SCREENSHOT")) img.save(ruta);
    EXPECT_GT(Contar(img, qRgb(0, 0, 255)), 500);   // steel
    EXPECT_GT(Contar(img, qRgb(255, 0, 0)), 20);    // sheet, a thin band
    EXPECT_GT(Contar(img, qRgb(0, 0, 0)), 1500);    // outline, dimensions, texts
    EXPECT_LT(Contar(img, qRgb(255, 255, 255)), 398 * 298 - 3000);
}

TEST_F(PictureAreaTest, EarlierFilledShapeOnTopAndLinesOverShapes) {
    PictureArea area(General::DesignKind::Confina);
    area.resize(100, 100);  // inner 98 x 98, scale 7.84, centre at pixel 50
    auto& l = General_dibujo::Dibujo.Lista_Elementos;
    const double gris = 192 + 192 * 256 + 192 * 65536;
    l.Anadir(Registro_Caja(6, 3, 7, 7, 3, gris));  // concrete, inside
    l.Anadir(Registro_Caja(6, 0, 10, 10, 0, 255));  // sheet around it
    l.Anadir(Registro_Caja(7, 0, 10, 10, 0, 255 * 256));
    Elemento linea = Registro_Caja(1, 0, 1, 10, 1, 0);
    linea.Estilo = 1;
    linea.Grosor = 3;
    l.Anadir(linea);
    Grafico::Dibujar_Elementos(General::DesignKind::Confina, 1);
    const QImage img = area.grab().toImage();
    EXPECT_EQ(img.pixel(50, 50) & 0xFFFFFF, qRgb(192, 192, 192) & 0xFFFFFF);
    // Between the concrete and the circle's edge the sheet covers the circle.
    EXPECT_EQ(img.pixel(50, 25) & 0xFFFFFF, qRgb(255, 0, 0) & 0xFFFFFF);
    // The line at y = 1 (pixel 1 + 9.8 + 9 x 7.84) lies over the shapes.
    EXPECT_EQ(img.pixel(50, 81) & 0xFFFFFF, 0u);
}

TEST_F(PictureAreaTest, HugeCoordinatesAndFontsAreHeldWhenPainting) {
    PictureArea area(General::DesignKind::Flexion);
    area.resize(100, 100);
    Grafico::Escena s;
    s.Barra.push_back({1, -1e20, -1e20, 1e30, 1e30, 255 * 256});
    s.Linea.push_back({2, -1e12, 50, 1e12, 50.0000001, 0, 1, 1});
    s.Linea.push_back({3, std::nan(""), 0, 10, 10, 0, 1, 1});
    s.Tit.push_back({4, 1e15, -1e15, 10, 10, "grande", 1e9, true, 0});
    s.Tit.push_back({5, 5, 5, 10, 10, "nada", -3, false, 0});
    s.Punto.push_back({6, 1e300, 1e300, 7, 7, 0});
    area.Mostrar(s);
    const QImage img = area.grab().toImage();
    EXPECT_EQ(img.pixel(10, 80) & 0xFFFFFF, qRgb(0, 255, 0) & 0xFFFFFF);
    // The line keeps its direction after clipping: still across at row 50.
    EXPECT_EQ(img.pixel(10, 51) & 0xFFFFFF, 0u);
    EXPECT_EQ(img.pixel(90, 51) & 0xFFFFFF, 0u);
    EXPECT_EQ(area.Fuente(1e9, false).pointSizeF(), 1000);
    EXPECT_EQ(area.Fuente(-3, false).pointSizeF(), 1);
}

TEST_F(PictureAreaTest, LabelsMeasuredWithTheLabelFont) {
    PictureArea area(General::DesignKind::Flexion);
    area.resize(400, 300);
    EXPECT_EQ(QFontInfo(area.Fuente(8, false)).family(), "Liberation Sans");
    Grafico::Dibujar_Seccion_Rect();
    const auto& tit = area.Escena_Actual().Tit;
    ASSERT_EQ(tit.size(), 5u);
    const QFontMetricsF fm8(area.Fuente(8, false), &area);
    EXPECT_DOUBLE_EQ(tit[0].Width, fm8.horizontalAdvance(QString::fromStdString(tit[0].Caption)));
    EXPECT_DOUBLE_EQ(tit[0].Height, fm8.height());
    const auto& titulo = tit.back();
    EXPECT_EQ(titulo.Caption, "SECCION");
    const QFontMetricsF fm12(area.Fuente(12, true), &area);
    EXPECT_DOUBLE_EQ(titulo.Width, fm12.horizontalAdvance("SECCION"));
    // Centred on its anchor.
    const auto& a = area.Escena_Actual().Ajuste_Vista;
    EXPECT_DOUBLE_EQ(titulo.Left + titulo.Width / 2, a.Px(0.2));
    // The confinement window's labels use the widget's own face.
    PictureArea confina(General::DesignKind::Confina, nullptr, false);
    EXPECT_EQ(confina.Fuente(8, false).family(), confina.font().family());
}

TEST_F(PictureAreaTest, GoingAwayWithdrawsAndClearsTheCounters) {
    auto& d = General_dibujo::Dibujo;
    auto* primera = new PictureArea(General::DesignKind::Flexion);
    primera->resize(200, 200);
    Grafico::Dibujar_Seccion_Rect();
    EXPECT_EQ(d.N_Linea, 13);
    {
        // A newer area for the same window takes over; the old one going away
        // leaves it and its counters alone.
        PictureArea segunda(General::DesignKind::Flexion);
        segunda.resize(200, 200);
        delete primera;
        EXPECT_EQ(Grafico::Area_Registrada(General::DesignKind::Flexion), &segunda);
        EXPECT_EQ(d.N_Linea, 13);
        Grafico::Dibujar_Seccion_Rect();
        EXPECT_EQ(segunda.Escena_Actual().Linea.size(), 13u);
    }
    EXPECT_EQ(Grafico::Area_Registrada(General::DesignKind::Flexion), nullptr);
    EXPECT_EQ(d.N_Linea + d.N_Punto + d.N_Tit + d.N_Barra + d.N_Sec_rect + d.N_Sec_cir, 0);
    // The list survives the window.
    EXPECT_EQ(d.Lista_Elementos.Num_Elementos(), 20);
}

}  // namespace
