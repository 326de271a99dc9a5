// The window as the user sees it: grabs after a calculation and after the
// section drawing, saved into a scratch folder (and into
// FLEXION_SCREENSHOT_DIR when set, to look at them); the picture area must
// hold a drawing.
#include "flexion_test_support.h"

#include "drawing/screen/PictureArea.h"

#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

bool Guardar(QWidget& w, const QTemporaryDir& dir, const QString& nombre) {
    const QPixmap p = w.grab();
    if (const char* copia = std::getenv("FLEXION_SCREENSHOT_DIR"))
        p.save(QString::fromUtf8(copia) + "/" + nombre);
    return p.save(dir.filePath(nombre));
}

}  // namespace

TEST_F(Flexion, ScreenshotsShowTheDiagramAndTheSection) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto& f = Abrir();
    EXPECT_LT(Pixeles_Dibujados(f), 300);  // nothing drawn yet
    Calcular();
    ASSERT_TRUE(General::Caso.Calculado);
    EXPECT_TRUE(Guardar(f, dir, "flexion_calculo.png"));
    EXPECT_GT(Pixeles_Dibujados(f), 300);

    f.CM_SECCION->click();
    EXPECT_TRUE(Guardar(f, dir, "flexion_seccion.png"));
    EXPECT_GT(Pixeles_Dibujados(f), 300);
}
