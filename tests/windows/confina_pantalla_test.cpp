// The column section on screen: the grey concrete shows inside the red sheet.
#include "confina_test_support.h"

#include "drawing/screen/PictureArea.h"

#include <QImage>

TEST_F(Confina, ConcreteShowsInsideTheSheetForTheThreeShapes) {
    struct Forma {
        int tipo;
        double d, l;
    };
    for (const Forma k : {Forma{1, 0.5, 0.4}, Forma{2, 0.5, 0.4}, Forma{3, 0.6, 0.45}}) {
        SCOPED_TRACE(k.tipo);
        auto& f = Abrir_Seccion(k.tipo, k.d, k.l);
        QTest::mouseClick(f.CM_SECCION, Qt::LeftButton);
        const auto& escena = f.PIC_CONFINA->Escena_Actual();
        const auto& formas = k.tipo == 1 ? escena.Sec_cir : escena.Sec_rect;
        ASSERT_EQ(formas.size(), 2u);
        const QImage img = f.PIC_CONFINA->grab().toImage();
        const QPoint borde = f.PIC_CONFINA->contentsRect().topLeft();

        // Middle of the concrete: grey; a point of the band between the two
        // outlines, halfway along the left side: red.
        const auto& hormigon = formas[0];
        const auto& lamina = formas[1];
        const QPoint centro = borde + QPoint(static_cast<int>(hormigon.Left + hormigon.Width / 2),
                                             static_cast<int>(hormigon.Top + hormigon.Height / 2));
        EXPECT_EQ(img.pixelColor(centro), QColor(192, 192, 192));
        const double x_banda = (lamina.Left + hormigon.Left) / 2;
        const QPoint banda = borde + QPoint(static_cast<int>(x_banda + 0.5), centro.y() - borde.y());
        const QColor rojo = img.pixelColor(banda);
        EXPECT_GT(rojo.red(), 200);
        EXPECT_LT(rojo.green(), 80);
        w.reset();
    }
}
