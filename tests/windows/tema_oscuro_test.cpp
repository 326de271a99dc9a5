// Under a dark theme (light text on dark backgrounds) the backgrounds the
// windows force, the read-only boxes and the grid's yellow and white cells,
// keep a text that reads on them. Checked on the rendered widgets: the
// colours stay the windows' own, and the text stands out from them.
#include "ventana_test_support.h"
#include "../common/contraste.h"

#include "windows/FM_CARAC.h"
#include "windows/FM_CONFINA.h"
#include "windows/FM_FLEXION.h"
#include "windows/FM_FLEXIONT.h"

#include <functional>

namespace {

class Tema_Oscuro : public VentanaPrueba {
protected:
    // Every read-only box of the window holds a text in black-like ink on
    // its grey.
    static void Revisar_Cajas(QWidget& ventana) {
        const auto cajas = ventana.findChildren<platform::ReadOnlyBox*>();
        ASSERT_FALSE(cajas.isEmpty());
        for (platform::ReadOnlyBox* b : cajas) {
            SCOPED_TRACE(b->objectName().toStdString() + " \"" + b->text().toStdString() + "\"");
            ASSERT_FALSE(b->text().isEmpty());
            const QImage img = b->grab().toImage();
            const Muestra m = Leer(img, img.rect().adjusted(3, 3, -3, -3));
            EXPECT_EQ(m.fondo, platform::kReadOnlyBackground);
            EXPECT_GE(m.contraste(), kContrasteMinimo);
        }
    }

    // Every value cell of a result grid: yellow or white, its text readable.
    static void Revisar_Tabla(platform::Grid& g, bool conRayas) {
        const QImage img = g.viewport()->grab().toImage();
        bool rayas = false;
        for (int n = 1; n < g.rows(); ++n) {
            for (int j = 1; j < g.cols(); ++j) {
                SCOPED_TRACE("cell " + std::to_string(n) + "," + std::to_string(j) + " \"" +
                             g.cellText(n, j).toStdString() + "\"");
                ASSERT_FALSE(g.cellText(n, j).isEmpty());
                rayas |= g.cellText(n, j) == QStringLiteral("---");
                // Inside the grid lines and the current cell's frame.
                const int borde = platform::kCurrentCellFrame + 2;
                const QRect r = g.visualItemRect(g.item(n, j)).adjusted(borde, borde, -borde, -borde);
                const Muestra m = Leer(img, r);
                EXPECT_TRUE(m.fondo == QColor(255, 255, 0) || m.fondo == QColor(255, 255, 255))
                    << m.fondo.name().toStdString();
                EXPECT_EQ(m.fondo, g.cellBackground(n, j));
                EXPECT_GE(m.contraste(), kContrasteMinimo) << m.texto.name().toStdString();
            }
        }
        if (conRayas) {
            EXPECT_TRUE(rayas) << "no \"---\" cell in this case";
        }
    }

    Paleta_Oscura oscura;
};

// The default rectangular and T cases, calculated: the grid shows yellow,
// white and "---" cells; every result box is filled.
TEST_F(Tema_Oscuro, FlexureGridsAndResultBoxesReadUnderADarkTheme) {
    const std::function<std::unique_ptr<windows::Ventana_Flexion>()> ventanas[] = {
        [this] { return std::make_unique<FM_FLEXION>(frame); },
        [this] { return std::make_unique<FM_FLEXIONT>(frame); },
    };
    for (const auto& crear : ventanas) {
        SetUp();
        std::unique_ptr<windows::Ventana_Flexion> v = crear();
        SCOPED_TRACE(v->objectName().toStdString());
        Mostrar(*v);
        Pulsar(v->CM_CALCULAR);
        ASSERT_TRUE(General::Caso.Calculado);
        Revisar_Tabla(*v->FG_FLEXION, true);
        Revisar_Cajas(*v);
    }
}

// The default confinement case: its grid, its result panel and the two
// boxes of calculation values (Poisson's ratio, shape coefficient).
TEST_F(Tema_Oscuro, ConfinementGridAndBoxesReadUnderADarkTheme) {
    Caracteristicas::Poner_Defectos_Confina();
    FM_CONFINA v(frame);
    Mostrar(v);
    Pulsar(v.CM_CALCULAR);
    ASSERT_TRUE(General::Caso.Calculado);
    Revisar_Tabla(*v.FG_CONFINA, false);
    Revisar_Cajas(v);
}

TEST_F(Tema_Oscuro, CharacteristicsBoxesReadUnderADarkTheme) {
    FM_CARAC v(frame);
    Mostrar(v);
    Revisar_Cajas(v);
}

}  // namespace
