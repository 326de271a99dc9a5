// The window as the user sees it: grabs after a calculation and after the
// section drawing, saved to /tmp; the picture area must hold a drawing.
#include "flexion_test_support.h"

#include "drawing/screen/PictureArea.h"

#include <QImage>
#include <QPixmap>

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
