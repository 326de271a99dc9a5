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

TEST_F(Confina, LongNumbersShowTheirBeginning) {
    using windows::confina::Campo;
    auto& f = Abrir();
    Escribir(Campo::Diametro_Lado, "123456789,5");  // a circle: any diameter passes
    Escribir(Campo::Axil_Actual, "123456789012");
    Calcular();
    ASSERT_TRUE(General::Caso.Calculado) << Ultimo_Mensaje();
    for (QLineEdit* caja : {static_cast<QLineEdit*>(f.TX_DIAM), f.TX_NCP,
                            static_cast<QLineEdit*>(f.TX_WC)}) {
        SCOPED_TRACE(caja->objectName().toStdString());
        ASSERT_GT(caja->fontMetrics().horizontalAdvance(caja->text()), caja->width());
        EXPECT_EQ(caja->cursorPosition(), 0);
    }
}

TEST_F(Confina, ResultBoxesCanBeSelectedButAreNotInTheTabOrder) {
    auto& f = Abrir();
    Calcular();
    QTest::mouseDClick(f.TX_WC, Qt::LeftButton, {}, QPoint(8, f.TX_WC->height() / 2));
    platform::settle();
    EXPECT_EQ(QApplication::focusWidget(), f.TX_WC);
    EXPECT_TRUE(f.TX_WC->hasSelectedText());
    EXPECT_TRUE(f.TX_WC->isReadOnly());
    for (QWidget* caja : std::initializer_list<QWidget*>{f.TX_NU, f.TX_ALFAN, f.TX_RESU})
        EXPECT_EQ(caja->focusPolicy(), Qt::ClickFocus) << caja->objectName().toStdString();
}

TEST_F(Confina, CurrentGridCellIsFramedAlsoWithoutTheFocus) {
    auto& f = Abrir();
    Calcular();
    f.TX_NCP->setFocus();
    platform::settle();
    platform::Grid& g = *f.FG_CONFINA;
    ASSERT_EQ(g.row(), 1);
    ASSERT_EQ(g.col(), 1);
    const QImage img = g.viewport()->grab().toImage();
    // Just inside the left edge of the current cell and of the cell below it.
    auto borde = [&](int fila) {
        const QRect r = g.visualRect(g.model()->index(fila, 1));
        return img.pixelColor(r.left() + 1, r.center().y());
    };
    EXPECT_LT(borde(1).lightness(), 80);
    EXPECT_EQ(borde(2), QColor(255, 255, 0));
}
