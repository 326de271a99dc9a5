// The anchorage window: its table of lengths, filled afresh at each opening.
#include "flexion_test_support.h"

#include "platform/Modal.h"
#include "engine/Calculos.h"
#include "windows/Dialogos.h"
#include "windows/FM_ANCLAJE.h"

#include <QLabel>

#include <cmath>
#include <functional>

namespace {

using Tabla = std::vector<std::vector<QString>>;

// Opens the anchorage window from the flexure window and returns what its
// grid showed.
Tabla Tabla_Mostrada(windows::Ventana_Flexion& w) {
    Tabla t;
    platform::ScopedModalScript guion;
    guion.push([&t](QDialog& d) {
        auto& f = static_cast<FM_ANCLAJE&>(d);
        for (int n = 0; n < f.FG_ANCLAJE->rows(); ++n) {
            t.emplace_back();
            for (int j = 0; j < f.FG_ANCLAJE->cols(); ++j) t.back().push_back(f.FG_ANCLAJE->cellText(n, j));
        }
        EXPECT_EQ(f.FG_ANCLAJE->row(), 1);
        EXPECT_EQ(f.FG_ANCLAJE->col(), 1);
        EXPECT_EQ(f.windowTitle(), "Longitud  neta de anclaje (Lb)");
        EXPECT_FALSE(f.Image1->pixmap().isNull());
        QTest::mouseClick(f.CM_SALIR, Qt::LeftButton);
        EXPECT_FALSE(f.isVisible());
    });
    w.CM_ANCLAJE_Click();
    EXPECT_EQ(guion.shown, std::vector<QString>{"FM_ANCLAJE"});
    return t;
}

TEST_F(Flexion, AnchorageTableOfTheStartValues) {
    auto& f = Abrir();
    const auto antes = General::Caso;
    const Tabla esperada = {
        {"Nº capas", "VORLANT 20", "VORLANT 30", "VORLANT MM"},
        {"1", "0,27 m", "0,41 m", "0,26 m"},
        {"2", "0,54 m", "0,75 m", "0,42 m"},
        {"3", "0,75 m", "1,00 m", "0,47 m"},
        {"4", "0,93 m", "1,18 m", "0,47 m"},
        {"5", "1,07 m", "1,26 m", "0,47 m"},
    };
    EXPECT_EQ(Tabla_Mostrada(f), esperada);
    // The window changes no flag.
    EXPECT_EQ(General::Caso.Modificado, antes.Modificado);
    EXPECT_EQ(General::Caso.Calculado, antes.Calculado);
    EXPECT_TRUE(mensajes.fake.shown.empty());
}

// Return in the grid does nothing; Return on "Salir" and Esc close it.
TEST_F(Flexion, AnchorageWindowKeys) {
    Calculos::Calcular_Anclaje();
    const std::function<void(FM_ANCLAJE&)> teclas[] = {
        [](FM_ANCLAJE& f) {
            QTest::keyClick(f.FG_ANCLAJE, Qt::Key_Return);
            EXPECT_TRUE(f.isVisible());
            QTest::keyClick(f.FG_ANCLAJE, Qt::Key_Tab);
            ASSERT_EQ(QApplication::focusWidget(), f.CM_SALIR);
            QTest::keyClick(f.CM_SALIR, Qt::Key_Return);
        },
        [](FM_ANCLAJE& f) { QTest::keyClick(f.FG_ANCLAJE, Qt::Key_Escape); },
    };
    for (const auto& tecla : teclas) {
        bool cerrado = false;
        platform::ScopedModalScript guion;
        guion.push([&](QDialog& d) {
            auto& f = static_cast<FM_ANCLAJE&>(d);
            EXPECT_EQ(QApplication::focusWidget(), f.FG_ANCLAJE);
            tecla(f);
            cerrado = !f.isVisible();
        });
        windows::Mostrar_FM_ANCLAJE(nullptr);
        EXPECT_TRUE(cerrado);
    }
}

TEST_F(Flexion, AnchorageTableFollowsTheConcreteStrength) {
    auto& f = Abrir();
    const Tabla t25 = Tabla_Mostrada(f);
    Escribir(windows::flexion::Campo::Fck, "40");
    ASSERT_EQ(General::Caso.Fck, 40);
    const Tabla t40 = Tabla_Mostrada(f);
    ASSERT_EQ(t40.size(), 6u);
    // Every length shortens in the ratio of fck^(2/3).
    const double r = std::pow(25.0 / 40.0, 2.0 / 3.0);
    for (int n = 1; n <= 5; ++n)
        for (int j = 1; j <= 3; ++j)
            EXPECT_EQ(t40[n][j], platform::formatNumber(General::Caso.Longitud_Anclaje(j, n), "0.00") + " m");
    EXPECT_NEAR(General::Caso.Longitud_Anclaje(1, 1), 0.27 * r, 0.01);
    EXPECT_NE(t40[1][1], t25[1][1]);
}

}  // namespace
