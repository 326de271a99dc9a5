// The window as the user sees it: grabs after a calculation and after the
// section drawing, saved to /tmp; the picture area must hold a drawing.
#include "flexion_test_support.h"

#include "drawing/screen/PictureArea.h"

#include <QImage>
#include <QPixmap>

namespace {

// Dark pixels inside the picture area above the notice label (which is drawn
// over the picture when a notice is on show).
int Pixeles_Dibujados(const FM_FLEXION& f) {
    const QImage img = f.PIC_FLEXION->grab().toImage();
    int n = 0;
    for (int y = 3; y < f.LB_INFO->y(); ++y)  // inside the frame's border
        for (int x = 3; x < img.width() - 3; ++x)
            if (QColor(img.pixel(x, y)).lightness() < 200) ++n;
    return n;
}

}  // namespace

TEST_F(Flexion, ScreenshotsShowTheDiagramAndTheSection) {
    auto& f = Abrir();
    EXPECT_LT(Pixeles_Dibujados(f), 300);  // nothing drawn yet
    Calcular();
    ASSERT_TRUE(General::Caso.Calculado);
    EXPECT_TRUE(f.grab().save("/tmp/flexion_calculo.png"));
    EXPECT_GT(Pixeles_Dibujados(f), 300);

    f.CM_SECCION->click();
    EXPECT_TRUE(f.grab().save("/tmp/flexion_seccion.png"));
    EXPECT_GT(Pixeles_Dibujados(f), 300);
}
