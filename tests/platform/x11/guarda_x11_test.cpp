// The window keeping of the platform on a real X server under a real window
// manager (run by tests/app/x11/con_gestor.sh), on a plain window: its
// outer size and place against what the window manager, a pager and
// another program ask, its bounded attempts under a tiling manager.
#include "platform/Screen.h"
#include "platform/WindowKeeper.h"
#include "tests/common/cliente_x.h"

#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

namespace {

constexpr Qt::WindowFlags kBanderas = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                      Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                      Qt::WindowCloseButtonHint;

class Guarda_X11 : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(x.ok());
        ventana = std::make_unique<QWidget>(nullptr, kBanderas);
        ventana->setWindowTitle(QStringLiteral("Guarda"));
        // 12000 x 9000 twips outside, a client never under 300 x 200.
        guarda = std::make_unique<platform::WindowKeeper>(*ventana, QSize(12000, 9000),
                                                          QSize(300, 200));
        ventana->winId();
        guarda->centre();
        ventana->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(ventana.get(), 10000));
        // Framed, sized and centred after the window manager framed it: the
        // place it comes back to.
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return !ventana->windowHandle()->frameMargins().isNull(); }, 10000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return En_Reposo() && Fuera().topLeft() == Centrado(); },
                                    10000))
            << "at " << Fuera().x() << ", " << Fuera().y() << ", centred at " << Centrado().x()
            << ", " << Centrado().y();
        lugar = Centrado();
    }
    void TearDown() override {
        guarda.reset();
        ventana.reset();
    }

    QRect Fuera() const { return platform::frameOf(*ventana); }
    QPoint Centrado() const {
        const QRect r = ventana->screen()->geometry();
        const QSize s = Fuera().size();
        return {r.x() + (r.width() - s.width()) / 2, r.y() + (r.height() - s.height()) / 2};
    }
    xcb_window_t Id() const { return static_cast<xcb_window_t>(ventana->winId()); }
    bool En_Reposo() const {
        return ventana->size() == guarda->clientSize() &&
               !(ventana->windowState() & (Qt::WindowFullScreen | Qt::WindowMaximized));
    }
    // Back at its size and place, in the normal state for the window
    // manager too; at most ten seconds (a loaded machine).
    bool De_Vuelta() {
        return QTest::qWaitFor(
            [&] { return En_Reposo() && Fuera().topLeft() == lugar && !x.fuera_de_lo_normal(Id()); },
            10000);
    }
    std::string Donde() {
        return "at " + std::to_string(Fuera().x()) + ", " + std::to_string(Fuera().y()) + ", " +
               std::to_string(ventana->width()) + " x " + std::to_string(ventana->height()) +
               ", held by the window manager " + std::to_string(x.fuera_de_lo_normal(Id()));
    }

    Cliente_X x;
    std::unique_ptr<QWidget> ventana;
    std::unique_ptr<platform::WindowKeeper> guarda;
    QPoint lugar;
};

// The outer size, frame included, is 12000 x 9000 twips (800 x 600 pixels at
// 96 DPI) on the screen, at the run's scale within the one device pixel
// that rounding leaves, in the centre of the screen.
TEST_F(Guarda_X11, OuterSizeAndPlaceAtStart) {
    EXPECT_EQ(Fuera().size(), QSize(800, 600));
    const qreal escala = ventana->devicePixelRatioF();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return x.exterior_es(Id(), QSize(800, 600), escala); }, 10000))
        << "outer " << x.tamano_exterior(Id()).width() << " x " << x.tamano_exterior(Id()).height();
}

// Whatever is asked from outside, twice over, the window comes back to its
// size and place: the window manager takes its frame away in full screen
// (the frame it last drew stands in), holds its own state, and a program
// may resize the window directly. Each request is one the window manager
// answers the same when it comes twice.
TEST_F(Guarda_X11, ComesBackFromWhatOthersAsk) {
    struct Caso {
        const char* nombre;
        std::function<void(Cliente_X&, xcb_window_t)> pedir;
    };
    const Caso casos[] = {
        {"full screen", [](Cliente_X& c, xcb_window_t w) { c.pantalla_completa_si(w); }},
        {"maximised",
         [](Cliente_X& c, xcb_window_t w) {
             c.estado_si(w, "_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ");
         }},
        {"another program's size", [](Cliente_X& c, xcb_window_t w) { c.redimensionar(w, 1000, 700); }},
    };
    for (const Caso& caso : casos) {
        for (int vez = 1; vez <= 2; ++vez) {
            SCOPED_TRACE(std::string(caso.nombre) + ", request " + std::to_string(vez));
            const int antes = guarda->attempts();
            caso.pedir(x, Id());
            // Something came of it: the keeper had to act (a window manager
            // may refuse a size at once, and then nothing changes).
            static_cast<void>(QTest::qWaitFor([&] { return guarda->attempts() > antes; }, 2000));
            EXPECT_TRUE(De_Vuelta()) << Donde();
        }
    }
}

// A move the user chooses (a pager's, or a drag of the title bar) is the
// window's place from then on: it stays there, and comes back there.
TEST_F(Guarda_X11, TheUsersMoveIsItsPlace) {
    // A place whole in device pixels at the scales of the runs (1.5, 1.75);
    // the pager asks in device pixels.
    const QPoint nuevo((lugar.x() - 70) / 4 * 4, (lugar.y() - 50) / 4 * 4);
    const qreal f = ventana->devicePixelRatioF();
    x.mover(Id(), static_cast<int>(std::lround(nuevo.x() * f)),
            static_cast<int>(std::lround(nuevo.y() * f)));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return (Fuera().topLeft() - nuevo).manhattanLength() <= 2 && En_Reposo(); }, 10000))
        << Donde();
    lugar = Fuera().topLeft();
    x.pantalla_completa_si(Id());
    static_cast<void>(QTest::qWaitFor([&] { return x.pantalla_completa(Id()); }, 2000));
    EXPECT_TRUE(De_Vuelta()) << Donde();
}

// A tiling manager (i3) holds the window at its tile's size whatever it
// asks: the keeper asks twenty times, then takes that size and asks no more.
TEST_F(Guarda_X11, TiledItTakesTheTilesSizeAfterItsAttempts) {
    const QSize propio = ventana->size();
    const int antes = guarda->attempts();
    ASSERT_TRUE(x.enlosar(Id()));
    QSize enX;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            enX = x.tamano(Id());
            return enX.width() > propio.width() + 100 && ventana->size() == enX &&
                   guarda->imposedSize() == enX;
        },
        10000))
        << "the window " << enX.width() << " x " << enX.height() << ", kept at "
        << ventana->width() << " x " << ventana->height();
    EXPECT_EQ(guarda->attempts() - antes, 20);
}

}  // namespace
