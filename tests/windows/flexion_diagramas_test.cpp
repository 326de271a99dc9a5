#include "flexion_test_support.h"

#include "drawing/General_dibujo.h"
#include "drawing/screen/PictureArea.h"

#include <QImage>
#include <QLabel>
#include <QPixmap>

#include <cstdlib>
#include <string>

namespace {

void Pulsar_Celda(platform::Grid* g, int fila, int col) {
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                      g->visualRect(g->model()->index(fila, col)).center());
}

double Mostrado(const QLineEdit* caja) {
    bool ok = false;
    const double v = platform::readShown(caja->text(), &ok);
    EXPECT_TRUE(ok) << caja->text().toStdString();
    return v;
}

const General_dibujo::Lista& Lista() { return General_dibujo::Dibujo.Lista_Elementos; }

// Saves the window when a folder is given (to look at the drawings).
void Guardar(QWidget& w, const char* nombre) {
    if (const char* dir = std::getenv("FLEXION_SCREENSHOT_DIR"))
        w.grab().save(QString::fromUtf8(dir) + "/" + nombre + ".png");
}

}  // namespace

TEST_F(Flexion, StrainDiagramReadsThePanelAsShownAndFollowsThePicks) {
    auto& f = Abrir();
    Calcular();
    Pulsar_Celda(f.FG_FLEXION, 2, 1);
    ASSERT_TRUE(f.TX_EPSR->text().contains(','));
    QTest::mouseClick(f.CM_DEFORMACIONES, Qt::LeftButton);
    const auto& d = General_dibujo::Dibujo;
    ASSERT_TRUE(d.Ver_Deformaciones);
    ASSERT_EQ(Lista().Num_Elementos(), 18);
    // The values as the boxes show them, rounded, read with the decimal comma.
    EXPECT_EQ(Lista().Elementos(2).X2, Mostrado(f.TX_EPSC));
    EXPECT_EQ(Lista().Elementos(3).X2, -Mostrado(f.TX_EPSR));
    EXPECT_EQ(Lista().Elementos(4).X2, -Mostrado(f.TX_EPSSI));
    EXPECT_EQ(Lista().Textos(14), f.TX_EPSR->text().toStdString() + "‰");
    EXPECT_EQ(Lista().Elementos(1).Y2, General::Caso.Canto);
    EXPECT_EQ(General::Caso.Espesor_Refuerzo, General::Caso.Datos_Refuerzo(1, 1));
    EXPECT_EQ(f.PIC_FLEXION->Escena_Actual().Linea.size(), 9u);
    Guardar(f, "deformaciones");

    // A pick of another valid cell redraws it for that case.
    Pulsar_Celda(f.FG_FLEXION, 3, 2);
    ASSERT_EQ(Lista().Num_Elementos(), 18);
    EXPECT_EQ(Lista().Elementos(2).X2, Mostrado(f.TX_EPSC));
    EXPECT_EQ(General::Caso.Espesor_Refuerzo, General::Caso.Datos_Refuerzo(2, 1));

    // A "---" cell disables the button and leaves the diagram as it is.
    const double antes = Lista().Elementos(2).X2;
    Pulsar_Celda(f.FG_FLEXION, 5, 3);
    EXPECT_FALSE(f.CM_DEFORMACIONES->isEnabled());
    EXPECT_EQ(Lista().Elementos(2).X2, antes);
    EXPECT_TRUE(d.Ver_Deformaciones);

    // Another diagram on show: picks no longer redraw the strains.
    QTest::mouseClick(f.CM_ARMADURA, Qt::LeftButton);
    EXPECT_TRUE(d.Ver_Armadura);
    const int armadura = Lista().Num_Elementos();
    EXPECT_GE(armadura, 60);
    Pulsar_Celda(f.FG_FLEXION, 1, 1);
    EXPECT_EQ(Lista().Num_Elementos(), armadura);
    EXPECT_FALSE(d.Ver_Deformaciones);
}

TEST_F(Flexion, EachDiagramFillsThePictureAndTheZoomComesBack) {
    auto& f = Abrir();
    Calcular();
    PictureArea* pic = f.PIC_FLEXION;
    const QSize inner = pic->contentsRect().size();
    auto Tinta = [&] {
        const QImage img = pic->grab().toImage();
        int n = 0;
        for (int y = 1; y < img.height() - 1; ++y)
            for (int x = 1; x < img.width() - 1; ++x)
                if ((img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) ++n;
        return n;
    };
    struct {
        QPushButton* boton;
        const char* nombre;
    } diagramas[] = {{f.CM_SECCION, "seccion"},
                     {f.CM_CAPAS, "capas"},
                     {f.CM_ARMADURA, "armadura"},
                     {f.CM_DEFORMACIONES, "deformaciones"}};
    for (const auto& g : diagramas) {
        QTest::mouseClick(g.boton, Qt::LeftButton);
        EXPECT_GT(Tinta(), 1500) << g.nombre;
        Guardar(f, g.nombre);
    }
    // Zoom on the pivots A and R of the strain diagram and back.
    const QImage completa = pic->grab().toImage();
    const QPoint esquina(inner.width() / 10, inner.height() * 6 / 10);
    QTest::mouseClick(pic, Qt::LeftButton, {}, esquina);
    QTest::mouseMove(pic, esquina + QPoint(inner.width() / 3, inner.height() / 4));
    Guardar(f, "zoom_marco");
    QTest::mouseClick(pic, Qt::LeftButton, {}, esquina);
    EXPECT_NEAR(General_dibujo::Dibujo.Factor_Zoom, 3, 0.05);
    EXPECT_NE(pic->grab().toImage(), completa);
    Guardar(f, "zoom");
    QTest::mouseClick(pic, Qt::RightButton, {}, esquina);
    QTest::mouseMove(pic, esquina + QPoint(5, 5));  // the band goes with the next move
    EXPECT_EQ(pic->grab().toImage(), completa);
}
