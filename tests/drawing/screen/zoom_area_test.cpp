#include <gtest/gtest.h>

#include <QBitmap>
#include <QImage>
#include <QPixmap>
#include <QtTest/QTest>
#include <cstdlib>

#include "../Dibujo_Prueba.h"
#include "Pixeles.h"
#include "drawing/General_dibujo.h"
#include "drawing/Grafico.h"
#include "drawing/Zoom.h"
#include "drawing/screen/PictureArea.h"
#include "engine/Caracteristicas.h"
#include "engine/General.h"

namespace {

class ZoomArea : public prueba::Caso_Prueba {
protected:
    void SetUp() override {
        Caso_Prueba::SetUp();
        area.resize(402, 202);  // inner 400 x 200 inside the 1-pixel frame
        area.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&area));
    }
    // A point of the inner area in widget coordinates.
    static QPoint En(int x, int y) { return {x + 1, y + 1}; }
    PictureArea area{General::DesignKind::Flexion};
};

TEST_F(ZoomArea, MouseAndKeysDriveThePickOnTheInnerArea) {
    auto& d = General_dibujo::Dibujo;
    Grafico::Dibujar_Seccion_Rect();
    const Grafico::Escena original = area.Escena_Actual();

    QTest::mouseClick(&area, Qt::LeftButton, {}, En(100, 50));
    EXPECT_TRUE(d.Zoom_Activo);
    EXPECT_EQ(d.Zoom_X1, 100);
    EXPECT_EQ(d.Zoom_Y1, 50);
    QTest::mouseMove(&area, En(300, 150));
    const auto* marco = area.Window_zoom();
    EXPECT_TRUE(marco->Visible);
    EXPECT_EQ(marco->Width, 200);
    EXPECT_EQ(marco->Height, 100);
    // The band: a dark red outline.
    const QImage con_marco = area.grab().toImage();
    EXPECT_GE(Contar(con_marco, qRgb(128, 0, 0)), 500);

    QTest::mouseClick(&area, Qt::LeftButton, {}, En(300, 150));
    EXPECT_FALSE(d.Zoom_Activo);
    EXPECT_EQ(d.Factor_Zoom, 2);
    EXPECT_DOUBLE_EQ(area.Escena_Actual().Linea[0].x1, (original.Linea[0].x1 - 100) * 2);

    // Esc abandons a pick; the key reaches the area once it was clicked.
    QTest::mouseClick(&area, Qt::LeftButton, {}, En(10, 10));
    QTest::mouseMove(&area, En(50, 50));
    QTest::keyClick(&area, Qt::Key_Escape);
    EXPECT_FALSE(d.Zoom_Activo);
    EXPECT_FALSE(marco->Visible);
    EXPECT_EQ(Contar(area.grab().toImage(), qRgb(128, 0, 0)), 0);

    // Right click: the section's full view, equal scales.
    QTest::mouseClick(&area, Qt::RightButton, {}, En(10, 10));
    EXPECT_DOUBLE_EQ(area.Escena_Actual().Linea[0].x1, original.Linea[0].x1);
    EXPECT_EQ(d.Escala_X, d.Escala_Y);
}

TEST_F(ZoomArea, RepeatedZoomsKeepTheModelAndPaintWithinLimits) {
    auto& d = General_dibujo::Dibujo;
    General::Caso.Armadura_Sup = 8;
    Grafico::Dibujar_Seccion_Rect();
    const QImage antes = area.grab().toImage();
    // Ten zooms on one pixel each: the factor 200 compounds until the guard.
    for (int k = 0; k < 10; ++k) {
        QTest::mouseClick(&area, Qt::LeftButton, {}, En(200, 100));
        QTest::mouseMove(&area, En(200, 100));
        QTest::mouseClick(&area, Qt::LeftButton, {}, En(200, 100));
    }
    EXPECT_EQ(d.Factor_Zoom, 1);  // the guard stopped the last zooms
    double mayor = 0;
    for (const auto& t : area.Escena_Actual().Tit) mayor = std::max(mayor, t.Size);
    EXPECT_GT(mayor, 1000);  // the model keeps its values; painting clamps
    const QImage despues = area.grab().toImage();
    EXPECT_EQ(despues.size(), antes.size());
    // Back to the full view: the same picture as after the drawing.
    QTest::mouseClick(&area, Qt::RightButton, {}, En(5, 5));
    EXPECT_EQ(area.grab().toImage(), antes);
}

TEST_F(ZoomArea, MagnifierPointer) {
    const QCursor c = area.cursor();
    EXPECT_EQ(c.shape(), Qt::BitmapCursor);
    EXPECT_EQ(c.hotSpot(), QPoint(9, 8));
    ASSERT_FALSE(c.bitmap().isNull());
    EXPECT_EQ(c.bitmap().size(), QSize(32, 32));
    // Lens ring around the hot spot, handle towards the lower right.
    const QImage forma = c.bitmap().toImage();
    const QImage mascara = c.mask().toImage();
    auto negro = [&](int x, int y) { return forma.pixelIndex(x, y) == 1 && mascara.pixelIndex(x, y) == 1; };
    EXPECT_TRUE(negro(9, 2));
    EXPECT_TRUE(negro(24, 23));
    EXPECT_FALSE(negro(9, 8));
    EXPECT_EQ(mascara.pixelIndex(0, 31), 0);
}

}  // namespace

namespace {

TEST(SeccionTPantalla, TSectionIsPaintedWithItsBandsInTheWeb) {
    General::Caso = {};
    General_dibujo::Dibujo = {};
    Caracteristicas::Iniciar_Datos();
    auto& c = General::Caso;
    c.Armadura_Inf = 60;
    c.Armadura_Sup = 30;
    PictureArea area(General::DesignKind::FlexionT);
    area.resize(402, 302);
    Grafico::Dibujar_Seccion_T();
    QImage img = area.grab().toImage();
    if (const char* ruta = std::getenv("TSECTION_SCREENSHOT")) img.save(ruta);
    EXPECT_GT(Contar(img, qRgb(0, 0, 255)), 300);
    EXPECT_GT(Contar(img, qRgb(255, 0, 0)), 10);

    // A web narrower than L / 5: the lower band's corners come reversed and
    // it is still drawn, inside the web.
    c.Ancho_Alma = 0.06;
    Grafico::Dibujar_Seccion_T();
    const auto& barra = area.Escena_Actual().Barra.at(0);
    EXPECT_GT(barra.Width, 0);
    const auto& a = area.Escena_Actual().Ajuste_Vista;
    EXPECT_NEAR(barra.Left, a.Px(0.17 + 0.04 - 0.02), 1e-9);  // from X2 = (b - ew) - L/10
    img = area.grab().toImage();
    EXPECT_GT(Contar(img, qRgb(0, 0, 255)), 100);
    General_dibujo::Dibujo = {};
}

}  // namespace
